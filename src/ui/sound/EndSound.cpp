// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sound/EndSound.h"

#include <QFileInfo>
#include <QSoundEffect>

// The resources of a static library are registered by hand.
static void RegisterSounds() {
    Q_INIT_RESOURCE(sounds);
}

namespace tevrix {

const QUrl EndSound::kBuiltInSound(QStringLiteral("qrc:/sound/EndTest.wav"));

EndSound::EndSound(QObject* parent) : QObject(parent) {
    RegisterSounds();
}

EndSound::~EndSound() = default;

void EndSound::PlayBuiltIn() {
    Play(kBuiltInSound);
}

void EndSound::PlayFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        Play({});
        return;
    }
    Play(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void EndSound::Play(const QUrl& source) {
    // A new effect for every sound: the one before stops, and one that could
    // not load does not stand in the way of the next.
    delete m_effect;
    m_effect = nullptr;
    if (source.isEmpty())
        return;
    m_effect = new QSoundEffect(this);
    m_effect->setSource(source);
    // Played as soon as it has loaded; an error just leaves it silent.
    m_effect->play();
}

} // namespace tevrix

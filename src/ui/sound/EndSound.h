// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QUrl>

class QSoundEffect;

namespace tevrix {

// Plays the end-of-test sound without waiting for it: the station's own
// chime, or a wave file the teacher chose. A file that is missing or cannot
// be played stays silent, and nothing is shown.
class EndSound : public QObject {
    Q_OBJECT

public:
    // The built-in sound, shipped as a resource.
    static const QUrl kBuiltInSound;

    explicit EndSound(QObject* parent = nullptr);
    ~EndSound() override;

    void PlayBuiltIn();
    void PlayFile(const QString& path);

    // The sound of the last call; nullptr before the first one or after a
    // call with a missing file.
    const QSoundEffect* Current() const { return m_effect; }

private:
    void Play(const QUrl& source);

    QSoundEffect* m_effect = nullptr;
};

} // namespace tevrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/media/QtMediaPlayerDevice.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

#include <algorithm>

namespace tevrix {
namespace {

bool Settled(QMediaPlayer::MediaStatus status) {
    return status != QMediaPlayer::NoMedia && status != QMediaPlayer::LoadingMedia;
}

bool Playable(QMediaPlayer::MediaStatus status) {
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
           status == QMediaPlayer::BufferedMedia;
}

} // namespace

QtMediaPlayerDevice::QtMediaPlayerDevice(QObject* parent) : QObject(parent) {}

QtMediaPlayerDevice::~QtMediaPlayerDevice() {
    m_notifyHandler = {};
    if (m_player)
        m_player->stop();
}

QMediaPlayer& QtMediaPlayerDevice::Player() {
    // Made when a task first has a medium: the multimedia framework takes
    // long to start, and most tests have no media at all.
    if (m_player)
        return *m_player;
    m_player = new QMediaPlayer(this);
    m_audio = new QAudioOutput(this);
    m_player->setAudioOutput(m_audio);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                // A late end after a stop is no end of a play.
                if (status == QMediaPlayer::EndOfMedia)
                    m_ended = m_playing;
            });
    if (m_videoOutput)
        CreateVideo();
    return *m_player;
}

void QtMediaPlayerDevice::CreateVideo() {
    m_video = new QVideoWidget(m_videoOutput);
    m_video->setObjectName("MediaVideoPicture");
    m_video->setAspectRatioMode(Qt::KeepAspectRatio);
    auto* layout = new QVBoxLayout(m_videoOutput);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_video);
    m_player->setVideoOutput(m_video);
}

void QtMediaPlayerDevice::BeginOperation(bool playing) {
    m_ended = false;
    m_playing = playing;
    if (!std::exchange(m_notify, false))
        return;
    QTimer::singleShot(0, this, [this] {
        if (m_notifyHandler)
            m_notifyHandler();
    });
}

void QtMediaPlayerDevice::WaitUntilLoaded() {
    if (Settled(m_player->mediaStatus()))
        return;
    QEventLoop loop;
    connect(m_player, &QMediaPlayer::mediaStatusChanged, &loop,
            [&loop](QMediaPlayer::MediaStatus status) {
                if (Settled(status))
                    loop.quit();
            });
    connect(m_player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kOpenTimeout, &loop, &QEventLoop::quit);
    // Timers go on ticking; the pupil's clicks wait for the file.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool QtMediaPlayerDevice::Open() {
    BeginOperation(false);
    Player().stop();
    m_player->setSource(QUrl::fromLocalFile(m_fileName));
    WaitUntilLoaded();
    if (m_player->error() == QMediaPlayer::NoError && Playable(m_player->mediaStatus()))
        return true;
    m_player->setSource(QUrl());
    return false;
}

void QtMediaPlayerDevice::Close() {
    m_notify = false;
    m_ended = false;
    m_playing = false;
    if (!m_player)
        return;
    m_player->stop();
    m_player->setSource(QUrl());
}

void QtMediaPlayerDevice::Play() {
    BeginOperation(true);
    Player().play();
}

void QtMediaPlayerDevice::Pause() {
    BeginOperation(false);
    Player().pause();
}

void QtMediaPlayerDevice::Stop() {
    BeginOperation(false);
    Player().stop();
}

qint64 QtMediaPlayerDevice::Position() const {
    if (!m_player)
        return 0;
    return m_ended ? Length() : m_player->position();
}

void QtMediaPlayerDevice::SetPosition(qint64 milliseconds) {
    BeginOperation(m_playing);
    Player().setPosition(std::clamp<qint64>(milliseconds, 0, Length()));
}

qint64 QtMediaPlayerDevice::Length() const {
    return m_player ? m_player->duration() : 0;
}

MediaMode QtMediaPlayerDevice::Mode() const {
    if (!m_player || m_player->source().isEmpty())
        return MediaMode::NotReady;
    if (m_ended)
        return MediaMode::Playing;
    switch (m_player->playbackState()) {
    case QMediaPlayer::PlayingState: return MediaMode::Playing;
    case QMediaPlayer::PausedState: return MediaMode::Paused;
    case QMediaPlayer::StoppedState: break;
    }
    return MediaMode::Stopped;
}

bool QtMediaPlayerDevice::HasVideo() const {
    return m_player && m_player->hasVideo();
}

void QtMediaPlayerDevice::SetVideoOutput(QWidget* output) {
    if (output == nullptr || m_videoOutput != nullptr)
        return;
    m_videoOutput = output;
    if (m_player)
        CreateVideo();
}

QString QtMediaPlayerDevice::ErrorText() const {
    return m_player ? m_player->errorString() : QString();
}

} // namespace tevrix

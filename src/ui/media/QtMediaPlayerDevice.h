// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/media/MediaPlayerDevice.h"

#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QVideoWidget;

namespace tevrix {

// The media bar's player on Qt Multimedia (GStreamer on Linux): sound to the
// default audio output, pictures into the video area the bar gives.
//
// Open waits (a few seconds at most, the pupil's input held back meanwhile)
// until the file is loaded or refused, so that a file no decoder takes is
// known at once. The end of the medium is kept as the bar expects of a
// player: it stays "playing" at its last position until it is stopped, and
// the bar's timer rewinds it. A notification asked for an operation arrives
// from the event loop once the operation has taken effect.
class QtMediaPlayerDevice final : public QObject, public MediaPlayerDevice {
    Q_OBJECT

public:
    static constexpr int kOpenTimeout = 5000; // ms

    explicit QtMediaPlayerDevice(QObject* parent = nullptr);
    ~QtMediaPlayerDevice() override;

    void SetFileName(const QString& path) override { m_fileName = path; }
    bool Open() override;
    void Close() override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    qint64 Position() const override;
    void SetPosition(qint64 milliseconds) override;
    qint64 Length() const override;
    MediaMode Mode() const override;
    bool HasVideo() const override;
    void SetVideoOutput(QWidget* output) override;
    void SetNotify(bool notify) override { m_notify = notify; }
    void SetNotifyHandler(std::function<void()> handler) override {
        m_notifyHandler = std::move(handler);
    }

    // The player's own words for the last failure, for the format check.
    QString ErrorText() const;

private:
    // Every operation takes the notification request with it; `playing`:
    // whether the medium plays after the operation.
    void BeginOperation(bool playing);
    void WaitUntilLoaded();
    // The player, made on first use.
    QMediaPlayer& Player();
    void CreateVideo();

    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_audio = nullptr;
    QWidget* m_videoOutput = nullptr; // where the video goes once there is a player
    QVideoWidget* m_video = nullptr;
    QString m_fileName;
    bool m_playing = false;
    bool m_ended = false;
    bool m_notify = false;
    std::function<void()> m_notifyHandler;
};

} // namespace tevrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>

class QString;
class QWidget;

namespace tevrix {

// The modes a media player reports.
enum class MediaMode {
    NotReady,
    Stopped,
    Playing,
    Recording,
    Seeking,
    Paused,
    Open,
};

// The media player behind the media bar, as the bar drives it. Positions and
// lengths are in milliseconds. A notification is asked for the next operation
// only: every operation takes the request with it, and when that operation
// has taken effect the player calls the notify handler once.
class MediaPlayerDevice {
public:
    virtual ~MediaPlayerDevice() = default;

    virtual void SetFileName(const QString& path) = 0;
    // Opens the file last named, the kind of medium taken from the file
    // itself; false when it cannot be played.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual qint64 Position() const = 0;
    virtual void SetPosition(qint64 milliseconds) = 0;
    virtual qint64 Length() const = 0;
    virtual MediaMode Mode() const = 0;
    // Whether the open medium has pictures to show.
    virtual bool HasVideo() const = 0;
    // Where the pictures of a video go (given once; without it, none).
    virtual void SetVideoOutput(QWidget* output) = 0;

    virtual void SetNotify(bool notify) = 0;
    virtual void SetNotifyHandler(std::function<void()> handler) = 0;
};

} // namespace tevrix

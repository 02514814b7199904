// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/media/MediaPlayerDevice.h"
#include "ui/richtext/QuestionPicture.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QProgressBar;
class QTimer;
class QToolButton;

namespace tevrix {

// The media bar of a task with a sound or video: the player's Play, Pause
// and Stop buttons, a jump of ten seconds back, the position and length
// ("mm:ss (mm:ss)") over a thin progress bar, a jump of ten seconds forward,
// and above them the pictures of a video. A timer refreshes the label and
// the bar every 100 ms while the medium plays, and rewinds the medium when it
// reaches its end, so that Play starts it from the beginning again.
class MediaBar : public QWidget {
    Q_OBJECT

public:
    enum class PlayerButton { Play, Pause, Stop };

    static constexpr int kTimerInterval = 100; // ms
    static constexpr qint64 kJump = 10000;     // ms
    static constexpr int kControlsHeight = 35;
    static constexpr int kVideoHeight = 160;

    explicit MediaBar(std::unique_ptr<MediaPlayerDevice> player, QWidget* parent = nullptr);
    ~MediaBar() override;

    // Opens the task's medium `folder` + `fileName` without playing it: the
    // pupil presses Play. An empty name closes the player. A missing file
    // ("Файл \"%s\" отсутствует!") leaves the player as it was; a file the
    // player cannot open ("Ошибка открытия файла: %s") leaves it closed.
    // True when the medium is open.
    bool OpenTaskMedia(const std::string& fileName, const std::string& folder);
    // Closes the medium: timer off, label and progress back to zero.
    void Close();

    // Replaces the plain message box of the failures (tests collect the texts).
    void SetMessageHandler(ShowMessage showMessage) { m_showMessage = std::move(showMessage); }
    MediaPlayerDevice& Player() const { return *m_player; }
    bool TimerActive() const;
    // The height the bar needs: the controls, and the video when one shows.
    int NeededHeight() const;

    // What the bar does on its controls and events.
    void MediaPlayerClick(PlayerButton button);
    void MediaPlayerNotify();
    void MPTimerTimer();
    void bbMediaPositionMinusClick();
    void bbMediaPositionPlusClick();

signals:
    // The video area appeared or went: the bar needs NeededHeight().
    void NeededHeightChanged(int height);

private:
    QToolButton* NewButton(const char* name, const char* accessibleName, const QIcon& icon,
                           const QString& text = QString());
    void JumpBy(qint64 delta);
    void ResetDisplay();
    void SetOpen(bool open);
    void ShowVideo(bool shown);

    std::unique_ptr<MediaPlayerDevice> m_player;
    ShowMessage m_showMessage;
    bool m_open = false;

    QWidget* m_video = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QToolButton* m_minus = nullptr;
    QToolButton* m_plus = nullptr;
    QLabel* m_time = nullptr;
    QProgressBar* m_progress = nullptr;
    QTimer* m_timer = nullptr;
};

} // namespace tevrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/media/MediaBar.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "text/Format.h"
#include "ui/UiText.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/media/MediaTime.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tevrix {

MediaBar::MediaBar(std::unique_ptr<MediaPlayerDevice> player, QWidget* parent)
    : QWidget(parent), m_player(std::move(player)) {
    setObjectName("MediaBar");
    setAccessibleName(Tr("Воспроизведение"));
    m_showMessage = [this](const QString& text) { ShowPlainMessage(window(), FromQt(text)); };

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_video = new QWidget(this);
    m_video->setObjectName("MediaVideo");
    m_video->setAccessibleName(Tr("Видео"));
    m_video->setFixedHeight(kVideoHeight);
    m_video->hide();
    column->addWidget(m_video);
    m_player->SetVideoOutput(m_video);

    auto* controls = new QWidget(this);
    controls->setFixedHeight(kControlsHeight);
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    column->addWidget(controls);

    auto* mediaPlayer = new QWidget(controls);
    mediaPlayer->setObjectName("MediaPlayer");
    auto* buttons = new QHBoxLayout(mediaPlayer);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(1);
    m_play = NewButton("MediaPlayerPlay", N_("Воспроизвести"),
                       style()->standardIcon(QStyle::SP_MediaPlay));
    m_pause =
        NewButton("MediaPlayerPause", N_("Пауза"), style()->standardIcon(QStyle::SP_MediaPause));
    m_stop = NewButton("MediaPlayerStop", N_("Стоп"), style()->standardIcon(QStyle::SP_MediaStop));
    for (QToolButton* button : {m_play, m_pause, m_stop})
        buttons->addWidget(button);
    row->addWidget(mediaPlayer);

    m_minus = NewButton("bbMediaPositionMinus", N_("Назад на 10 секунд"), {}, "-");
    row->addWidget(m_minus);

    auto* middle = new QVBoxLayout;
    middle->setContentsMargins(4, 0, 4, 0);
    middle->setSpacing(1);
    m_time = new QLabel(controls);
    m_time->setObjectName("LabelMediaTime");
    m_time->setAccessibleName(Tr("Время воспроизведения"));
    m_time->setAlignment(Qt::AlignCenter);
    m_progress = new QProgressBar(controls);
    m_progress->setObjectName("MPProgressBar");
    m_progress->setAccessibleName(Tr("Ход воспроизведения"));
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(6);
    middle->addWidget(m_time);
    middle->addWidget(m_progress);
    row->addLayout(middle, 1);

    m_plus = NewButton("bbMediaPositionPlus", N_("Вперед на 10 секунд"), {}, "+");
    row->addWidget(m_plus);

    m_timer = new QTimer(this);
    m_timer->setObjectName("MPTimer");
    m_timer->setInterval(kTimerInterval);

    connect(m_play, &QToolButton::clicked, this, [this] { MediaPlayerClick(PlayerButton::Play); });
    connect(m_pause, &QToolButton::clicked, this,
            [this] { MediaPlayerClick(PlayerButton::Pause); });
    connect(m_stop, &QToolButton::clicked, this, [this] { MediaPlayerClick(PlayerButton::Stop); });
    connect(m_minus, &QToolButton::clicked, this, &MediaBar::bbMediaPositionMinusClick);
    connect(m_plus, &QToolButton::clicked, this, &MediaBar::bbMediaPositionPlusClick);
    connect(m_timer, &QTimer::timeout, this, &MediaBar::MPTimerTimer);
    // The player calls back on its own time, never inside the operation
    // that asked, so the handler may run any operation itself.
    m_player->SetNotifyHandler([this] { MediaPlayerNotify(); });

    ResetDisplay();
    SetOpen(false);
}

MediaBar::~MediaBar() {
    m_player->SetNotifyHandler({});
}

QToolButton* MediaBar::NewButton(const char* name, const char* accessibleName, const QIcon& icon,
                                 const QString& text) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAccessibleName(Tr(accessibleName));
    button->setToolTip(Tr(accessibleName));
    button->setIcon(icon);
    button->setText(text);
    button->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    button->setMinimumSize(30, 28);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

bool MediaBar::OpenTaskMedia(const std::string& fileName, const std::string& folder) {
    if (fileName.empty()) {
        Close();
        return false;
    }
    const std::string path = WithTrailingSlash(folder) + fileName;
    if (!FileExists(path)) {
        m_showMessage(ToQt(Format(TranslateText("Файл \"%s\" отсутствует!"), {path})));
        return false;
    }
    m_timer->stop();
    ResetDisplay();
    m_player->SetFileName(ToQt(path));
    if (!m_player->Open()) {
        Close();
        m_showMessage(ToQt(Format(TranslateText("Ошибка открытия файла: %s"), {path})));
        return false;
    }
    SetOpen(true);
    ShowVideo(m_player->HasVideo());
    m_player->SetNotify(true);
    return true;
}

void MediaBar::Close() {
    m_timer->stop();
    m_player->Close();
    ResetDisplay();
    SetOpen(false);
    ShowVideo(false);
}

bool MediaBar::TimerActive() const {
    return m_timer->isActive();
}

int MediaBar::NeededHeight() const {
    return kControlsHeight + (m_video->isVisibleTo(this) ? kVideoHeight : 0);
}

void MediaBar::ResetDisplay() {
    m_time->setText(QStringLiteral("%1 (%2)").arg(FormatMediaTime(0), FormatMediaTime(0)));
    m_progress->setValue(0);
}

void MediaBar::SetOpen(bool open) {
    m_open = open;
    for (QToolButton* button : {m_play, m_pause, m_stop, m_minus, m_plus})
        button->setEnabled(open);
}

void MediaBar::ShowVideo(bool shown) {
    if (m_video->isVisibleTo(this) == shown)
        return;
    m_video->setVisible(shown);
    emit NeededHeightChanged(NeededHeight());
}

void MediaBar::MediaPlayerClick(PlayerButton button) {
    if (!m_open)
        return;
    if (button == PlayerButton::Stop)
        m_timer->stop();
    else
        m_timer->start();
    // The button's own action: Pause on a paused medium resumes it.
    switch (button) {
    case PlayerButton::Play: m_player->Play(); break;
    case PlayerButton::Pause:
        if (m_player->Mode() == MediaMode::Paused)
            m_player->Play();
        else
            m_player->Pause();
        break;
    case PlayerButton::Stop: m_player->Stop(); break;
    }
}

void MediaBar::MediaPlayerNotify() {
    if (!m_open)
        return;
    const MediaMode mode = m_player->Mode();
    if (mode == MediaMode::Stopped)
        m_timer->stop();
    else if (mode == MediaMode::Playing)
        m_timer->start();
    m_player->SetNotify(true);
}

void MediaBar::MPTimerTimer() {
    if (m_player->Mode() != MediaMode::Playing)
        return;
    const qint64 position = m_player->Position();
    const qint64 length = m_player->Length();
    m_progress->setValue(MediaPercent(position, length));
    m_time->setText(
        QStringLiteral("%1 (%2)").arg(FormatMediaTime(position), FormatMediaTime(length)));
    // A medium of no known length has no end to reach yet.
    if (length > 0 && position == length) {
        m_player->Stop();
        m_player->SetPosition(0);
        m_progress->setValue(0);
        m_timer->stop();
    }
}

void MediaBar::JumpBy(qint64 delta) {
    if (!m_open || m_player->Mode() != MediaMode::Playing)
        return;
    m_player->SetPosition(m_player->Position() + delta);
    m_player->SetNotify(true);
    m_player->Play();
}

void MediaBar::bbMediaPositionMinusClick() {
    JumpBy(-kJump);
}

void MediaBar::bbMediaPositionPlusClick() {
    JumpBy(kJump);
}

} // namespace tevrix

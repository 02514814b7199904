// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/SoundPage.h"

#include "platform/Paths.h"
#include "text/Strings.h"
#include "ui/UiText.h"
#include "ui/settings/FolderBrowser.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {
namespace {

std::string Trimmed(const QLineEdit* edit) {
    return Trim(FromQt(edit->text()));
}

} // namespace

SoundPage::SoundPage(SettingsDialogServices& services)
    : SettingsPage(services, "TabSound"),
      m_useSound(
          NewCheckBox("CheckBoxUseSound", N_("Воспроизводить звук по окончанию тестирования"))),
      m_ownSound(NewCheckBox("CheckBoxOwnSound", N_("Указать свой звуковой файл (*.wav)"))),
      m_chooseFile(NewButton("ButtonChooseSoundFile", N_("Выбрать"))),
      m_chooseDir(NewButton("ButtonChooseSoundDir", N_("Выбрать"))),
      m_try(NewButton("ButtonTrySound", N_("Проба"))) {
    auto* grid = new QGridLayout;
    m_fileName = AddEditRow(grid, 0, "EditSoundFileName", N_("Имя файла:"));
    m_fileDir = AddEditRow(grid, 1, "EditSoundFileDir", N_("Папка:"));
    m_chooseFile->setAccessibleDescription(m_fileName->accessibleName());
    m_chooseDir->setAccessibleDescription(m_fileDir->accessibleName());
    grid->addWidget(m_chooseFile, 0, 2);
    grid->addWidget(m_chooseDir, 1, 2);
    grid->addWidget(NewNote(N_("Если пусто, то файл берется из папки с программой.")), 2, 1, 1, 2);
    Body()->addWidget(m_useSound);
    Body()->addWidget(m_ownSound);
    Body()->addLayout(grid);
    auto* row = new QHBoxLayout;
    row->addWidget(m_try);
    row->addStretch(1);
    Body()->addLayout(row);

    connect(m_useSound, &QCheckBox::clicked, this, [this](bool on) {
        m_try->setEnabled(on);
        ApplyEnabling();
        Changed();
    });
    connect(m_ownSound, &QCheckBox::clicked, this, [this] {
        ApplyEnabling();
        Changed();
    });
    for (QLineEdit* edit : {m_fileName, m_fileDir})
        connect(edit, &QLineEdit::textChanged, this, &SoundPage::Changed);
    connect(m_chooseFile, &QPushButton::clicked, this, &SoundPage::ChooseFile);
    connect(m_chooseDir, &QPushButton::clicked, this, &SoundPage::ChooseFolder);
    connect(m_try, &QPushButton::clicked, this, &SoundPage::TrySound);
}

void SoundPage::Fill() {
    const Settings& settings = StationSettings();
    m_fileName->setText(ToQt(settings.SoundFileName));
    m_fileDir->setText(ToQt(settings.SoundFileDir));
    m_useSound->setChecked(settings.IsUseSound);
    m_ownSound->setChecked(settings.IsUseSound && !settings.IsUseDefaultSound);
    m_try->setEnabled(settings.IsUseSound);
    ApplyEnabling();
}

void SoundPage::ApplyEnabling() {
    const bool use = m_useSound->isChecked();
    const bool own = use && m_ownSound->isChecked();
    m_ownSound->setEnabled(use);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_fileName, m_fileDir, m_chooseFile, m_chooseDir})
        widget->setEnabled(own);
}

QString SoundPage::NameFilter(const QString& filter) {
    const int bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filter;
    QString description = filter.left(bar);
    const int bracket = description.lastIndexOf(QLatin1Char('('));
    if (bracket > 0)
        description = description.left(bracket);
    const QString pattern = filter.mid(bar + 1);
    return QStringLiteral("%1 (%2 %3)")
        .arg(description.trimmed(), pattern.toLower(), pattern.toUpper());
}

void SoundPage::ChooseFile() {
    QFileDialog dialog(this, QString(), m_fileDir->text(),
                       NameFilter(Tr("Звуковые файлы (*.wav)|*.WAV")));
    dialog.setObjectName("OpenSoundDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("WAV"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QFileInfo chosen(dialog.selectedFiles().first());
    m_fileName->setText(chosen.fileName());
    m_fileDir->setText(ToQt(WithTrailingSlash(FromQt(chosen.absolutePath()))));
}

void SoundPage::ChooseFolder() {
    if (const std::optional<QString> folder = BrowseForFolder(this, m_fileDir->text()))
        m_fileDir->setText(*folder);
}

void SoundPage::TrySound() {
    EndSoundPlayer& sound = Services().Sound;
    if (!m_ownSound->isChecked()) {
        sound.PlayDefaultEndSound();
        return;
    }
    std::string folder = Trimmed(m_fileDir);
    if (folder.empty())
        folder = Services().ProgramDir;
    sound.PlaySoundFile(WithTrailingSlash(folder) + Trimmed(m_fileName));
}

bool SoundPage::Apply() {
    const bool own = m_useSound->isChecked() && m_ownSound->isChecked();
    if (own && (!FitsConfigurationFile(m_fileName, ToQt(Trimmed(m_fileName))) ||
                !FitsConfigurationFile(m_fileDir, ToQt(Trimmed(m_fileDir)))))
        return false;
    Settings& settings = StationSettings();
    settings.IsUseSound = m_useSound->isChecked();
    settings.IsUseDefaultSound = !own;
    settings.SoundFileName = own ? Trimmed(m_fileName) : std::string();
    settings.SoundFileDir = own ? Trimmed(m_fileDir) : std::string();
    return true;
}

} // namespace tevrix

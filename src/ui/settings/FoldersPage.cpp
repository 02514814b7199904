// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/FoldersPage.h"

#include "config/Settings.h"
#include "text/Strings.h"
#include "ui/UiText.h"
#include "ui/settings/FolderBrowser.h"
#include "ui/widgets/CharacterFilter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tevrix {
namespace {

// The characters a file name cannot hold.
const QString kNotInFileNames = QStringLiteral("\"*/:<>?\\|");

std::string Trimmed(const QLineEdit* edit) {
    return Trim(FromQt(edit->text()));
}

} // namespace

FoldersPage::FoldersPage(SettingsDialogServices& services) : SettingsPage(services, "TabFolders") {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(0, 1);
    m_initialDir =
        AddFolderRow(grid, 0, "InitialDirOpenTest", N_("Папка для выбора теста по умолчанию:"));
    m_resultDir =
        AddFolderRow(grid, 2, "DirForResult", N_("Папка для сохранения результатов тестирования:"));
    auto* fileLabel = new QLabel(Tr("Имя файла для результатов в текстовом формате:"), this);
    m_resultFile = NewEdit("EditResultFileName", fileLabel->text());
    fileLabel->setBuddy(m_resultFile);
    auto* prefixLabel = new QLabel(Tr("Префикс для имени файла защищенных результатов:"), this);
    m_prefix = NewEdit("EditProtectionResultPrefix", prefixLabel->text());
    prefixLabel->setBuddy(m_prefix);
    grid->addWidget(fileLabel, 4, 0, 1, 3);
    grid->addWidget(m_resultFile, 5, 0, 1, 3);
    grid->addWidget(prefixLabel, 6, 0, 1, 3);
    grid->addWidget(m_prefix, 7, 0, 1, 3);
    Body()->addLayout(grid);

    new CharacterFilter(m_prefix, [](QChar c) { return !kNotInFileNames.contains(c); });
    for (QLineEdit* edit : {m_initialDir, m_resultDir, m_resultFile, m_prefix})
        connect(edit, &QLineEdit::textChanged, this, &FoldersPage::Changed);
}

QLineEdit* FoldersPage::AddFolderRow(QGridLayout* grid, int row, const char* name,
                                     const char* caption) {
    auto* label = new QLabel(Tr(caption), this);
    QLineEdit* edit = NewEdit((QByteArray("Edit") + name).constData(), label->text());
    label->setBuddy(edit);
    QPushButton* browse = NewButton((QByteArray("ButtonBrowse") + name).constData(), N_("Обзор"));
    QPushButton* clear = NewButton((QByteArray("ButtonClear") + name).constData(), N_("Очистить"));
    browse->setAccessibleDescription(label->text());
    clear->setAccessibleDescription(label->text());
    grid->addWidget(label, row, 0, 1, 3);
    grid->addWidget(edit, row + 1, 0);
    grid->addWidget(browse, row + 1, 1);
    grid->addWidget(clear, row + 1, 2);
    connect(browse, &QPushButton::clicked, this, [this, edit] {
        if (const std::optional<QString> folder = BrowseForFolder(this, edit->text()))
            edit->setText(*folder);
    });
    connect(clear, &QPushButton::clicked, this, [edit] {
        if (!edit->text().isEmpty())
            edit->clear();
    });
    return edit;
}

void FoldersPage::Fill() {
    const Settings& settings = StationSettings();
    m_initialDir->setText(ToQt(settings.InitialDirOpenTest));
    m_resultDir->setText(ToQt(settings.DirForResult));
    m_resultFile->setText(ToQt(settings.ResultFileName));
    m_prefix->setText(ToQt(settings.ProtectionResultPrefix));
}

bool FoldersPage::Apply() {
    // The two folders go into the configuration file; the file names live
    // only while the program runs.
    for (QLineEdit* edit : {m_initialDir, m_resultDir})
        if (!FitsConfigurationFile(edit, ToQt(Trimmed(edit))))
            return false;
    Settings& settings = StationSettings();
    settings.InitialDirOpenTest = Trimmed(m_initialDir);
    settings.DirForResult = Trimmed(m_resultDir);
    settings.ResultFileName = Trimmed(m_resultFile);
    if (settings.ResultFileName.empty())
        settings.ResultFileName = Settings{}.ResultFileName;
    settings.ProtectionResultPrefix = Trimmed(m_prefix);
    return true;
}

} // namespace tevrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/settings/SettingsPage.h"

namespace tevrix {

// "Звук": the sound at the end of a run, built in or a wave file of the
// teacher's choice, with a trial.
class SoundPage : public SettingsPage {
    Q_OBJECT

public:
    explicit SoundPage(SettingsDialogServices& services);

    // The Qt name filter of the file dialog from the translated filter text
    // "Звуковые файлы (*.wav)|*.WAV": the description, then the pattern in
    // both letter cases.
    static QString NameFilter(const QString& filter);

private:
    void Fill() override;
    bool Apply() override;
    void ApplyEnabling();
    void ChooseFile();
    void ChooseFolder();
    void TrySound();

    QCheckBox* m_useSound;
    QCheckBox* m_ownSound;
    QLineEdit* m_fileName;
    QLineEdit* m_fileDir;
    QPushButton* m_chooseFile;
    QPushButton* m_chooseDir;
    QPushButton* m_try;
};

} // namespace tevrix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings dialog over settings, a user store and a desktop of its own
// (all in a temporary folder), with a fake sound player and server.

#include "config/Settings.h"
#include "config/UserStore.h"
#include "frontend/EndSoundPlayer.h"
#include "ui/settings/SettingsPage.h"
#include "ui/settings/StudentAdditionConfigForm.h"
#include "ui/window/ModalScript.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

namespace tevrix::testing {

// Records what it was asked to play: "default" or the file's path.
class FakeSoundPlayer : public EndSoundPlayer {
public:
    void PlayDefaultEndSound() override { Played.push_back("default"); }
    void PlaySoundFile(const std::string& path) override { Played.push_back(path); }
    std::vector<std::string> Played;
};

// A message box that was shown: caption, text and icon.
struct ShownBox {
    QString Caption;
    QString Text;
    QMessageBox::Icon Icon;
};

class SettingsDialogFixture {
public:
    SettingsDialogFixture()
        : m_store((m_dir.path() + "/config/TevrixX/Student.ini").toStdString()),
          m_services{m_settings,
                     m_store,
                     m_sound,
                     [this](const ServerAddress& address) {
                         Tested.push_back(address);
                         return Reply;
                     },
                     [this] { ++Saves; },
                     [this] {
                         ++Loads;
                         if (OnLoad)
                             OnLoad();
                     },
                     DesktopPlaces{m_dir.path() + "/data", m_dir.path() + "/Desktop",
                                   m_dir.path() + "/bin/tevrix-student"},
                     (m_dir.path() + "/station/").toStdString()} {
        // Message boxes are answered with OK and remembered.
        m_script.Always("MessageBox", [this](QWidget& window) {
            auto& box = static_cast<QMessageBox&>(window);
            Boxes.push_back({box.windowTitle(), box.text(), box.icon()});
            box.accept();
        });
    }

    Settings& StationSettings() { return m_settings; }
    UserStore& Store() { return m_store; }
    SettingsDialogServices& Services() { return m_services; }
    FakeSoundPlayer& Sound() { return m_sound; }
    ModalScript& Script() { return m_script; }
    QString Folder() const { return m_dir.path(); }

    // The dialog, shown (not modally) on the tab.
    TStudentAdditionConfigForm& Open(int tab = 0) {
        m_form = std::make_unique<TStudentAdditionConfigForm>(m_services);
        m_form->show();
        m_form->ShowTab(tab);
        return *m_form;
    }
    TStudentAdditionConfigForm& Form() { return *m_form; }

    template <class T> T* Find(const char* name) const {
        auto* found = m_form->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }
    QPushButton* ApplyButton(int tab) const {
        return m_form->Page(tab).findChild<QPushButton*>("ButtonApply");
    }
    // Clicks near the left edge: on a check box's indicator, which a click in
    // the middle of a stretched box would miss.
    static void ClickButton(QAbstractButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void Click(const char* name) const { ClickButton(Find<QAbstractButton>(name)); }
    void ClickApply(int tab) const { ClickButton(ApplyButton(tab)); }
    // Replaces an edit's text by typing, as the teacher does.
    void Type(const char* edit, const QString& text) const {
        QLineEdit* field = Find<QLineEdit>(edit);
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        ModalScript::TypeText(field, text);
    }
    QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }

    std::vector<ServerAddress> Tested;
    Outcome Reply;
    int Saves = 0;
    int Loads = 0;
    std::function<void()> OnLoad;
    std::vector<ShownBox> Boxes;

private:
    QTemporaryDir m_dir;
    Settings m_settings;
    UserStore m_store;
    FakeSoundPlayer m_sound;
    SettingsDialogServices m_services;
    ModalScript m_script;
    std::unique_ptr<TStudentAdditionConfigForm> m_form;
};

} // namespace tevrix::testing

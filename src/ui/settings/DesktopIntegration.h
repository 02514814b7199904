// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace tevrix {

// Where the station meets the user's desktop.
struct DesktopPlaces {
    QString DataHome;       // $XDG_DATA_HOME, else ~/.local/share
    QString DesktopFolder;  // `xdg-user-dir DESKTOP`, else ~/Desktop
    QString ExecutablePath; // the running station

    static DesktopPlaces ForCurrentUser();
};

// A file the station puts on the desktop, with what it holds.
struct DesktopFile {
    QString Path;
    QByteArray Content;
    bool Executable = false;
};

// The station's place on a freedesktop.org desktop, all of it in the user's
// home: the MIME type of test files (*.tvf) with a desktop entry that opens
// them with this very executable and the station's icon (the association),
// and launchers on the desktop and in the applications menu folder "TevrixX".
// The file contents come from the canonical files built into the program.
class DesktopIntegration {
public:
    explicit DesktopIntegration(DesktopPlaces places);

    // The MIME type, the desktop entry and the icon, as written now.
    std::vector<DesktopFile> AssociationFiles() const;
    // The association is in place when each of its files holds exactly what
    // would be written now, so it is absent again once the executable moved.
    bool IsAssociated() const;
    // Writes the association's files, each replaced atomically; the path of
    // the first that could not be written, empty when all were.
    QString Associate() const;
    // Asks the desktop to read the new MIME type and desktop entry, when its
    // tools are installed; does not wait for them.
    void RefreshDatabases() const;

    // The launchers (with the icon they show); false when one could not be
    // written.
    bool CreateDesktopLauncher() const;
    bool CreateMenuLauncher() const;
    DesktopFile DesktopLauncher() const;
    DesktopFile MenuLauncher() const;

    // The value of a desktop entry's Exec key that starts `program` with the
    // given field codes: the program quoted and escaped as freedesktop.org's
    // desktop entry format asks.
    static QString ExecValue(const QString& program, const QString& fieldCodes);

private:
    DesktopFile Launcher(const QString& folder) const;
    DesktopFile Icon() const;
    QString Applications() const;

    DesktopPlaces m_places;
};

} // namespace tevrix

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/DesktopIntegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

// The resources of a static library are registered by hand, outside any
// namespace.
static void RegisterDesktopResources() {
    Q_INIT_RESOURCE(desktop);
}

namespace tevrix {
namespace {

const QString kEntryName = QStringLiteral("tevrix-student.desktop");
const QString kLauncherName = QStringLiteral("TevrixStudent.desktop");
const QString kMenuFolder = QStringLiteral("TevrixX");

QByteArray Resource(const QString& name) {
    static const bool registered = (RegisterDesktopResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/desktop/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A string value of a desktop entry: backslash and line breaks escaped.
QString EscapedString(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// The canonical entry with its Exec key naming `exec`; a launcher also gets
// its working folder and claims no file types (the association's entry does).
QByteArray Entry(const QString& exec, const QString& workingFolder) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(Resource(kEntryName)).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Exec=")))
            lines << QStringLiteral("Exec=") + exec;
        else if (!workingFolder.isEmpty() && line.startsWith(QStringLiteral("MimeType=")))
            lines << QStringLiteral("Path=") + EscapedString(workingFolder);
        else
            lines << line;
    }
    return lines.join(QLatin1Char('\n')).toUtf8();
}

bool Holds(const DesktopFile& file) {
    QFile existing(file.Path);
    // The files are small; anything larger differs anyway.
    if (!existing.open(QIODevice::ReadOnly) || existing.size() != file.Content.size())
        return false;
    return existing.readAll() == file.Content;
}

bool Write(const DesktopFile& file) {
    if (!QDir().mkpath(QFileInfo(file.Path).absolutePath()))
        return false;
    QSaveFile out(file.Path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file.Content) != file.Content.size() ||
        !out.commit())
        return false;
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    // Desktops start only launchers that may be executed.
    if (file.Executable)
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    return QFile::setPermissions(file.Path, permissions);
}

void StartDetached(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty())
        QProcess::startDetached(program, {folder});
}

QString DesktopFolderOfUser() {
    QProcess query;
    query.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("DESKTOP")});
    if (query.waitForFinished(3000) && query.exitStatus() == QProcess::NormalExit &&
        query.exitCode() == 0) {
        const QString folder = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
        if (QDir::isAbsolutePath(folder))
            return folder;
    }
    return QDir::homePath() + QStringLiteral("/Desktop");
}

} // namespace

DesktopPlaces DesktopPlaces::ForCurrentUser() {
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
            DesktopFolderOfUser(),
            QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath()};
}

DesktopIntegration::DesktopIntegration(DesktopPlaces places) : m_places(std::move(places)) {}

QString DesktopIntegration::ExecValue(const QString& program, const QString& fieldCodes) {
    // Quoted whole, with ", `, $ and \ escaped inside the quotes; then the
    // string escaping of every value (a literal backslash ends up as four),
    // and % doubled, which is no field code.
    QString quoted = QStringLiteral("\"");
    for (const QChar c : program) {
        if (QStringLiteral("\"`$\\").contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    QString value = EscapedString(quoted).replace(QLatin1Char('%'), QStringLiteral("%%"));
    return fieldCodes.isEmpty() ? value : value + QLatin1Char(' ') + fieldCodes;
}

QString DesktopIntegration::Applications() const {
    return m_places.DataHome + QStringLiteral("/applications/");
}

DesktopFile DesktopIntegration::Icon() const {
    return {m_places.DataHome + QStringLiteral("/icons/hicolor/scalable/apps/tevrix-student.svg"),
            Resource(QStringLiteral("tevrix-student.svg"))};
}

std::vector<DesktopFile> DesktopIntegration::AssociationFiles() const {
    return {
        {m_places.DataHome + QStringLiteral("/mime/packages/tevrix-student.xml"),
         Resource(QStringLiteral("tevrix-student-mime.xml"))},
        {Applications() + kEntryName,
         Entry(ExecValue(m_places.ExecutablePath, QStringLiteral("%f")), QString())},
        Icon(),
    };
}

bool DesktopIntegration::IsAssociated() const {
    for (const DesktopFile& file : AssociationFiles())
        if (!Holds(file))
            return false;
    return true;
}

QString DesktopIntegration::Associate() const {
    for (const DesktopFile& file : AssociationFiles())
        if (!Write(file))
            return file.Path;
    return {};
}

void DesktopIntegration::RefreshDatabases() const {
    StartDetached(QStringLiteral("update-mime-database"),
                  m_places.DataHome + QStringLiteral("/mime"));
    StartDetached(QStringLiteral("update-desktop-database"), Applications());
}

DesktopFile DesktopIntegration::Launcher(const QString& folder) const {
    const QString programFolder = QFileInfo(m_places.ExecutablePath).absolutePath() + '/';
    return {folder + QLatin1Char('/') + kLauncherName,
            Entry(ExecValue(m_places.ExecutablePath, QString()), programFolder), true};
}

DesktopFile DesktopIntegration::DesktopLauncher() const {
    return Launcher(m_places.DesktopFolder);
}

DesktopFile DesktopIntegration::MenuLauncher() const {
    return Launcher(Applications() + kMenuFolder);
}

bool DesktopIntegration::CreateDesktopLauncher() const {
    return Write(Icon()) && Write(DesktopLauncher());
}

bool DesktopIntegration::CreateMenuLauncher() const {
    return Write(Icon()) && Write(MenuLauncher());
}

} // namespace tevrix

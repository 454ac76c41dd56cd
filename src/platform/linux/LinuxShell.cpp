#include "LinuxShell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "AutoStart.h"
#include "DesktopBackground.h"
#include "DesktopEntry.h"
#include "IconFile.h"
#include "Launcher.h"
#include "LnkShortcut.h"
#include "UrlShortcut.h"

namespace {

// Shortcuts are a few hundred bytes; anything far larger is not one, and is not read whole.
constexpr qint64 kMaxShortcutSize = 4 * 1024 * 1024;

struct DisplayTool {
    const char* Desktop;
    const char* Program;
    std::initializer_list<const char*> Arguments;
};

}  // namespace

LinuxShell::LinuxShell()
    : FBackground(std::make_unique<TDesktopBackground>(TDesktopBackgroundSources::FromEnvironment())) {}

LinuxShell::~LinuxShell() = default;

bool LinuxShell::RunFile(const QString& fileName, const QString& params) {
    return LaunchFile(fileName, params);
}

QString LinuxShell::WallPaper() {
    return FBackground->WallPaper();
}

unsigned LinuxShell::DesktopColor() {
    return FBackground->Color();
}

QString LinuxShell::SpecialFolderPath(TSpecialFolder folder) {
    if (folder != TSpecialFolder::SF_Desktop) return QString();
    // Qt reads XDG_DESKTOP_DIR from user-dirs.dirs and falls back to ~/Desktop.
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

bool ReadShortcutBytes(const QString& extension, const QByteArray& bytes, TShortcutTarget& target) {
    const QString kind = extension.toLower();
    if (kind == QLatin1String("url")) {
        target = {ReadUrlShortcutTarget(bytes), QString()};
        return true;
    }
    std::optional<TShortcutTarget> read;
    if (kind == QLatin1String("lnk")) read = ReadLnkShortcut(bytes);
    if (kind == QLatin1String("desktop")) read = ReadDesktopShortcut(bytes);
    if (!read) return false;
    target = *read;
    return true;
}

bool LinuxShell::ReadShortcut(const QString& fileName, TShortcutTarget& target) {
    // Only regular files: opening a FIFO named like a shortcut would wait for a writer for ever.
    if (!QFileInfo(fileName).isFile()) return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxShortcutSize) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    const QFileInfo info(fileName);
    if (info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) != 0)
        return ReadShortcutBytes(info.suffix(), bytes, target);
    bool isApplication = false;
    const auto read = ReadDesktopShortcut(bytes, &isApplication);
    if (!read) return false;
    // An application entry is started as itself, through the desktop-entry launcher, so that
    // its Terminal= and Path= apply and the entry's trust is checked at the moment it runs.
    target = isApplication ? TShortcutTarget{info.absoluteFilePath(), QString()} : *read;
    return true;
}

bool LinuxShell::ExtractIconToFile(const QString& sourceFile, const QString& iconFile) {
    return WriteIconFile(IconForFile(sourceFile), iconFile);
}

QImage LinuxShell::FileIcon(const QString& fileName) {
    return IconImage(IconForFile(fileName));
}

bool LinuxShell::OpenDisplaySettings() {
    static const DisplayTool tools[] = {
        {"GNOME", "gnome-control-center", {"display"}},
        {"X-Cinnamon", "cinnamon-settings", {"display"}},
        {"MATE", "mate-display-properties", {}},
        {"XFCE", "xfce4-display-settings", {}},
        {"KDE", "systemsettings", {"kcm_kscreen"}},
        {"LXQt", "lxqt-config-monitor", {}},
        {"LXDE", "lxrandr", {}},
        {"", "arandr", {}},
    };
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    for (const DisplayTool& tool : tools) {
        const QString desktop = QString::fromLatin1(tool.Desktop);
        if (!desktop.isEmpty() && !desktops.contains(desktop, Qt::CaseInsensitive)) continue;
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool.Program));
        if (program.isEmpty()) continue;
        QStringList arguments;
        for (const char* argument : tool.Arguments) arguments.append(QString::fromLatin1(argument));
        return QProcess::startDetached(program, arguments);
    }
    return false;
}

QString LinuxShell::ShortcutName(const QString& fileName) {
    const QFileInfo info(fileName);
    // Only a regular file: opening a FIFO would wait for a writer.
    if (!info.isFile() || info.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) != 0)
        return QString();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxShortcutSize) return QString();
    return ReadDesktopEntryName(file.readAll());
}

bool LinuxShell::IsAutoStart() {
    return IsAutoStartEntryEnabled();
}

bool LinuxShell::SetAutoStart(bool enabled, const QString& program) {
    return WriteAutoStartEntry(enabled, program);
}

#include "uLaunchTarget.h"

#include <QRegularExpression>

#include "IPlatform.h"

namespace {

bool IsWindowsDrivePath(const QString& text) {
    return text.size() >= 3 && text.at(0).isLetter() && text.at(1) == QLatin1Char(':') &&
           (text.at(2) == QLatin1Char('\\') || text.at(2) == QLatin1Char('/'));
}

// "https:", "mailto:", "smb:", "MV:"… but not "C:\", which is a path.
bool HasScheme(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return !IsWindowsDrivePath(text) && scheme.match(text).hasMatch();
}

// Shares, remote and removable mounts, and the user-space file systems of GVFS and its kind.
bool IsSlowPath(const QString& path) {
    static const char* const prefixes[] = {"//", "\\\\", "/mnt/", "/media/", "/run/media/", "/net/", "/afs/"};
    for (const char* prefix : prefixes)
        if (path.startsWith(QLatin1String(prefix))) return true;
    static const char* const parts[] = {"/gvfs/", "/.gvfs/", "/sshfs/", "/kio-fuse"};
    for (const char* part : parts)
        if (path.contains(QLatin1String(part))) return true;
    return false;
}

}  // namespace

bool IsUncheckedTarget(const QString& AFileName) {
    const QString path = AFileName.trimmed();
    if (path.isEmpty() || HasScheme(path) || IsSlowPath(path)) return true;
    // "www.example.org" is an address; "firefox" a program the launcher finds on the search path.
    if (path.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) return true;
    const bool hasFolder = path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
    return !hasFolder;
}

TTargetState CheckLaunchTarget(const QString& AFileName) {
    if (IsUncheckedTarget(AFileName)) return TTargetState::TS_NotChecked;
    const QString path = AFileName.trimmed();
    IShell& shell = Platform().Shell();
    // A mapped drive looks like a local one by its name; only the system knows it is a share.
    if (shell.IsOnNetworkDrive(path)) return TTargetState::TS_NotChecked;
    return shell.TargetExists(path) ? TTargetState::TS_Present : TTargetState::TS_Missing;
}

QString TargetMissingText() {
    return QStringLiteral("目标不存在");
}

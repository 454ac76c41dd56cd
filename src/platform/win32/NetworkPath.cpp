#include "NetworkPath.h"

#include <windows.h>

bool IsNetworkPath(const QString& path) {
    QString native = path;
    native.replace(QLatin1Char('/'), QLatin1Char('\\'));
    // The long-path forms: "\\?\UNC\server\share" is a share, "\\?\C:\..." the drive's path.
    if (native.startsWith(QLatin1String("\\\\?\\")) || native.startsWith(QLatin1String("\\\\.\\"))) {
        native = native.mid(4);
        if (native.startsWith(QLatin1String("UNC\\"), Qt::CaseInsensitive)) return true;
    } else if (native.startsWith(QLatin1String("\\\\"))) {
        return true;
    }
    if (native.size() < 2 || !native.at(0).isLetter() || native.at(1) != QLatin1Char(':')) return false;
    if (native.size() > 2 && native.at(2) != QLatin1Char('\\')) return false;  // "C:file", relative
    const std::wstring root = native.left(2).toStdWString() + L"\\";
    return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}

#include "FakeShell.h"

#include <QFile>

bool FakeShell::RunFile(const QString& fileName, const QString& params) {
    Launches.push_back({fileName, params});
    return LaunchResult;
}

bool FakeShell::ReadShortcut(const QString& fileName, TShortcutTarget& target) {
    const auto found = Shortcuts.constFind(fileName);
    if (found == Shortcuts.constEnd()) return false;
    target = *found;
    return true;
}

bool FakeShell::ExtractIconToFile(const QString& sourceFile, const QString& iconFile) {
    ExtractedIcons.emplace_back(sourceFile, iconFile);
    return ExtractResult;
}

bool FakeShell::IsOnNetworkDrive(const QString& path) {
    NetworkChecks.push_back(path);
    if (path.startsWith(QLatin1String("\\\\")) || path.startsWith(QLatin1String("//"))) return true;
    if (path.size() < 2 || path.at(1) != QLatin1Char(':')) return false;
    return NetworkDrives.contains(path.left(2), Qt::CaseInsensitive);
}

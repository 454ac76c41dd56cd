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

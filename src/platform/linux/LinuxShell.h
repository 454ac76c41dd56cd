#pragma once
// The shell services on a Linux desktop: GIO for launching and settings, our own reader for Windows
// shortcuts, Qt for icons. Owned by the Qt platform and returned from its Shell().

#include <memory>

#include "IShell.h"

class TDesktopBackground;

class LinuxShell : public IShell {
public:
    LinuxShell();
    ~LinuxShell() override;

    bool RunFile(const QString& fileName, const QString& params) override;
    QString WallPaper() override;
    unsigned DesktopColor() override;
    // The user's desktop from the XDG user dirs; Linux has no desktop shared by all users.
    QString SpecialFolderPath(TSpecialFolder folder) override;
    bool ReadShortcut(const QString& fileName, TShortcutTarget& target) override;
    bool ExtractIconToFile(const QString& sourceFile, const QString& iconFile) override;
    QImage FileIcon(const QString& fileName) override;
    bool OpenDisplaySettings() override;
    QString ShortcutName(const QString& fileName) override;
    bool IsAutoStart() override;
    bool SetAutoStart(bool enabled, const QString& program) override;

private:
    std::unique_ptr<TDesktopBackground> FBackground;
};

// The shortcut readers behind ReadShortcut, by the file's extension (any letter case); false
// for bytes that are not a readable shortcut of that kind. Exposed for the fuzz targets.
bool ReadShortcutBytes(const QString& extension, const QByteArray& bytes, TShortcutTarget& target);

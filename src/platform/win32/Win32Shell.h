#pragma once
// The shell services on Windows: ShellExecuteW, the registry's wallpaper setting, the shell's
// special folders, shell links through IShellLinkW, .url files read as INI, icons from
// SHGetFileInfoW written as .ico files, starting at login through the registry's Run key.

#include "IShell.h"

class Win32Shell : public IShell {
public:
    bool RunFile(const QString& fileName, const QString& params) override;
    QString WallPaper() override;
    unsigned DesktopColor() override;
    QString SpecialFolderPath(TSpecialFolder folder) override;
    bool ReadShortcut(const QString& fileName, TShortcutTarget& target) override;
    bool ExtractIconToFile(const QString& sourceFile, const QString& iconFile) override;
    QImage FileIcon(const QString& fileName) override;
    bool OpenDisplaySettings() override;
    bool IsOnNetworkDrive(const QString& path) override;
    bool IsAutoStart() override;
    bool SetAutoStart(bool enabled, const QString& program) override;
};

// COM in the single-threaded apartment for the calling thread, initialised on first use and
// uninitialised when the thread ends. False when the thread already runs another apartment
// model and COM is not usable for the shell objects.
bool EnsureComForThisThread();

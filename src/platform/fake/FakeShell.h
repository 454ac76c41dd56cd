#pragma once
// Shell services for tests: launches are recorded and answered from a script, the wallpaper,
// colour and folders are settable, shortcuts are read from a table the test fills.

#include <QMap>
#include <QStringList>
#include <vector>

#include "IShell.h"

struct TRecordedLaunch {
    QString FileName;
    QString Params;
};

class FakeShell : public IShell {
public:
    bool RunFile(const QString& fileName, const QString& params) override;
    QString WallPaper() override {
        ++WallPaperReads;
        return WallPaperPath;
    }
    unsigned DesktopColor() override { return DesktopColorValue; }
    QString SpecialFolderPath(TSpecialFolder folder) override {
        return folder == TSpecialFolder::SF_Desktop ? DesktopPath : CommonDesktopPath;
    }
    bool ReadShortcut(const QString& fileName, TShortcutTarget& target) override;
    bool ExtractIconToFile(const QString& sourceFile, const QString& iconFile) override;
    QImage FileIcon(const QString& fileName) override {
        FileIconRequests.push_back(fileName);
        return FileIcons.value(fileName);
    }
    bool OpenDisplaySettings() override {
        ++DisplaySettingsOpened;
        return true;
    }
    QString ShortcutName(const QString& fileName) override { return ShortcutNames.value(fileName); }
    bool TargetExists(const QString& path) override {
        TargetChecks.push_back(path);
        return IShell::TargetExists(path);
    }
    bool IsOnNetworkDrive(const QString& path) override;
    bool IsAutoStart() override { return AutoStart; }
    bool SetAutoStart(bool enabled, const QString& program) override {
        if (!AutoStartResult) return false;
        AutoStart = enabled;
        AutoStartProgram = enabled ? program : QString();
        return true;
    }

    std::vector<TRecordedLaunch> Launches;
    bool LaunchResult = true;  // what RunFile answers
    QString WallPaperPath;
    int WallPaperReads = 0;
    unsigned DesktopColorValue = 0x00A56E3A;
    QString DesktopPath;
    QString CommonDesktopPath;
    QMap<QString, TShortcutTarget> Shortcuts;  // file name → what it points at; others fail
    std::vector<std::pair<QString, QString>> ExtractedIcons;
    bool ExtractResult = true;
    QMap<QString, QImage> FileIcons;  // file name → its icon; others have none
    std::vector<QString> FileIconRequests;
    int DisplaySettingsOpened = 0;
    std::vector<QString> TargetChecks;     // every path asked about, in order
    QStringList NetworkDrives;             // drive letters mapped to shares ("N:")
    std::vector<QString> NetworkChecks;    // every path whose drive was asked about, in order
    QMap<QString, QString> ShortcutNames;  // file name → the name the shortcut gives itself
    bool AutoStart = false;                // what the system says, whatever the menu shows
    QString AutoStartProgram;
    bool AutoStartResult = true;  // false: the setting cannot be written
};

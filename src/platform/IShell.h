#pragma once
// The desktop shell's services: launching, shortcuts, icons, the wallpaper setting and the
// special folders. The portable helpers of the configuration layer wrap these.

#include <QFileInfo>
#include <QImage>
#include <QString>

enum class TSpecialFolder { SF_Desktop, SF_CommonDesktop };

struct TShortcutTarget {
    QString Target;
    QString Params;
};

class IShell {
public:
    virtual ~IShell() = default;

    // Opens a program, document, shortcut or address with parameters. True only when the
    // launch really started.
    virtual bool RunFile(const QString& fileName, const QString& params) = 0;
    // The picture file of the desktop background; empty when none is set.
    virtual QString WallPaper() = 0;
    // The desktop background colour as 0x00BBGGRR.
    virtual unsigned DesktopColor() = 0;
    // A special folder without a trailing separator; empty when the platform has none.
    virtual QString SpecialFolderPath(TSpecialFolder folder) = 0;
    // Reads a .lnk, .url or .desktop shortcut. False when it cannot be read.
    virtual bool ReadShortcut(const QString& fileName, TShortcutTarget& target) = 0;
    // Writes the icon a file manager shows for the file as an .ico file.
    virtual bool ExtractIconToFile(const QString& sourceFile, const QString& iconFile) = 0;
    // The large icon a file manager shows for the file; a null image when there is none.
    virtual QImage FileIcon(const QString& fileName) = 0;
    // The name a shortcut gives itself (a .desktop entry's Name, in the user's language); empty
    // for other files and on platforms whose shortcuts carry no name.
    virtual QString ShortcutName(const QString& fileName) { return QString(); }
    // Whether a local file or folder is there. Asked only for paths on local disks: the caller
    // keeps network and removable mounts away from it, where the answer may take seconds.
    virtual bool TargetExists(const QString& path) { return QFileInfo::exists(path); }
    // Whether a path lies on a network share: a UNC path, or one on a drive letter mapped to a
    // share (Windows). Such paths are not looked at, whether the share is there or not.
    virtual bool IsOnNetworkDrive(const QString& path) { return false; }
    // Opens the system's display settings.
    virtual bool OpenDisplaySettings() = 0;

    // Starting at login. Linux writes an XDG autostart entry ($XDG_CONFIG_HOME/autostart/
    // marovia.desktop); Windows sets the value "Marovia" under HKCU\...\CurrentVersion\Run.
    // Whether the program is set to start when the user logs in, read afresh from the system.
    virtual bool IsAutoStart() { return false; }
    // Starts `program` at login (enabled) or no longer (not enabled). False when the setting
    // could not be written; platforms without the feature always answer false.
    virtual bool SetAutoStart(bool enabled, const QString& program) { return false; }
};

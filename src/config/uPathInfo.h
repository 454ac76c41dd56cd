#pragma once
// Where the program keeps its files. Every path is derived from the folder of the executable;
// folder values end with the platform's separator and the folders are created when first read.
//
// Portable or installed: when the executable's folder can be written, everything lives beside the
// executable (the program's original layout, and the only one on Windows). When it cannot (a
// package under /usr), the fixed pictures are still read from the executable's Images folder, but
// what the program writes, Data/ and Images/Temp/, moves to the user's own folder
// $XDG_DATA_HOME/marovia/ (by default ~/.local/share/marovia/), laid out as in the portable case.
// The choice is made once, when the object is created: a folder that changes its permissions
// while the program runs must not split the data between two places.

#include <QString>

class TPathInfo {
public:
    // `binPath` is the installation folder; by default the folder of the running executable.
    explicit TPathInfo(const QString& binPath = ExecutableFolder());

    QString BinPath() const { return FBinPath; }
    // True when the data lives beside the executable.
    bool IsPortable() const { return FUserPath == FBinPath; }
    // The folder that holds what the program writes: BinPath when portable, else the user's
    // data folder for the program (created on first read of a folder below it).
    QString UserPath() const { return FUserPath; }
    QString DataPath() const;
    QString ImagesPath() const;
    QString AddImageFile() const;
    QString SetButtonImageFile() const;
    QString CloseButtonImageFile() const;
    QString WinFileButtonImageFile() const;
    QString DockPanelLeftImageFile() const;
    QString DockPanelCenterImageFile() const;
    QString DockPanelRightImageFile() const;
    QString TempImagePath() const;
    QString TakeNoteImagePath() const;
    QString TakeNoteConfigFile() const;

    QString GetPlanPath(const QString& planName) const;
    QString GetPlanConfigFile(const QString& planName) const;

    static QString ExecutableFolder();
    // Whether the program may keep its data in `folder`; always true on Windows.
    static bool IsWritableFolder(const QString& folder);

private:
    QString UserFolder() const;

    QString FBinPath;
    QString FUserPath;
};

// The process-wide instance; it lives from start-up to shut-down (owned by the program entry).
extern TPathInfo* PathInfo;

// The platform's path separator as text ("/" here, "\" on Windows).
QString PathDelim();

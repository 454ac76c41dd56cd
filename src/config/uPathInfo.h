#pragma once
// Where the program keeps its files. Every path is derived from the folder of the executable;
// folder values end with the platform's separator and the folders are created when first read.

#include <QString>

class TPathInfo {
public:
    // `binPath` is the installation folder; by default the folder of the running executable.
    explicit TPathInfo(const QString& binPath = ExecutableFolder());

    QString BinPath() const { return FBinPath; }
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

private:
    QString FBinPath;
};

// The process-wide instance; it lives from start-up to shut-down (owned by the program entry).
extern TPathInfo* PathInfo;

// The platform's path separator as text ("/" here, "\" on Windows).
QString PathDelim();

#pragma once
// Whether what a launch button names is still there. Only local files and folders are looked at:
// web addresses, the system buttons' markers and bare program names are not files, and paths on
// network shares or removable and remote mounts are left alone, since asking about them can hang
// for seconds on a share that went away.

#include <QString>

enum class TTargetState {
    TS_Present,    // the file or folder is there
    TS_Missing,    // a local path that names nothing any more
    TS_NotChecked  // an address, a marker, a bare command, or a path that is not asked about
};

// True for what is never asked about (see above).
bool IsUncheckedTarget(const QString& AFileName);
// Asks the shell about local paths only (it tells which drive letters are mapped network shares).
TTargetState CheckLaunchTarget(const QString& AFileName);

// What a button whose target has gone shows in its hint.
QString TargetMissingText();

#pragma once
// Which paths lie on network shares: UNC paths ("\\server\share\...", also in the "\\?\UNC\" form)
// and paths on drive letters the system reports as remote (GetDriveTypeW's DRIVE_REMOTE: a mapped
// network drive, connected or not). Asking for a drive's type does not touch the share.

#include <QString>

bool IsNetworkPath(const QString& path);

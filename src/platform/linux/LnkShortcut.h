#pragma once
// Windows shell links (.lnk) as the desktop shortcut import sees them.

#include <QByteArray>

#include <optional>

#include "IShell.h"

// The link's target path (its network path when it has one, as the shell prefers it, else its
// local path, else the path its ID list names) and its arguments. Values the link does not hold are
// empty. Nothing when the bytes are not a sound shell link.
std::optional<TShortcutTarget> ReadLnkShortcut(const QByteArray& bytes);

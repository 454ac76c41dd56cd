#pragma once
// Windows shell links (.lnk) read with liblnk.

#include <QByteArray>

#include <optional>

#include "IShell.h"

// The link's target path (its network path when it has one, as the shell prefers it, else its
// local path) and its arguments. Values the link does not hold are empty. Nothing when the bytes
// are not a shell link.
std::optional<TShortcutTarget> ReadLnkShortcut(const QByteArray& bytes);

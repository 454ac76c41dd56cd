#pragma once
// freedesktop .desktop files as shortcuts: an application gives its program and arguments, a
// link gives its address.

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

#include "IShell.h"

// Splits an Exec value (already unescaped by the key-file reader) by the Desktop Entry quoting
// rules and drops the field codes (%f, %U, %i, …); "%%" stays as "%". Empty when the value is
// malformed (an unterminated quote) or names no program.
std::optional<QStringList> ParseDesktopExec(const QString& exec);

// The entry's Name in the user's language (Name[zh_CN] on a Chinese system, else Name); empty when
// the file does not parse or has none.
QString ReadDesktopEntryName(const QByteArray& bytes);

// Type=Application: Target is the program, Params its arguments joined as a command line.
// Type=Link: Target is the URL. Anything else, or a file that does not parse: nothing.
// `isApplication` tells the two kinds apart.
std::optional<TShortcutTarget> ReadDesktopShortcut(const QByteArray& bytes, bool* isApplication = nullptr);

// Whether a .desktop file may run its command without asking, as file managers decide: it is
// executable by this user, or a file manager marked it trusted (the metadata::trusted attribute),
// or it lies in one of the system's or the user's application folders.
bool DesktopEntryIsTrusted(const QString& path);

// The file managers' trust mark of a file: its metadata::trusted attribute as text, empty when it
// is not set or the system keeps no file metadata (GIO keeps it through gvfs). The reader is
// replaceable, so that the rule can be exercised where no metadata store runs; SetTrustMarkReader
// returns the reader it replaced.
using TTrustMarkReader = std::function<QString(const QString& path)>;
QString ReadTrustMarkThroughGio(const QString& path);
TTrustMarkReader SetTrustMarkReader(TTrustMarkReader reader);

// Nautilus, Nemo and Caja write the text "true"; GIO gives a boolean attribute as "TRUE".
bool IsTrustMark(const QString& value);

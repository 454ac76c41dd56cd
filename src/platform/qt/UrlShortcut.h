#pragma once
// Internet shortcuts (.url): an INI file whose [InternetShortcut] section names the address.
// Read by hand because QSettings rewrites keys and values it does not understand.

#include <QByteArray>
#include <QString>

// The URL key of the InternetShortcut section (names in any letter case, first one wins), or the
// empty text when there is none. Text that is not UTF-8 is taken in the ANSI code page, as the
// system's own reader of such files takes it (CodePages.h).
QString ReadUrlShortcutTarget(const QByteArray& bytes);

// Decodes a text file written on Windows: a UTF-8 or UTF-16 byte order mark, else UTF-8 when it
// is valid, else the ANSI code page.
QString DecodeWindowsText(const QByteArray& bytes);

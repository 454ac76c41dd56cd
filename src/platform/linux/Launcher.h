#pragma once
// Starting what a launch button names, without ever going through a shell: programs are
// executed directly with their arguments, .desktop files through GIO's desktop-entry launcher,
// documents, folders and web addresses through the desktop's default handler.

#include <QString>

// True only when the start really happened, or when the user was asked and said no (nothing
// failed, so nothing is to be reported): false when the target does not exist, no handler exists
// for it, or starting failed. Asked first (Platform().MessageBox): a .desktop entry that is
// neither executable nor marked trusted, and a file:// address of a program or entry.
bool LaunchFile(const QString& fileName, const QString& params);

#pragma once
// Starting what a launch button names, without ever going through a shell: programs are
// executed directly with their arguments, .desktop files through GIO's desktop-entry launcher,
// documents, folders and web addresses through the desktop's default handler.

#include <QString>

// True only when the start really happened: false when the target does not exist, no handler
// exists for it, or starting failed.
bool LaunchFile(const QString& fileName, const QString& params);

#pragma once
// Starting at login on Windows: the value "Marovia" under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run holds the quoted path of the program, and
// Explorer starts every command there when the user logs in. Task Manager switches an entry off
// without deleting it, in ...\Explorer\StartupApproved\Run (a binary value whose first byte is odd).

#include <QString>

namespace Win32AutoStart {

// True when the Run value is there, names a command and is not switched off.
bool IsEnabled();
// Writes the Run value for `program`, or removes it. False when the registry refused.
bool Write(bool enabled, const QString& program);
// The command written for `program`: its native path in double quotes.
QString Command(const QString& program);

}  // namespace Win32AutoStart

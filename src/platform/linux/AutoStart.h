#pragma once
// Starting at login on a freedesktop system: an entry in the XDG autostart folder, which every
// desktop session (GNOME, KDE, XFCE, LXQt, …) runs when the user logs in.

#include <QString>

// $XDG_CONFIG_HOME/autostart/marovia.desktop ($XDG_CONFIG_HOME defaults to ~/.config).
QString AutoStartEntryFile();
// True when the entry exists and is not switched off (Hidden=true, or GNOME's
// X-GNOME-Autostart-enabled=false, which session tools write instead of deleting it).
bool IsAutoStartEntryEnabled();
// Writes the entry for `program` atomically, or removes it. False when that failed.
bool WriteAutoStartEntry(bool enabled, const QString& program);
// `program` as one Exec argument, quoted by the Desktop Entry rules when it needs quoting.
QString DesktopExecArgument(const QString& program);

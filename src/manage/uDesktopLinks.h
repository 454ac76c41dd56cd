#pragma once
// Turning the shortcut files on the desktop into launch buttons of a desktop panel.

#include <QString>

class TVGDesktopPanel;

// The extensions that count as shortcut files, compared without case.
bool IsDesktopLinkFile(const QString& AFileName);
// The name a button made from a shortcut file shows: its file name without the extension, the
// letters A–Z lowered.
QString DesktopLinkButtonName(const QString& ALinkFile);
// One desktop button per shortcut that resolves, in the order of the link list; returns how many.
int LoadDesktopLinksInto(TVGDesktopPanel& APanel);

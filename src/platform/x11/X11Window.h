#pragma once
// The few X11 window properties Qt has no flags for, written with xcb. Every function does
// nothing when the application does not run on X11.

#include <QRegion>
#include <QWindow>

namespace X11Window {

bool IsAvailable();

// Below every ordinary window, absent from taskbar and pager, on every workspace. Call after
// winId() and before the first show, so that the window manager reads them when it maps the window.
void SetDesktopLevelHints(WId window);

// Marks a window as a dock that reserves `width` pixels at the right edge of a screen of the given
// size (0 gives the strip back).
void SetRightStrut(WId window, int width, QSize screenSize);
// Maps a window as it is, without Qt rewriting its workspace and state first (Qt puts a window on
// the current workspace when it shows it).
void MapWindow(WId window);

// The pixels that take mouse input; everywhere else clicks reach the window below.
void SetInputShape(WId window, const QRegion& region);
// The pixels that are shown at all (used when no compositor blends transparent pixels).
void SetBoundingShape(WId window, const QRegion& region);
void ClearBoundingShape(WId window);

// Returns once the X server has handled every request sent so far.
void Sync();

// Asks the window manager to put the window at the bottom of its layer (as a pager would, so the
// request is honoured even while the window has just been activated).
void RestackToBottom(WId window);

}  // namespace X11Window

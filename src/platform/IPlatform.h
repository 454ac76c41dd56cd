#pragma once
// The one door between the portable program and the operating system. Every folder outside
// src/platform talks to the machine only through these interfaces; the executable installs the
// real implementation, the tests install the fake with its virtual clock.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "IHostWindow.h"
#include "IShell.h"

using TimerId = std::uint64_t;

enum class TMsgIcon { MI_None, MI_Information, MI_Question, MI_Warning, MI_Error };
enum class TMsgButtons { MB_Ok, MB_YesNo, MB_OkCancel, MB_YesNoCancel };
enum class TMsgResult { MR_Ok, MR_Cancel, MR_Yes, MR_No };

// One entry of a popup menu.
struct TPopupMenuItem {
    QString Caption;  // "-" makes a separator
    int Tag = 0;      // the command value some menus carry
    bool Checked = false;
    bool AutoCheck = false;  // the item turns its own check mark over before its handler runs
    bool Enabled = true;
    bool Visible = true;
    std::function<void()> OnClick;
    // Checking a radio item clears the check of the radio items beside it (one choice of several).
    bool RadioItem = false;
    // A sub-menu; an item that has one opens it instead of being chosen.
    std::vector<TPopupMenuItem> Items{};
};

// Performs the click of AItems[AIndex] as the user would: nothing when disabled, then the check
// mark (auto-check; a radio item checks itself and clears its radio neighbours), then the handler.
void ClickMenuItem(std::vector<TPopupMenuItem>& AItems, int AIndex);

// A font as the system font dialog shows and returns it.
struct TDialogFont {
    QString Family;
    int Height = 0;  // character height in pixels
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::uint32_t Color = 0;  // 0x00BBGGRR
};

// The open-file kind of programs: on Linux they have no extension, only the executable mark.
inline QString ExecutableFilesKind() {
    return QStringLiteral("可执行文件 (*)");
}

class IPopupMenu {
public:
    virtual ~IPopupMenu() = default;
    virtual std::vector<TPopupMenuItem>& Items() = 0;
    // Runs on opening, before the items are shown, so that check marks can be refreshed.
    virtual void SetOnPopup(std::function<void()> handler) = 0;
    // Opens at a screen position; returns once the menu has closed (the chosen item's handler has run).
    virtual void Popup(QPoint screenPos) = 0;
    // Performs an item's click as the user would, auto-check first.
    virtual void Click(int index) = 0;
    // The same for an item of the sub-menu of the item at `index`.
    virtual void ClickSubItem(int index, int subIndex) = 0;
};

class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;
    virtual void SetToolTip(const QString& text) = 0;
    virtual void SetIcon(const QImage& icon) = 0;
    virtual void SetMenu(IPopupMenu* menu) = 0;
    virtual void SetOnDoubleClick(std::function<void()> handler) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // False when the desktop has no notification area to show the icon in.
    virtual bool IsAvailable() const = 0;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;

    // Time. The tick count is milliseconds from an arbitrary start; timers repeat until stopped.
    virtual std::uint64_t TickCount() const = 0;
    virtual TimerId StartTimer(int intervalMs, std::function<void()> tick) = 0;
    virtual void StopTimer(TimerId id) = 0;
    // Calls `changed` from the event loop when an entry of `folder` is added, removed or renamed;
    // where the system cannot tell, every `pollMs` instead. Stopped with StopTimer.
    virtual TimerId WatchFolder(const QString& folder, int pollMs, std::function<void()> changed) {
        return StartTimer(pollMs, std::move(changed));
    }
    // Runs a task once, from the event loop, after the current event has been handled.
    virtual void Post(std::function<void()> task) = 0;
    // Handles every event already waiting (may run timers and posted tasks).
    virtual void ProcessPendingEvents() = 0;
    // Runs the event loop until Quit; returns the exit code.
    virtual int Exec() = 0;
    // Asks the event loop to end; the normal shut-down follows.
    virtual void Quit() = 0;

    // Screen.
    virtual QRect WorkArea() const = 0;  // the primary screen's work area
    virtual QSize ScreenSize() const = 0;
    virtual QPoint CursorPos() const = 0;
    // Reserves (width > 0) or gives back (width == 0) a strip on the right of the primary screen.
    virtual void ReserveRightStrip(int width) = 0;
    // The handler runs, from the event loop, after the primary screen, its size or its work area
    // changed (a panel added, the screen resized, another screen made primary); an empty one stops it.
    virtual void SetOnScreenChanged(std::function<void()> handler) = 0;

    // The launch key: one key combination that reaches the program whatever window has the
    // keyboard (Super+Space on X11 where no other program holds it, else Ctrl+Alt+Space;
    // Win+Alt+Space on Windows). The handler runs from the event loop at each press; an empty one
    // gives the key back. Returns the combination's name, empty when none could be had.
    virtual QString SetOnLaunchKey(std::function<void()> handler) { return QString(); }

    // Windows.
    virtual std::unique_ptr<IHostWindow> CreateHostWindow(THostWindowKind kind) = 0;
    virtual std::unique_ptr<IPopupMenu> CreatePopupMenu() = 0;
    virtual std::unique_ptr<ITrayIcon> CreateTrayIcon() = 0;
    virtual TMsgResult MessageBox(const QString& text, const QString& title, TMsgIcon icon,
                                  TMsgButtons buttons) = 0;
    // Asks the user for an existing file to open. `filter` is in Qt's form, kinds separated by
    // ";;" ("PNG图标 (*.png);;ICON图标 (*.ico)"). The kind ExecutableFilesKind() lists only files
    // that may be run (and folders). Empty when the user cancels.
    virtual QString OpenFileName(const QString& filter) = 0;
    // Runs the font dialog modally on AFont; false when the user cancelled (AFont is then as given).
    virtual bool ChooseFont(TDialogFont& AFont) = 0;

    // Process.
    virtual void TrimWorkingSet() = 0;
    // A fingerprint of the process heap: equal values mean that, as far as can be told, nothing
    // was allocated or given back in between. 0 when it cannot be told.
    virtual std::uint64_t HeapFingerprint() const;

    // The shell services (launching, shortcuts, wallpaper, special folders, icons).
    virtual IShell& Shell() = 0;
};

// The installed platform. Set once by the executable or the test main before anything uses it.
IPlatform& Platform();
void SetPlatform(IPlatform* platform);

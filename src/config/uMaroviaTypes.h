#pragma once
// The small types every layer of the program shares.

#include <QObject>

#include <cstdint>
#include <functional>

// A built-in command, raised inside the scene and carried out by the main form.
enum TMVSysCommand : std::uint8_t {
    MVC_None,
    MVC_AddDesktopButton,
    MVC_ShowDock,
    MVC_ShowSideBar,
    MVC_ShowDesktopPanel,
    MVC_DesktopAttribute,
    MVC_DesktopMenuPopup,
    MVC_DockPanelManage,
    MVC_LoadDesktopLink,
    MVC_CreateTakeNote,
    MVC_DeleteTakeNote,
    MVC_ShowDesktopFile
};

// Where a launch button lives; stored as its ordinal in the button file.
enum TButtonPlace : std::uint8_t { BP_ToolBar = 0, BP_Dock = 1, BP_Desktop = 2 };

// The object that raised a command (a panel or a note) and the command.
using TOnBuildInEvent = std::function<void(QObject* Sender, TMVSysCommand SysCommand)>;

// The desktop panel's right-click menu of built-in commands.

#include "TVGDesktopPanel.h"

namespace {
const QString kSeparator = QStringLiteral("-");
}  // namespace

void TVGDesktopPanel::CreatePopupMenu() {
    if (!FPopupMenu->Items().empty()) return;
    AddMenuItem(QStringLiteral("新建便签"), MVC_CreateTakeNote);
    AddMenuItem(QStringLiteral("Win桌面快捷方式"), MVC_LoadDesktopLink);
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("管理按钮"), MVC_AddDesktopButton);
    AddMenuItem(QStringLiteral("显示Dock"), MVC_ShowDock, true);
    AddMenuItem(QStringLiteral("显示侧边栏"), MVC_ShowSideBar, true);
    AddMenuItem(QStringLiteral("电脑桌面"), MVC_ShowDesktopPanel);
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("属性"), MVC_DesktopAttribute);
}

void TVGDesktopPanel::AddMenuItem(const QString& ACaption, TMVSysCommand ACommand, bool AAutoCheck) {
    std::vector<TPopupMenuItem>& items = FPopupMenu->Items();
    const int index = static_cast<int>(items.size());
    TPopupMenuItem item;
    item.Caption = ACaption;
    item.Tag = ACommand;
    // The two check items start checked: the dock and the side bar start shown.
    item.AutoCheck = AAutoCheck;
    item.Checked = AAutoCheck;
    item.OnClick = [this, index] { MenuItemClick(index); };
    items.push_back(std::move(item));
}

void TVGDesktopPanel::AddMenuSeparator() {
    TPopupMenuItem item;
    item.Caption = kSeparator;
    FPopupMenu->Items().push_back(std::move(item));
}

void TVGDesktopPanel::PanelMouseDown(TvgObject*, TMouseButton Button, TShiftState, float, float) {
    if (Button != TMouseButton::mbRight) return;
    // The desktop file window's panel has no entries: there is nothing to open.
    if (FPopupMenu->Items().empty()) return;
    FPopupMenu->Popup(Platform().CursorPos());
}

void TVGDesktopPanel::PopupMenuPopup() {
    // The panel is the sender: the receiver finds the menu to refresh through Menu().
    if (FOnBuildInEvent) FOnBuildInEvent(this, MVC_DesktopMenuPopup);
}

void TVGDesktopPanel::MenuItemClick(int AItemIndex) {
    if (!FOnBuildInEvent) return;
    const int tag = FPopupMenu->Items().at(static_cast<std::size_t>(AItemIndex)).Tag;
    FOnBuildInEvent(this, static_cast<TMVSysCommand>(tag));
}

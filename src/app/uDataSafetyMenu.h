#pragma once
// The tray menu's items for the data's earlier versions: "恢复备份" (a sub-menu of the kept
// versions, newest first), "撤销删除便签", and the workspace export and import. They are found by
// caption, not position, so that the rest of the tray menu may change around them.

#include <QString>

#include <functional>

#include "IPlatform.h"

class TMaroviaManage;

class TDataSafetyMenu {
public:
    // AManage gives the scene manager, which the main form makes after its tray.
    TDataSafetyMenu(IPopupMenu& AMenu, std::function<TMaroviaManage*()> AManage);
    // Appends the items to the menu (the main form calls it where they belong in its order).
    void AddItems();
    // Fills the sub-menu from the backup folder and enables what can be done; run as the menu opens.
    void Refresh();

    static const QString RestoreCaption;
    static const QString UndoDeleteCaption;

private:
    TPopupMenuItem* Find(const QString& ACaption);

    IPopupMenu& FMenu;
    std::function<TMaroviaManage*()> FManage;
};

#include "uDataSafetyMenu.h"

#include <QDir>

#include "IShell.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "uTakeNoteManage.h"

const QString TDataSafetyMenu::RestoreCaption = QStringLiteral("恢复备份");
const QString TDataSafetyMenu::UndoDeleteCaption = QStringLiteral("撤销删除便签");

TDataSafetyMenu::TDataSafetyMenu(IPopupMenu& AMenu, std::function<TMaroviaManage*()> AManage)
    : FMenu(AMenu), FManage(std::move(AManage)) {}

void TDataSafetyMenu::AddItems() {
    auto& items = FMenu.Items();
    TPopupMenuItem separator;
    separator.Caption = QStringLiteral("-");
    items.push_back(separator);
    TPopupMenuItem restore;
    restore.Caption = RestoreCaption;
    items.push_back(restore);
    TPopupMenuItem undo;
    undo.Caption = UndoDeleteCaption;
    undo.OnClick = [this] {
        if (TMaroviaManage* manage = FManage()) manage->UndoDeleteTakeNote();
    };
    items.push_back(undo);
    TPopupMenuItem exportItem;
    exportItem.Caption = QStringLiteral("导出工作区");
    exportItem.OnClick = [this] {
        TMaroviaManage* manage = FManage();
        if (!manage) return;
        QString folder = Platform().Shell().SpecialFolderPath(TSpecialFolder::SF_Desktop);
        folder = folder.isEmpty() ? PathInfo->DataPath() : folder + PathDelim();
        manage->ExportWorkspace(folder);
    };
    items.push_back(exportItem);
    TPopupMenuItem importItem;
    importItem.Caption = QStringLiteral("导入工作区");
    importItem.OnClick = [this] {
        TMaroviaManage* manage = FManage();
        if (!manage) return;
        // Messages name the file as the system writes paths (backslashes on Windows).
        const QString fileName =
            QDir::toNativeSeparators(Platform().OpenFileName(QStringLiteral("Marovia工作区 (*.xml)")));
        if (!fileName.isEmpty()) manage->ImportWorkspace(fileName);
    };
    items.push_back(importItem);
    Refresh();
}

TPopupMenuItem* TDataSafetyMenu::Find(const QString& ACaption) {
    for (TPopupMenuItem& item : FMenu.Items())
        if (item.Caption == ACaption) return &item;
    return nullptr;
}

void TDataSafetyMenu::Refresh() {
    TMaroviaManage* manage = FManage();
    if (!manage) return;
    if (TPopupMenuItem* restore = Find(RestoreCaption)) {
        restore->Items.clear();
        const std::vector<TBackupEntry> versions = manage->TakeNoteManage()->BackupStore().Versions();
        for (const TBackupEntry& entry : versions) {
            TPopupMenuItem item;
            const QString kind =
                entry.Kind == TBackupKind::Notes ? QStringLiteral("便签") : QStringLiteral("按钮");
            item.Caption =
                kind + QLatin1Char(' ') + entry.Time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            item.OnClick = [this, entry] {
                if (TMaroviaManage* current = FManage()) current->RestoreBackup(entry);
            };
            restore->Items.push_back(std::move(item));
        }
        if (versions.empty()) {
            TPopupMenuItem none;
            none.Caption = QStringLiteral("（没有备份）");
            none.Enabled = false;
            restore->Items.push_back(std::move(none));
        }
    }
    if (TPopupMenuItem* undo = Find(UndoDeleteCaption))
        undo->Enabled = manage->TakeNoteManage()->CanUndoDelete();
}

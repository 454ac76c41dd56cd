// "应用" and "确定": the plan's file written from the list, the pictures of removed buttons
// deleted, the scene rebuilt.

#include <QFileInfo>

#include "IPlatform.h"
#include "uBackups.h"
#include "uImageFiles.h"
#include "uManageButtonModel.h"
#include "uMaroviaManage.h"
#include "uXmlDesktop.h"
#include "uXmlDocument.h"

std::exception_ptr TManageButtonModel::WriteRows(IXMLDesktop& ADesktop) const {
    try {
        // Taken on the first row only: an empty list leaves the root without an MVButtons element.
        IXMLDesktop_MVButtonsPtr buttons;
        for (const TButtonRow& row : FRows) {
            if (!buttons) buttons = ADesktop.MVButtons();
            const IXMLDesktop_MVButtons_MVButtonPtr item = buttons->Add();
            item->SetName(row.Caption);
            item->SetPlace(static_cast<int>(PlaceItems().indexOf(row.PlaceText)));
            item->SetIsRunAsk(YesNoToBool(row.RunAskText));
            item->SetFileName(row.FileName);
            item->SetCmdLine(row.CmdLine);
            item->SetImage(row.ImagePath.isEmpty() ? QString() : QFileInfo(row.ImagePath).fileName());
        }
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

void TManageButtonModel::Apply() {
    const IXMLDesktopPtr desktop = NewDesktop();
    std::exception_ptr failure = WriteRows(*desktop);
    bool saved = false;
    try {
        // The version being replaced stays restorable from the tray's "恢复备份".
        Backups().Keep(TBackupKind::Buttons, FManage.CurrentPlanConfigFile());
    } catch (const std::exception&) {
        // A backup that cannot be written does not stop "应用"; the save below reports a full disk.
    }
    try {
        desktop->OwnerDocument()->SaveToFile(FManage.CurrentPlanConfigFile());
        saved = true;
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    // Only once the new file is safely written: until then the old one still names these pictures.
    if (saved && !failure) {
        QStringList keep;
        for (const TButtonRow& row : FRows) keep << row.ImagePath;
        DeleteImageFiles(FTempImageList, FManage.CurrentPlanPath(), keep);
        FTempImageList.clear();
    }
    FManage.LoadFromFile();
    if (failure) std::rethrow_exception(failure);
    FApplyEnabled = false;
}

bool TManageButtonModel::BtnApplyClick() {
    try {
        Apply();
        return true;
    } catch (const std::exception& error) {
        Platform().MessageBox(QStringLiteral("应用失败！错误信息如下：\r\n") + ErrorMessage(error),
                              QStringLiteral("提示"), TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
        return false;
    }
}

bool TManageButtonModel::BtnOkClick() {
    if (FApplyEnabled && !BtnApplyClick()) return false;
    return true;
}

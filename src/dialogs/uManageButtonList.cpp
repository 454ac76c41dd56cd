// Reordering and deleting rows.

#include <utility>

#include "IPlatform.h"
#include "uManageButtonModel.h"

void TManageButtonModel::BtnupMoveClick() {
    FocusField(MF_List);
    if (FItemIndex <= 0) return;
    std::swap(FRows[static_cast<std::size_t>(FItemIndex)], FRows[static_cast<std::size_t>(FItemIndex - 1)]);
    --FItemIndex;
    FApplyEnabled = true;
}

void TManageButtonModel::BtnDownMoveClick() {
    FocusField(MF_List);
    if (FItemIndex < 0 || FItemIndex >= RowCount() - 1) return;
    std::swap(FRows[static_cast<std::size_t>(FItemIndex)], FRows[static_cast<std::size_t>(FItemIndex + 1)]);
    ++FItemIndex;
    FApplyEnabled = true;
}

void TManageButtonModel::BtnDeleteClick() {
    if (FItemIndex < 0) return;
    const QString question = QStringLiteral("确定要删除按钮【%1】吗？").arg(Row(FItemIndex).Caption);
    if (Platform().MessageBox(question, QStringLiteral("提示"), TMsgIcon::MI_Question,
                              TMsgButtons::MB_OkCancel) != TMsgResult::MR_Ok)
        return;
    const int index = FItemIndex;
    FTempImageList << Row(index).ImagePath;
    FRows.erase(FRows.begin() + index);
    if (FRows.empty())
        FItemIndex = -1;
    else
        FItemIndex = index < RowCount() ? index : 0;
    LvButtonsClick();
    FApplyEnabled = true;
}

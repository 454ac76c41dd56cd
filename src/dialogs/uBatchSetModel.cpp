#include "uBatchSetModel.h"

#include <algorithm>

#include "IPlatform.h"
#include "uManageButtonModel.h"

TBatchSetModel::TBatchSetModel(TManageButtonModel& AManageButton) : FManageButton(AManageButton) {}

void TBatchSetModel::LoadButtons() {
    FItems.clear();
    for (int row = 0; row < FManageButton.RowCount(); ++row) FItems.push_back({row, false});
}

QString TBatchSetModel::ItemCaption(int AIndex) const {
    return FManageButton.Row(FItems.at(static_cast<std::size_t>(AIndex)).Row).Caption;
}

int TBatchSetModel::GetCheckedCount() const {
    return static_cast<int>(
        std::count_if(FItems.begin(), FItems.end(), [](const TItem& item) { return item.Checked; }));
}

void TBatchSetModel::CbCheckAllClick(bool AChecked) {
    FCheckAll = AChecked;
    for (TItem& item : FItems) item.Checked = AChecked;
}

bool TBatchSetModel::BtnOkClick() {
    if (GetCheckedCount() == 0) {
        Platform().MessageBox(QStringLiteral("请勾选要设置的按钮！"), QStringLiteral("提示"),
                              TMsgIcon::MI_Information, TMsgButtons::MB_Ok);
        return false;
    }
    const QString placeText = PlaceItems().value(FPlaceIndex);
    const QString runAskText = BoolToYesNo(FRunAsk);
    for (const TItem& item : FItems)
        if (item.Checked) FManageButton.SetRowPlaceAndRunAsk(item.Row, placeText, runAskText);
    FManageButton.EnableApply();
    return true;
}

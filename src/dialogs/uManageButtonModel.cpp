#include "uManageButtonModel.h"

#include <QFileInfo>

#include "IPlatform.h"
#include "TVGBaseButton.h"
#include "uErrors.h"
#include "uMaroviaManage.h"
#include "uSameText.h"

QString TrimText(const QString& AText) {
    qsizetype first = 0;
    qsizetype last = AText.size();
    while (first < last && AText.at(first).unicode() <= u' ') ++first;
    while (last > first && AText.at(last - 1).unicode() <= u' ') --last;
    return AText.mid(first, last - first);
}

QString ErrorMessage(const std::exception& AError) {
    if (const auto* own = dynamic_cast<const EMvError*>(&AError)) return own->Message();
    return QString::fromLocal8Bit(AError.what());
}

namespace {

// A picture file that has gone or cannot be read simply leaves the button without an icon.
std::optional<TButtonPicture> ReadPicture(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return std::nullopt;
    try {
        return TButtonPicture::LoadFromFile(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

TManageButtonModel::TManageButtonModel(TMaroviaManage& AManage) : FManage(AManage) {}

void TManageButtonModel::LoadButtonList() {
    if (!QFileInfo::exists(FManage.CurrentPlanConfigFile())) return;
    FRows.clear();
    FItemIndex = -1;
    for (int i = 0; i < FManage.ButtonCount(); ++i) {
        const TVGBaseButton* button = FManage.GetButton(i);
        // The system button and the imported desktop shortcuts are not the plan's own buttons.
        if (button->IsSystemButton() || button->IsDesktopLink()) continue;
        TButtonRow row;
        row.Caption = button->ButtonName();
        row.PlaceText = PlaceItems().value(button->Place());
        row.RunAskText = BoolToYesNo(button->IsRunAsk());
        row.FileName = button->FileName();
        row.CmdLine = button->CmdLine();
        row.Picture = ReadPicture(button->ImageFile());
        if (row.Picture) row.ImagePath = button->ImageFile();
        FRows.push_back(std::move(row));
    }
}

void TManageButtonModel::SetRowPlaceAndRunAsk(int AIndex, const QString& APlaceText,
                                              const QString& ARunAskText) {
    TButtonRow& row = FRows.at(static_cast<std::size_t>(AIndex));
    row.PlaceText = APlaceText;
    row.RunAskText = ARunAskText;
}

void TManageButtonModel::SetItemIndex(int AIndex) {
    FItemIndex = AIndex >= 0 && AIndex < RowCount() ? AIndex : -1;
}

void TManageButtonModel::Hint(const QString& AText) const {
    Platform().MessageBox(AText, QStringLiteral("提示"), TMsgIcon::MI_Information, TMsgButtons::MB_Ok);
}

void TManageButtonModel::FocusField(TManageField AField) const {
    if (FOnFocusField) FOnFocusField(AField);
}

bool TManageButtonModel::ButtonNameExists(const QString& AName) const {
    return std::any_of(FRows.begin(), FRows.end(),
                       [&](const TButtonRow& row) { return SameText(row.Caption, AName); });
}

void TManageButtonModel::ClearButtonInfo() {
    FName.clear();
    FCmdLine.clear();
    FFileName.clear();
    FPlaceIndex = 0;
    FRunAsk = false;
    FPicture.reset();
}

void TManageButtonModel::LvButtonsClick() {
    FRowButtonsEnabled = FItemIndex >= 0;
    if (FItemIndex < 0) {
        FSaveMode = SM_Add;
        ClearButtonInfo();
        return;
    }
    const TButtonRow& row = Row(FItemIndex);
    FName = row.Caption;
    FPlaceIndex = static_cast<int>(PlaceItems().indexOf(row.PlaceText));
    FRunAsk = YesNoToBool(row.RunAskText);
    FFileName = row.FileName;
    FCmdLine = row.CmdLine;
    FPicture = ReadPicture(row.ImagePath);
    FSaveMode = SM_Edit;
}

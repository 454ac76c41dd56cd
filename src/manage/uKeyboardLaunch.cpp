#include "uKeyboardLaunch.h"

#include "IPlatform.h"
#include "TVGBaseButton.h"
#include "TVGDesktopPanel.h"
#include "uMaroviaManage.h"
#include "vgBrush.h"
#include "vgFont.h"
#include "vgPosition.h"
#include "vgRectangle.h"
#include "vgText.h"

namespace {

constexpr float kBoxWidth = 420;
constexpr float kBoxHeight = 36;
constexpr float kBoxTop = 40;  // below the switch at the top of the screen
// How much of a button that does not match still shows.
constexpr float kDimmed = 0.25f;

bool IsTypedCharacter(QChar AText, TShiftState AShift) {
    if (AShift.testFlag(TShiftFlag::ssCtrl) || AShift.testFlag(TShiftFlag::ssAlt)) return false;
    return !AText.isNull() && AText.isPrint();
}

}  // namespace

TKeyboardLaunch::TKeyboardLaunch(TMaroviaManage& AManage) : FManage(AManage) {}

TKeyboardLaunch::~TKeyboardLaunch() = default;

void TKeyboardLaunch::EnsureBox() {
    if (FBox) return;
    TVGDesktopPanel* panel = FManage.DesktopPanel();
    auto* box = new TvgRectangle(panel);
    box->SetParent(panel);
    box->SetWidth(kBoxWidth);
    box->SetHeight(kBoxHeight);
    box->SetxRadius(6);
    box->SetyRadius(6);
    box->SetHitTest(false);
    box->SetCanFocused(true);
    box->Fill()->SetColor(QStringLiteral("#D0202636"));
    box->Stroke()->SetColor(QStringLiteral("#FF7E8BC4"));
    box->SetOnKeyDown(
        [this](TvgObject*, int& Key, QChar& KeyChar, TShiftState Shift) { KeyDown(Key, KeyChar, Shift); });
    FBoxText = new TvgText(box);
    FBoxText->SetParent(box);
    FBoxText->SetAlign(vaClient);
    FBoxText->SetHitTest(false);
    FBoxText->SetWordWrap(false);
    FBoxText->Fill()->SetColor(QStringLiteral("#FFFFFFFF"));
    FBoxText->Font()->SetFamily(QStringLiteral("宋体"));
    FBoxText->Font()->SetSize(16);
    FBox = box;
}

void TKeyboardLaunch::Start() {
    EnsureBox();
    FActive = true;
    FFilter.clear();
    const auto width = static_cast<float>(Platform().WorkArea().width());
    FBox->Position()->SetPoint({(width - kBoxWidth) / 2, kBoxTop});
    FBox->SetVisible(true);
    FBox->BringToFront();
    FBox->SetFocus();
    Refilter();
}

void TKeyboardLaunch::Stop() {
    if (!FActive) return;
    FActive = false;
    Choose(-1);
    for (int i = 0; i < FManage.ButtonCount(); ++i) FManage.GetButton(i)->SetOpacity(1);
    FMatches.clear();
    FFilter.clear();
    if (FBox) FBox->SetVisible(false);
}

void TKeyboardLaunch::ButtonsChanged() {
    FMatches.clear();
    FChosen = -1;
    if (FActive) Refilter();
}

std::vector<TVGBaseButton*> TKeyboardLaunch::Matches() const {
    std::vector<TVGBaseButton*> matches;
    for (const auto& button : FMatches)
        if (button) matches.push_back(button.data());
    return matches;
}

TVGBaseButton* TKeyboardLaunch::Chosen() const {
    if (FChosen < 0 || FChosen >= static_cast<int>(FMatches.size())) return nullptr;
    return FMatches[static_cast<std::size_t>(FChosen)].data();
}

void TKeyboardLaunch::Refilter() {
    Choose(-1);
    FMatches.clear();
    for (int i = 0; i < FManage.ButtonCount(); ++i) {
        TVGBaseButton* button = FManage.GetButton(i);
        // System buttons open windows of the program; they launch nothing.
        const bool match = !button->IsSystemButton() && FMatcher.Matches(button->ButtonName(), FFilter);
        button->SetOpacity(match || FFilter.isEmpty() ? 1 : kDimmed);
        if (match) FMatches.emplace_back(button);
    }
    Choose(FMatches.empty() ? -1 : 0);
    ShowBoxText();
}

void TKeyboardLaunch::Choose(int AIndex) {
    if (TVGBaseButton* previous = Chosen()) previous->SetKeyboardHighlight(false);
    FChosen = AIndex;
    if (TVGBaseButton* chosen = Chosen()) chosen->SetKeyboardHighlight(true);
}

QString TKeyboardLaunch::BoxText() const {
    if (FFilter.isEmpty()) return QStringLiteral("输入名称或拼音查找按钮");
    if (FMatches.empty()) return QStringLiteral("查找：%1（没有匹配的按钮）").arg(FFilter);
    return QStringLiteral("查找：%1（%2个）").arg(FFilter).arg(FMatches.size());
}

void TKeyboardLaunch::ShowBoxText() {
    if (FBoxText) FBoxText->SetText(BoxText());
}

void TKeyboardLaunch::KeyDown(int AKey, QChar AText, TShiftState AShift) {
    if (!FActive) return;
    const int count = static_cast<int>(FMatches.size());
    switch (AKey) {
        case Qt::Key_Escape:
            Finish(false);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Finish(true);
            return;
        case Qt::Key_Backspace:
            if (FFilter.isEmpty()) return;
            FFilter.chop(1);
            Refilter();
            return;
        case Qt::Key_Right:
        case Qt::Key_Down:
        case Qt::Key_Tab:
            if (count > 0) Choose((FChosen + 1) % count);
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Backtab:
            if (count > 0) Choose((FChosen + count - 1) % count);
            return;
        default:
            break;
    }
    if (!IsTypedCharacter(AText, AShift)) return;
    FFilter += AText;
    Refilter();
}

void TKeyboardLaunch::Finish(bool ALaunch) {
    const QPointer<TVGBaseButton> chosen = ALaunch ? Chosen() : nullptr;
    Stop();
    // The panel goes and the keyboard is given back before a confirmation box may ask.
    if (FOnFinish)
        FOnFinish();
    else
        FManage.SetIsShowDesktop(false);
    if (chosen) chosen->ButtonClick(chosen.data());
}

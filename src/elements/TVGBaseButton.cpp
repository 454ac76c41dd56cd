#include "TVGBaseButton.h"

#include "IPlatform.h"
#include "uCursors.h"
#include "uLaunchTarget.h"
#include "uPubFuns.h"
#include "vgBitmap.h"
#include "vgBounds.h"
#include "vgBrush.h"
#include "vgEllipse.h"
#include "vgImage.h"
#include "vgPosition.h"
#include "vgRectangle.h"
#include "vgText.h"

namespace {

constexpr float kBadgeSide = 14;

// Blanks and control characters at either end, as a trim of the parameters for display.
QString TrimmedForDisplay(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first).unicode() <= u' ') ++first;
    while (last > first && text.at(last - 1).unicode() <= u' ') --last;
    return text.mid(first, last - first);
}

}  // namespace

TVGBaseButton::TVGBaseButton(QObject* AOwner) : TvgLayout(AOwner) {
    SetWidth(40);
    SetHeight(40);

    FBackGround = new TvgRectangle(this);
    FBackGround->SetParent(this);
    FBackGround->SetAlign(vaClient);
    FBackGround->SetxRadius(2);
    FBackGround->SetyRadius(2);
    FBackGround->SetHitTest(true);
    FBackGround->SetCursor(crHandPoint);
    // Alpha 1: invisible, yet not fully transparent, so the host window takes the mouse over the
    // whole button and not only over the opaque pixels of its icon.
    FBackGround->Fill()->SetColor(QStringLiteral("#01000000"));
    FBackGround->Stroke()->SetColor(FDefaultColor);

    FImage = new TvgImage(this);
    FImage->SetParent(FBackGround);
    FImage->SetAlign(vaClient);
    FImage->Padding()->SetRect(TvgRect{1, 1, 1, 1});
    FImage->SetHitTest(false);
}

void TVGBaseButton::SetButtonName(const QString& Value) {
    if (Value == FButtonName) return;
    FButtonName = Value;
}

void TVGBaseButton::SetImageFile(const QString& Value) {
    if (Value == FImageFile) return;
    FImageFile = Value;
    FPictureDue = true;
    if (!FPictureWhenShown) LoadDuePicture();
}

void TVGBaseButton::LoadDuePicture() {
    if (!FPictureDue) return;
    FPictureDue = false;
    FImage->Bitmap()->LoadFromFile(FImageFile, QSize(kButtonPictureSide, kButtonPictureSide));
}

TvgImage* TVGBaseButton::Image() const {
    // Asking for the icon is a first need, as drawing it is.
    if (FPictureDue) const_cast<TVGBaseButton*>(this)->LoadDuePicture();
    return FImage;
}

void TVGBaseButton::ButtonClick(TvgObject*) {
    if (FIsRunAsk) {
        QString question = QStringLiteral("确定要运行【%1】吗？\r\n执行路径：%2").arg(FButtonName, FFileName);
        if (!TrimmedForDisplay(FCmdLine).isEmpty()) question += QStringLiteral("\r\n运行参数：") + FCmdLine;
        const TMsgResult answer = Platform().MessageBox(question, QStringLiteral("提示"),
                                                        TMsgIcon::MI_Question, TMsgButtons::MB_YesNo);
        if (answer != TMsgResult::MR_Yes) return;
    }
    if (RunFile(FFileName, FCmdLine)) return;
    Platform().MessageBox(QStringLiteral("运行【%1】失败！").arg(FButtonName), QStringLiteral("提示"),
                          TMsgIcon::MI_Error, TMsgButtons::MB_Ok);
}

void TVGBaseButton::SetIsTargetMissing(bool Value) {
    if (Value == FIsTargetMissing) return;
    FIsTargetMissing = Value;
    if (!FMissingBadge) {
        // Made when drawn; the button's area is drawn again for it now.
        if (Value) Repaint();
        return;
    }
    FMissingBadge->Position()->SetPoint({Width() - kBadgeSide - 1, 1});
    FMissingBadge->SetVisible(Value);
}

TvgEllipse* TVGBaseButton::MissingBadge() const {
    // Asking for the badge of a missing target is a first need, as drawing it is.
    if (FIsTargetMissing && !FMissingBadge) const_cast<TVGBaseButton*>(this)->MakeMissingBadge();
    return FMissingBadge;
}

void TVGBaseButton::MakeMissingBadge() {
    FMissingBadge = new TvgEllipse(this);
    FMissingBadge->SetParent(this);
    FMissingBadge->SetWidth(kBadgeSide);
    FMissingBadge->SetHeight(kBadgeSide);
    FMissingBadge->SetHitTest(false);
    FMissingBadge->Fill()->SetColor(QStringLiteral("#FFD8352A"));
    FMissingBadge->Stroke()->SetColor(QStringLiteral("#FFFFFFFF"));
    auto* mark = new TvgText(FMissingBadge);
    mark->SetParent(FMissingBadge);
    mark->SetAlign(vaClient);
    mark->SetHitTest(false);
    mark->SetText(QStringLiteral("!"));
    mark->Fill()->SetColor(QStringLiteral("#FFFFFFFF"));
    mark->Font()->SetSize(11);
    mark->Font()->SetStyle(vgFontBold);
    FMissingBadge->Position()->SetPoint({Width() - kBadgeSide - 1, 1});
}

void TVGBaseButton::BeforePaintStep(TvgCanvas& Canvas) {
    if (FIsTargetMissing && !FMissingBadge) MakeMissingBadge();
    LoadDuePicture();
    TvgLayout::BeforePaintStep(Canvas);
}

QString TVGBaseButton::HintText() const {
    if (!FIsTargetMissing) return FButtonName;
    return QStringLiteral("%1（%2）").arg(FButtonName, TargetMissingText());
}

void TVGBaseButton::SetWidth(float value) {
    TvgLayout::SetWidth(value);
    if (FMissingBadge) FMissingBadge->Position()->SetPoint({Width() - kBadgeSide - 1, 1});
}

void TVGBaseButton::SetKeyboardHighlight(bool Value) {
    FBackGround->Stroke()->SetColor(Value ? FHotColor : FDefaultColor);
}

#include "vgButton.h"

#include "vgClassRegistry.h"
#include "vgRectangle.h"

VG_REGISTER_CLASS(TvgCustomButton)
VG_REGISTER_CLASS(TvgCornerButton)

namespace {
constexpr int RepeatDelayMs = 500;
constexpr int RepeatIntervalMs = 100;
const QString PressedTrigger = QStringLiteral("IsPressed");
}  // namespace

TvgCustomButton::TvgCustomButton(QObject* AOwner) : TvgTextControl(AOwner) {
    SetWidth(80);
    SetHeight(22);
    SetAutoCapture(true);
    SetCanFocused(true);
    SetWordWrap(false);
}

TvgCustomButton::~TvgCustomButton() {
    StopRepeat();
}

void TvgCustomButton::SetIsPressed(bool value) {
    if (value == FIsPressed) return;
    FIsPressed = value;
    StartTriggerAnimation(this, PressedTrigger);
    ApplyTriggerEffect(this, PressedTrigger);
    Repaint();
}

void TvgCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    if (Button == TMouseButton::mbLeft) {
        SetIsPressed(FStaysPressed ? !FIsPressed : true);
        if (FRepeatClick) StartRepeat();
    }
    TvgTextControl::MouseDown(Button, Shift, X, Y);
}

void TvgCustomButton::MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) {
    if (Shift.testFlag(TShiftFlag::ssLeft) && Pressed() && !FStaysPressed)
        SetIsPressed(X >= 0 && X <= Width() && Y >= 0 && Y <= Height());
    TvgTextControl::MouseMove(Shift, X, Y, Dx, Dy);
}

void TvgCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
    StopRepeat();
    if (!FStaysPressed) SetIsPressed(false);
    TvgTextControl::MouseUp(Button, Shift, X, Y);
}

void TvgCustomButton::DblClick() {
    TvgTextControl::DblClick();
    Click();
}

void TvgCustomButton::KeyDown(int& Key, QChar& KeyChar, TShiftState Shift) {
    TvgTextControl::KeyDown(Key, KeyChar, Shift);
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Space) Click();
}

void TvgCustomButton::StartRepeat() {
    StopRepeat();
    FRepeatTimer = Platform().StartTimer(RepeatDelayMs, [this] {
        // After the first delay the button clicks at the faster pace until it is released.
        StopRepeat();
        Click();
        FRepeatTimer = Platform().StartTimer(RepeatIntervalMs, [this] { Click(); });
    });
}

void TvgCustomButton::StopRepeat() {
    if (FRepeatTimer == 0) return;
    Platform().StopTimer(FRepeatTimer);
    FRepeatTimer = 0;
}

TvgCornerButton::TvgCornerButton(QObject* AOwner) : TvgCustomButton(AOwner) {}

void TvgCornerButton::SetxRadius(float value) {
    if (value == FxRadius) return;
    FxRadius = value;
    ApplyCorners();
}

void TvgCornerButton::SetyRadius(float value) {
    if (value == FyRadius) return;
    FyRadius = value;
    ApplyCorners();
}

void TvgCornerButton::SetCorners(TvgCorners value) {
    if (value == FCorners) return;
    FCorners = value;
    ApplyCorners();
}

void TvgCornerButton::SetCornerType(TvgCornerType value) {
    if (value == FCornerType) return;
    FCornerType = value;
    ApplyCorners();
}

void TvgCornerButton::SetSides(TvgSides value) {
    if (value == FSides) return;
    FSides = value;
    ApplyCorners();
}

void TvgCornerButton::StyleApplied() {
    TvgCustomButton::StyleApplied();
    FBackground = qobject_cast<TvgRectangle*>(FindResource(QStringLiteral("Background")));
    ApplyCorners();
}

void TvgCornerButton::StyleFreeing() {
    FBackground = nullptr;
    TvgCustomButton::StyleFreeing();
}

void TvgCornerButton::ApplyCorners() {
    if (!FBackground) return;
    FBackground->SetCornerType(FCornerType);
    FBackground->SetCorners(FCorners);
    FBackground->SetxRadius(FxRadius);
    FBackground->SetyRadius(FyRadius);
    FBackground->SetSides(FSides);
}

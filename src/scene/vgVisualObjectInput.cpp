// The mouse, keyboard and focus steps of a visual object. The scene finds the target and converts
// the point to local coordinates before calling them.

#include <QPointer>

#include <cmath>
#include <utility>

#include "IPlatform.h"
#include "IvgScene.h"
#include "vgVisualObject.h"

namespace {

const QString kIsMouseOver = QStringLiteral("IsMouseOver");
const QString kIsFocused = QStringLiteral("IsFocused");

// Calls a copy of a handler: a handler that frees its own object frees the stored one with it, and
// must not run on in that freed memory.
template <typename Handler, typename... Args>
void CallHandler(const Handler& handler, Args&&... args) {
    if (!handler) return;
    const Handler copy = handler;
    copy(std::forward<Args>(args)...);
}

}  // namespace

void TvgVisualObject::MouseEnter() {
    FIsMouseOver = true;
    StartTriggerAnimation(this, kIsMouseOver);
    ApplyTriggerEffect(this, kIsMouseOver);
    if (FHandlers) CallHandler(FHandlers->MouseEnter, this);
}

void TvgVisualObject::MouseLeave() {
    FIsMouseOver = false;
    StartTriggerAnimation(this, kIsMouseOver);
    ApplyTriggerEffect(this, kIsMouseOver);
    if (FHandlers) CallHandler(FHandlers->MouseLeave, this);
}

void TvgVisualObject::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    // A handler may free the object; nothing of it is touched afterwards.
    const QPointer<TvgVisualObject> self(this);
    if (FCanFocused && !FIsFocused) SetFocus();
    if (!self) return;
    if (FHandlers) CallHandler(FHandlers->MouseDown, this, Button, Shift, X, Y);
    if (!self) return;
    if (Button == TMouseButton::mbRight) {
        ContextMenu(X, Y);
        return;
    }
    if (FAutoCapture && Scene()) Scene()->SetCaptured(this);
    if (Shift.testFlag(TShiftFlag::ssDouble)) {
        DblClick();
        if (self) FDoubleClick = true;
    } else if (Button == TMouseButton::mbLeft) {
        FPressed = true;
    }
}

void TvgVisualObject::MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) {
    if (FHandlers) CallHandler(FHandlers->MouseMove, this, Shift, X, Y, Dx, Dy);
}

void TvgVisualObject::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
    const QPointer<TvgVisualObject> self(this);
    if (Scene() && Scene()->GetCaptured() == this) Scene()->SetCaptured(nullptr);
    if (FHandlers) CallHandler(FHandlers->MouseUp, this, Button, Shift, X, Y);
    if (!self) return;
    // The release may land on the right or bottom edge and still count.
    const bool inside = X >= 0 && X <= FWidth && Y >= 0 && Y <= FHeight;
    if (FPressed && !FDoubleClick && inside) {
        FPressed = false;
        Click();
        if (!self) return;
    }
    FPressed = false;
    FDoubleClick = false;
}

void TvgVisualObject::MouseWheel(TShiftState Shift, int WheelDelta, const TvgPoint& MousePos, bool& Handled) {
    if (FHandlers) CallHandler(FHandlers->MouseWheel, this, Shift, WheelDelta, MousePos, Handled);
}

void TvgVisualObject::Click() {
    if (FHandlers) CallHandler(FHandlers->Click, this);
}

void TvgVisualObject::DblClick() {
    if (FHandlers) CallHandler(FHandlers->DblClick, this);
}

void TvgVisualObject::KeyDown(int& Key, QChar& KeyChar, TShiftState Shift) {
    if (FHandlers) CallHandler(FHandlers->KeyDown, this, Key, KeyChar, Shift);
}

void TvgVisualObject::KeyUp(int& Key, QChar& KeyChar, TShiftState Shift) {
    if (FHandlers) CallHandler(FHandlers->KeyUp, this, Key, KeyChar, Shift);
}

void TvgVisualObject::ContextMenu(float X, float Y) {
    if (!FPopupMenu) return;
    const TvgPoint scenePoint = LocalToAbsolute({X, Y});
    const TvgPoint rounded{std::round(scenePoint.X), std::round(scenePoint.Y)};
    const QPoint screen = Scene() ? Scene()->LocalToScreen(rounded)
                                  : QPoint(static_cast<int>(rounded.X), static_cast<int>(rounded.Y));
    FPopupMenu->Popup(screen);
}

void TvgVisualObject::EnterFocus() {
    FIsFocused = true;
    RecalcUpdateRect();
    Repaint();
    StartTriggerAnimation(this, kIsFocused);
    ApplyTriggerEffect(this, kIsFocused);
    if (FHandlers) CallHandler(FHandlers->EnterFocus, this);
}

void TvgVisualObject::KillFocus() {
    // Repaint while the widened focus area is still the update rectangle.
    Repaint();
    FIsFocused = false;
    RecalcUpdateRect();
    if (Destroying()) return;
    StartTriggerAnimation(this, kIsFocused);
    ApplyTriggerEffect(this, kIsFocused);
    if (FHandlers) CallHandler(FHandlers->KillFocus, this);
}

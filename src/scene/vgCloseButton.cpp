#include "vgCloseButton.h"

#include <QPointer>

#include "IvgForm.h"
#include "IvgScene.h"
#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgCloseButton)

TvgCloseButton::TvgCloseButton(QObject* AOwner) : TvgControl(AOwner) {
    SetWidth(20);
    SetHeight(20);
    SetCanFocused(false);
    SetAutoCapture(false);
}

void TvgCloseButton::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgControl::MouseDown(Button, Shift, X, Y);
    if (Button == TMouseButton::mbLeft) FPressing = true;
}

void TvgCloseButton::CloseOwningForm() {
    for (QObject* o = dynamic_cast<QObject*>(Scene()); o; o = o->parent()) {
        if (auto* form = dynamic_cast<IvgForm*>(o)) {
            form->Close();
            return;
        }
    }
}

void TvgCloseButton::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
    const QPointer<TvgCloseButton> self(this);
    TvgControl::MouseUp(Button, Shift, X, Y);
    if (!self || !FPressing) return;
    // Closing may free the button with its form: the handler is kept before that can happen.
    const TNotifyEvent handler = FOnCloseClick;
    FPressing = false;
    if (FCloseForm) CloseOwningForm();
    if (handler) handler(self ? self.data() : nullptr);
}

#pragma once
// The close button of a window control. It does not capture the mouse, so a press followed by a
// release elsewhere leaves it armed until a release lands on it; that release closes the form
// the scene belongs to (with CloseForm) and fires OnClick.

#include "vgControl.h"

class TvgCloseButton : public TvgControl {
    Q_OBJECT
    Q_PROPERTY(bool CloseForm READ CloseForm WRITE SetCloseForm)

public:
    Q_INVOKABLE explicit TvgCloseButton(QObject* AOwner = nullptr);

    bool CloseForm() const { return FCloseForm; }
    void SetCloseForm(bool value) { FCloseForm = value; }
    void SetOnClick(TNotifyEvent h) { FOnCloseClick = std::move(h); }
    bool Armed() const { return FPressing; }

    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) override;

private:
    void CloseOwningForm();

    bool FCloseForm = true;
    bool FPressing = false;
    TNotifyEvent FOnCloseClick;
};

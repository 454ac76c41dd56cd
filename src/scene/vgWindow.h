#pragma once
// A window control: a styled frame with a title ("text"), a close button ("close") and a size
// grip ("sizegrip") for a scene that stands for a whole window.

#include "vgTextControl.h"

class TvgWindow : public TvgTextControl {
    Q_OBJECT
    Q_PROPERTY(bool ShowCloseButton READ ShowCloseButton WRITE SetShowCloseButton)
    Q_PROPERTY(bool ShowSizeGrip READ ShowSizeGrip WRITE SetShowSizeGrip)
    Q_PROPERTY(bool AutoTranslate READ AutoTranslate WRITE SetAutoTranslate)

public:
    Q_INVOKABLE explicit TvgWindow(QObject* AOwner = nullptr);

    bool ShowCloseButton() const { return FShowCloseButton; }
    void SetShowCloseButton(bool value);
    bool ShowSizeGrip() const { return FShowSizeGrip; }
    void SetShowSizeGrip(bool value);
    bool AutoTranslate() const { return FAutoTranslate; }
    void SetAutoTranslate(bool value) { FAutoTranslate = value; }
    // Replaces what the close button does: the form then stays open unless the handler closes it.
    void SetOnCloseClick(TNotifyEvent h);

protected:
    void StyleApplied() override;
    // Runs after every application of the style and, in the subclasses, after a change of look.
    virtual void ApplyWindowStyle();
    // The part of that name when it is a visual object.
    TvgVisualObject* VisualPart(const QString& AName) const;

private:
    bool FShowCloseButton = true;
    bool FShowSizeGrip = true;
    bool FAutoTranslate = true;
    TNotifyEvent FOnCloseClick;
};

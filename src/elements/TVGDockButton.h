#pragma once
// A launch button of the dock: the icon with its name underneath; it takes the mouse itself and a
// click launches.

#include "TVGBaseButton.h"

class TvgGlowEffect;
class TvgReflectionEffect;
class TvgValueLabel;

class TVGDockButton : public TVGBaseButton {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TVGDockButton(QObject* AOwner = nullptr);

    // Also shows the name in the title.
    void SetButtonName(const QString& Value) override;
    virtual void ButtonMouseEnter(TvgObject* Sender);
    virtual void ButtonMouseLeave(TvgObject* Sender);
    void SetKeyboardHighlight(bool Value) override;

    TvgValueLabel* Title() const { return FTitle; }
    TvgGlowEffect* GlowEffect() const { return FGlowEffect; }
    TvgReflectionEffect* ReflectionEffect() const { return FReflectionEffect; }

protected:
    TvgValueLabel* FTitle;
    TvgGlowEffect* FGlowEffect;
    TvgReflectionEffect* FReflectionEffect;
};

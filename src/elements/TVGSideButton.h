#pragma once
// A small launch button of the side bar: a faint square whose outline lightens while hovered,
// with the hint box to its left; a click on it launches.

#include "TVGBaseButton.h"

class TVGSideButton : public TVGBaseButton {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TVGSideButton(QObject* AOwner = nullptr);

    void BackGroundMouseEnter(TvgObject* Sender);
    void BackGroundMouseLeave(TvgObject* Sender);
    void SetKeyboardHighlight(bool Value) override;
};

#pragma once
// A styled panel: a control of 120 x 100 whose whole look is its style.

#include "vgControl.h"

class TvgPanel : public TvgControl {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgPanel(QObject* AOwner = nullptr);
};

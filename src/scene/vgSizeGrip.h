#pragma once
// The size grip of a window control: a press on it resizes the scene's window.

#include "IvgSizeGrip.h"
#include "vgControl.h"

class TvgSizeGrip : public TvgControl, public IvgSizeGrip {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgSizeGrip(QObject* AOwner = nullptr);
};

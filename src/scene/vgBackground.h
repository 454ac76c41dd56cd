#pragma once
// The usual root of a scene and of a style set: a control that fills its rectangle.

#include "vgControl.h"

class TvgBackground : public TvgControl {
    Q_OBJECT

public:
    explicit TvgBackground(QObject* AOwner = nullptr);
};

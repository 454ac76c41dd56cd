#pragma once
// A rectangle whose rounded corners take half the shorter side: a pill or a circle.

#include "vgShape.h"

class TvgRoundRect : public TvgShape {
    Q_OBJECT
    Q_PROPERTY(vgEnums::TvgCorners Corners READ Corners WRITE SetCorners)

public:
    Q_INVOKABLE explicit TvgRoundRect(QObject* AOwner = nullptr);

    TvgCorners Corners() const { return FCorners; }
    void SetCorners(TvgCorners value);

protected:
    void PaintShape(TvgCanvas& Canvas) override;

private:
    TvgCorners FCorners = AllCorners;
};

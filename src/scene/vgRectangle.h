#pragma once
// A rectangle with optional rounded (or cut) corners and optional sides.

#include "vgShape.h"

class TvgRectangle : public TvgShape {
    Q_OBJECT
    Q_PROPERTY(float xRadius READ xRadius WRITE SetxRadius)
    Q_PROPERTY(float yRadius READ yRadius WRITE SetyRadius)
    Q_PROPERTY(vgEnums::TvgCorners Corners READ Corners WRITE SetCorners)
    Q_PROPERTY(vgEnums::TvgCornerType CornerType READ CornerType WRITE SetCornerType)
    Q_PROPERTY(vgEnums::TvgSides Sides READ Sides WRITE SetSides)

public:
    Q_INVOKABLE explicit TvgRectangle(QObject* AOwner = nullptr);

    float xRadius() const { return FxRadius; }
    void SetxRadius(float value);
    float yRadius() const { return FyRadius; }
    void SetyRadius(float value);
    TvgCorners Corners() const { return FCorners; }
    void SetCorners(TvgCorners value);
    TvgCornerType CornerType() const { return FCornerType; }
    void SetCornerType(TvgCornerType value);
    TvgSides Sides() const { return FSides; }
    void SetSides(TvgSides value);

    // Where the fill goes: the shape rectangle pushed back out by half the stroke on every side
    // that is not stroked, so the fill reaches the edge there.
    TvgRect FillRect();

protected:
    void PaintShape(TvgCanvas& Canvas) override;

private:
    float FxRadius = 0;
    float FyRadius = 0;
    TvgCorners FCorners = AllCorners;
    TvgCornerType FCornerType = vgCornerRound;
    TvgSides FSides = AllSides;
};

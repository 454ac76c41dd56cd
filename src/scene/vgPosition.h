#pragma once
// A point owned by a visual object (its Position, Scale or RotateCenter). Setting a coordinate to a
// different value tells the owner through OnChange, which rebuilds its matrix.

#include <QObject>

#include <functional>

#include "vgTypes.h"

class TvgPosition : public QObject {
    Q_OBJECT
    Q_PROPERTY(float X READ X WRITE SetX)
    Q_PROPERTY(float Y READ Y WRITE SetY)
    // The stored form of both coordinates at once, e.g. "(161,0)".
    Q_PROPERTY(TvgPoint Point READ Point WRITE SetPoint STORED false)

public:
    explicit TvgPosition(const TvgPoint& initial = {}, QObject* owner = nullptr);

    float X() const { return FX; }
    float Y() const { return FY; }
    TvgPoint Point() const { return {FX, FY}; }
    void SetX(float value);
    void SetY(float value);
    // Changes both and fires OnChange once.
    void SetPoint(const TvgPoint& value);

    // Stores both coordinates without telling the owner (the owner changes them itself).
    void StorePoint(const TvgPoint& value) {
        FX = value.X;
        FY = value.Y;
    }

    void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }

private:
    void Changed();

    float FX;
    float FY;
    std::function<void()> FOnChange;
};

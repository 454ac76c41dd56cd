#pragma once
// Four distances owned by a visual object (its Padding or Margins, an image's BitmapMargins).
// A change of any side tells the owner through OnChange.

#include <QObject>

#include <functional>

#include "vgTypes.h"

class TvgBounds : public QObject {
    Q_OBJECT
    Q_PROPERTY(float Left READ Left WRITE SetLeft)
    Q_PROPERTY(float Top READ Top WRITE SetTop)
    Q_PROPERTY(float Right READ Right WRITE SetRight)
    Q_PROPERTY(float Bottom READ Bottom WRITE SetBottom)
    // The stored form of all four sides, e.g. "(16,36,16,16)".
    Q_PROPERTY(TvgRect Rect READ Rect WRITE SetRect STORED false)

public:
    explicit TvgBounds(QObject* owner = nullptr);

    float Left() const { return FRect.Left; }
    float Top() const { return FRect.Top; }
    float Right() const { return FRect.Right; }
    float Bottom() const { return FRect.Bottom; }
    TvgRect Rect() const { return FRect; }
    void SetLeft(float value);
    void SetTop(float value);
    void SetRight(float value);
    void SetBottom(float value);
    // Changes all four and fires OnChange once.
    void SetRect(const TvgRect& value);
    bool IsEmpty() const { return FRect == TvgRect{}; }

    void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }

private:
    void SetSide(float& side, float value);

    TvgRect FRect;
    std::function<void()> FOnChange;
};

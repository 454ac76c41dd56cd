#include "vgPosition.h"

TvgPosition::TvgPosition(const TvgPoint& initial, QObject* owner)
    : QObject(owner), FX(initial.X), FY(initial.Y) {}

void TvgPosition::SetX(float value) {
    if (FX == value) return;
    FX = value;
    Changed();
}

void TvgPosition::SetY(float value) {
    if (FY == value) return;
    FY = value;
    Changed();
}

void TvgPosition::SetPoint(const TvgPoint& value) {
    if (FX == value.X && FY == value.Y) return;
    FX = value.X;
    FY = value.Y;
    Changed();
}

void TvgPosition::Changed() {
    if (FOnChange) FOnChange();
}

#include "vgBounds.h"

TvgBounds::TvgBounds(QObject* owner) : QObject(owner) {}

void TvgBounds::SetSide(float& side, float value) {
    if (side == value) return;
    side = value;
    if (FOnChange) FOnChange();
}

void TvgBounds::SetLeft(float value) {
    SetSide(FRect.Left, value);
}
void TvgBounds::SetTop(float value) {
    SetSide(FRect.Top, value);
}
void TvgBounds::SetRight(float value) {
    SetSide(FRect.Right, value);
}
void TvgBounds::SetBottom(float value) {
    SetSide(FRect.Bottom, value);
}

void TvgBounds::SetRect(const TvgRect& value) {
    if (FRect == value) return;
    FRect = value;
    if (FOnChange) FOnChange();
}

#include "vgRoundRect.h"

#include <algorithm>

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgQtConvert.h"

VG_REGISTER_CLASS(TvgRoundRect)

TvgRoundRect::TvgRoundRect(QObject* AOwner) : TvgShape(AOwner) {}

void TvgRoundRect::SetCorners(TvgCorners value) {
    if (value == FCorners) return;
    FCorners = value;
    LookChanged();
}

void TvgRoundRect::PaintShape(TvgCanvas& Canvas) {
    const TvgRect rect = ShapeRect();
    const float radius = std::min(rect.Width(), rect.Height()) / 2;
    const float opacity = AbsoluteOpacity();
    Canvas.FillRect(ToQRectF(rect), radius, radius, FCorners, opacity);
    Canvas.DrawRect(ToQRectF(rect), radius, radius, FCorners, opacity);
}

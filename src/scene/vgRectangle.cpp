#include "vgRectangle.h"

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgQtConvert.h"

VG_REGISTER_CLASS(TvgRectangle)

TvgRectangle::TvgRectangle(QObject* AOwner) : TvgShape(AOwner) {}

void TvgRectangle::SetxRadius(float value) {
    if (value == FxRadius) return;
    FxRadius = value;
    LookChanged();
}

void TvgRectangle::SetyRadius(float value) {
    if (value == FyRadius) return;
    FyRadius = value;
    LookChanged();
}

void TvgRectangle::SetCorners(TvgCorners value) {
    if (value == FCorners) return;
    FCorners = value;
    LookChanged();
}

void TvgRectangle::SetCornerType(TvgCornerType value) {
    if (value == FCornerType) return;
    FCornerType = value;
    LookChanged();
}

void TvgRectangle::SetSides(TvgSides value) {
    if (value == FSides) return;
    FSides = value;
    LookChanged();
}

TvgRect TvgRectangle::FillRect() {
    TvgRect rect = ShapeRect();
    if (FSides == AllSides || Stroke()->Style() == vgBrushNone) return rect;
    const float half = StrokeThickness() / 2;
    if (!FSides.testFlag(vgSideTop)) rect.Top -= half;
    if (!FSides.testFlag(vgSideLeft)) rect.Left -= half;
    if (!FSides.testFlag(vgSideBottom)) rect.Bottom += half;
    if (!FSides.testFlag(vgSideRight)) rect.Right += half;
    return rect;
}

void TvgRectangle::PaintShape(TvgCanvas& Canvas) {
    const float opacity = AbsoluteOpacity();
    const QRectF shape = ToQRectF(ShapeRect());
    Canvas.FillRect(ToQRectF(FillRect()), FxRadius, FyRadius, FCorners, opacity, FCornerType);
    if (FSides == AllSides)
        Canvas.DrawRect(shape, FxRadius, FyRadius, FCorners, opacity, FCornerType);
    else
        Canvas.DrawRectSides(shape, FxRadius, FyRadius, FCorners, opacity, FSides, FCornerType);
}

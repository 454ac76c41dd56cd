#include "vgCalloutRectangle.h"

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgQtConvert.h"

VG_REGISTER_CLASS(TvgCalloutRectangle)

TvgCalloutRectangle::TvgCalloutRectangle(QObject* AOwner) : TvgRectangle(AOwner) {}

void TvgCalloutRectangle::SetCalloutWidth(float value) {
    if (FCalloutWidth == value) return;
    FCalloutWidth = value;
    CalloutChanged();
}

void TvgCalloutRectangle::SetCalloutLength(float value) {
    if (FCalloutLength == value) return;
    FCalloutLength = value;
    CalloutChanged();
}

void TvgCalloutRectangle::SetCalloutPosition(TvgCalloutPosition value) {
    if (FCalloutPosition == value) return;
    FCalloutPosition = value;
    CalloutChanged();
}

void TvgCalloutRectangle::SetCalloutOffset(float value) {
    if (FCalloutOffset == value) return;
    FCalloutOffset = value;
    CalloutChanged();
}

void TvgCalloutRectangle::CalloutChanged() {
    RebuildPath();
    UpdateEffects();
    Repaint();
}

void TvgCalloutRectangle::RebuildPath() {
    TCalloutGeometry geometry;
    geometry.Shape = ToQRectF(ShapeRect());
    geometry.XRadius = xRadius();
    geometry.YRadius = yRadius();
    geometry.Corners[0] = Corners().testFlag(vgCornerTopLeft);
    geometry.Corners[1] = Corners().testFlag(vgCornerTopRight);
    geometry.Corners[2] = Corners().testFlag(vgCornerBottomLeft);
    geometry.Corners[3] = Corners().testFlag(vgCornerBottomRight);
    geometry.CornerShape = static_cast<TCalloutCornerShape>(CornerType());
    geometry.CalloutWidth = FCalloutWidth;
    geometry.CalloutLength = FCalloutLength;
    geometry.CalloutPosition = FCalloutPosition;
    geometry.CalloutOffset = FCalloutOffset;
    BuildCalloutPath(FPath, geometry);
}

void TvgCalloutRectangle::PaintShape(TvgCanvas& Canvas) {
    // The outline follows the current size, so it is built again for every paint.
    RebuildPath();
    const float opacity = AbsoluteOpacity();
    Canvas.FillPath(FPath, opacity);
    Canvas.DrawPath(FPath, opacity);
}

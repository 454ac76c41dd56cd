#pragma once
// The outline of a callout: a rectangle body with (optionally rounded) corners and a triangular
// pointer standing out of one side. Pure geometry, shared by the callout rectangle and its tests.

#include <QObject>
#include <QPainterPath>
#include <QRectF>

namespace vgCalloutEnums {
Q_NAMESPACE
enum TvgCalloutPosition { vgCalloutTop = 0, vgCalloutLeft = 1, vgCalloutBottom = 2, vgCalloutRight = 3 };
Q_ENUM_NS(TvgCalloutPosition)
}  // namespace vgCalloutEnums

using vgCalloutEnums::TvgCalloutPosition;
using enum vgCalloutEnums::TvgCalloutPosition;

// How a rounded corner is shaped; the ordinals follow the rectangle's CornerType.
enum class TCalloutCornerShape { Round = 0, Bevel = 1, InnerRound = 2, InnerLine = 3 };

struct TCalloutGeometry {
    QRectF Shape;  // the shape rectangle: the local rectangle less half the stroke
    double XRadius = 0;
    double YRadius = 0;
    // Which corners are shaped, in the order top-left, top-right, bottom-left, bottom-right.
    bool Corners[4] = {true, true, true, true};
    TCalloutCornerShape CornerShape = TCalloutCornerShape::Round;
    double CalloutWidth = 23;
    double CalloutLength = 11;
    TvgCalloutPosition CalloutPosition = vgCalloutTop;
    double CalloutOffset = 0;
};

// The body left after the pointer's side is moved in by the pointer's length.
QRectF CalloutBody(const TCalloutGeometry& geometry);

// Builds the outline into `path` (cleared first). It ends at its start point and is left open.
void BuildCalloutPath(QPainterPath& path, const TCalloutGeometry& geometry);

#pragma once
// Turns a scene brush into what QPainter paints with, for one rectangle and one opacity.

#include <QBrush>
#include <QPen>
#include <QRectF>

#include "vgBrush.h"

struct TvgPaintBrush {
    QBrush Brush;       // Qt::NoBrush when nothing is to be painted
    qreal Opacity = 1;  // painter opacity for what the brush cannot carry itself (pictures)
    // A picture stretched over exactly the rectangle: drawn as an image, which is much faster.
    const QImage* StretchImage = nullptr;
};

// `rect` is the painted rectangle that gradient positions and stretched pictures refer to.
TvgPaintBrush vgMakePaintBrush(const TvgBrush& brush, const QRectF& rect, float opacity);

QPen vgMakePen(const QBrush& brush, float thickness, TvgStrokeCap cap, TvgStrokeJoin join,
               TvgStrokeDash dash);

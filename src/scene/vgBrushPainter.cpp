#include "vgBrushPainter.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace {

QGradientStops Stops(const std::vector<TvgGradientPoint>& points, float opacity) {
    QGradientStops stops;
    if (points.front().Offset > 0)
        stops.append({0.0, vgToQColor(vgOpacityColor(points.front().Color, opacity))});
    for (const auto& point : points)
        stops.append({static_cast<qreal>(point.Offset), vgToQColor(vgOpacityColor(point.Color, opacity))});
    if (points.back().Offset < 1)
        stops.append({1.0, vgToQColor(vgOpacityColor(points.back().Color, opacity))});
    return stops;
}

QBrush GradientBrush(const TvgGradient& gradient, const QRectF& rect, float opacity) {
    const QGradientStops stops = Stops(gradient.Points(), opacity);
    if (gradient.Style() == vgRadialGradient) {
        // The ellipse inscribed in the rectangle: a unit circle mapped onto it, padded at the edge.
        QRadialGradient radial(QPointF(0.5, 0.5), 0.5);
        radial.setStops(stops);
        radial.setSpread(QGradient::PadSpread);
        QBrush brush(radial);
        brush.setTransform(QTransform::fromScale(rect.width(), rect.height()) *
                           QTransform::fromTranslate(rect.left(), rect.top()));
        return brush;
    }
    const auto at = [&](QPointF fraction) {
        return QPointF(rect.left() + fraction.x() * rect.width(), rect.top() + fraction.y() * rect.height());
    };
    QLinearGradient linear(at(gradient.StartPosition()), at(gradient.StopPosition()));
    linear.setStops(stops);
    linear.setSpread(QGradient::ReflectSpread);
    return QBrush(linear);
}

TvgPaintBrush BitmapBrush(const TvgBrushBitmap& source, const QRectF& rect, float opacity) {
    TvgPaintBrush result;
    const QImage& image = source.Bitmap()->Image();
    if (source.Bitmap()->IsEmpty() || rect.isEmpty()) return result;
    result.Opacity = opacity;
    QBrush brush(image);
    if (source.WrapMode() == vgWrapTileStretch) {
        result.StretchImage = &image;
        brush.setTransform(
            QTransform::fromScale(rect.width() / image.width(), rect.height() / image.height()) *
            QTransform::fromTranslate(rect.left(), rect.top()));
    } else {
        brush.setTransform(QTransform::fromTranslate(rect.left(), rect.top()));
    }
    result.Brush = brush;
    return result;
}

}  // namespace

TvgPaintBrush vgMakePaintBrush(const TvgBrush& brush, const QRectF& rect, float opacity) {
    // Resource brushes are resolved by the objects, which know their style set.
    const TvgBrush* resolved = &brush;
    switch (resolved->Style()) {
        case vgBrushSolid:
            return {QBrush(vgToQColor(vgOpacityColor(resolved->SolidColor(), opacity))), 1, nullptr};
        case vgBrushGradient:
            if (resolved->Gradient()->Points().size() < 2)
                return {QBrush(vgToQColor(vgOpacityColor(resolved->SolidColor(), opacity))), 1, nullptr};
            return {GradientBrush(*resolved->Gradient(), rect, opacity), 1, nullptr};
        case vgBrushBitmap:
            return BitmapBrush(*resolved->Bitmap(), rect, opacity);
        default:
            return {};
    }
}

QPen vgMakePen(const QBrush& brush, float thickness, TvgStrokeCap cap, TvgStrokeJoin join,
               TvgStrokeDash dash) {
    QPen pen(brush, thickness);
    pen.setCapStyle(cap == vgCapRound ? Qt::RoundCap : Qt::FlatCap);
    switch (join) {
        case vgJoinMiter:
            pen.setJoinStyle(Qt::MiterJoin);
            break;
        case vgJoinRound:
            pen.setJoinStyle(Qt::RoundJoin);
            break;
        case vgJoinBevel:
            pen.setJoinStyle(Qt::BevelJoin);
            break;
    }
    switch (dash) {
        case vgDashDash:
            pen.setStyle(Qt::DashLine);
            break;
        case vgDashDot:
            pen.setStyle(Qt::DotLine);
            break;
        case vgDashDashDot:
            pen.setStyle(Qt::DashDotLine);
            break;
        case vgDashDashDotDot:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        default:
            pen.setStyle(Qt::SolidLine);
            break;
    }
    return pen;
}

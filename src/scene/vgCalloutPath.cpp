#include "vgCalloutPath.h"

#include <cmath>

namespace {

// A corner seen from its corner point: u runs along the horizontal edge into the body, v along
// the vertical edge. `fromVertical` tells whether the path arrives on the vertical edge.
struct TCorner {
    QPointF Point;
    double Sx;
    double Sy;
    bool FromVertical;
};

struct TRadii {
    double Rx;
    double Ry;
};

QPointF At(const TCorner& corner, double u, double v) {
    return {corner.Point.x() + corner.Sx * u, corner.Point.y() + corner.Sy * v};
}

// The corner's segment, written as seen from the top-left corner (start on the vertical edge at
// (0, ry), end on the horizontal edge at (rx, 0)); corners travelled the other way run it backwards.
void AddCorner(QPainterPath& path, const TCorner& corner, const TRadii& r, bool shaped,
               TCalloutCornerShape shape) {
    const double hx = r.Rx / 2;
    const double hy = r.Ry / 2;
    auto ordered = [&](QPointF first, QPointF second) {
        return corner.FromVertical ? std::pair{first, second} : std::pair{second, first};
    };
    const QPointF end = corner.FromVertical ? At(corner, r.Rx, 0) : At(corner, 0, r.Ry);
    if (!shaped) {
        path.lineTo(corner.Point);
        path.lineTo(end);
        return;
    }
    switch (shape) {
        case TCalloutCornerShape::Round: {
            const auto [c1, c2] = ordered(At(corner, 0, hy), At(corner, hx, 0));
            path.cubicTo(c1, c2, end);
            break;
        }
        case TCalloutCornerShape::Bevel:
            path.lineTo(end);
            break;
        case TCalloutCornerShape::InnerRound: {
            const auto [c1, c2] = ordered(At(corner, hx, r.Ry), At(corner, r.Rx, hy));
            path.cubicTo(c1, c2, end);
            break;
        }
        case TCalloutCornerShape::InnerLine: {
            const auto [p1, p2] = ordered(At(corner, hx, r.Ry), At(corner, r.Rx, hy));
            path.lineTo(p1);
            path.lineTo(p2);
            path.lineTo(end);
            break;
        }
    }
}

// The base interval [a, b] of the pointer along a side running from `low` to `high`, for the
// horizontal sides (whose negative offset counts from the right end) or the vertical ones (whose
// negative offset counts up from the bottom and still runs downward).
std::pair<double, double> PointerBase(double low, double high, double width, double offset,
                                      bool horizontalSide) {
    if (offset == 0) {
        const double centre = (low + high) / 2;
        return {centre - width / 2, centre + width / 2};
    }
    if (offset > 0) return {low + offset, low + offset + width};
    if (horizontalSide) return {high - std::abs(offset) - width, high - std::abs(offset)};
    const double a = high - std::abs(offset);
    return {a, a + width};
}

void AddPointer(QPainterPath& path, const QRectF& body, const TCalloutGeometry& g) {
    const double l = g.CalloutLength;
    const bool horizontal = g.CalloutPosition == vgCalloutTop || g.CalloutPosition == vgCalloutBottom;
    const auto [a, b] = horizontal
                            ? PointerBase(body.left(), body.right(), g.CalloutWidth, g.CalloutOffset, true)
                            : PointerBase(body.top(), body.bottom(), g.CalloutWidth, g.CalloutOffset, false);
    const double m = (a + b) / 2;
    switch (g.CalloutPosition) {
        case vgCalloutTop:
            path.lineTo(a, body.top());
            path.lineTo(m, body.top() - l);
            path.lineTo(b, body.top());
            break;
        case vgCalloutRight:
            path.lineTo(body.right(), a);
            path.lineTo(body.right() + l, m);
            path.lineTo(body.right(), b);
            break;
        case vgCalloutBottom:
            path.lineTo(b, body.bottom());
            path.lineTo(m, body.bottom() + l);
            path.lineTo(a, body.bottom());
            break;
        case vgCalloutLeft:
            path.lineTo(body.left(), b);
            path.lineTo(body.left() - l, m);
            path.lineTo(body.left(), a);
            break;
    }
}

TRadii LimitedRadii(const QRectF& body, const TCalloutGeometry& g) {
    TRadii r{g.XRadius, g.YRadius};
    if (2 * r.Rx > body.width()) r.Rx = body.width() / 2;
    if (2 * r.Ry > body.height()) r.Ry = body.height() / 2;
    return r;
}

}  // namespace

QRectF CalloutBody(const TCalloutGeometry& geometry) {
    QRectF body = geometry.Shape;
    const double l = geometry.CalloutLength;
    switch (geometry.CalloutPosition) {
        case vgCalloutTop:
            body.setTop(body.top() + l);
            break;
        case vgCalloutLeft:
            body.setLeft(body.left() + l);
            break;
        case vgCalloutBottom:
            body.setBottom(body.bottom() - l);
            break;
        case vgCalloutRight:
            body.setRight(body.right() - l);
            break;
    }
    return body;
}

void BuildCalloutPath(QPainterPath& path, const TCalloutGeometry& g) {
    path.clear();
    const QRectF b = CalloutBody(g);
    const TRadii r = LimitedRadii(b, g);
    const TCalloutCornerShape shape = g.CornerShape;

    path.moveTo(b.left(), b.top() + r.Ry);
    AddCorner(path, {b.topLeft(), 1, 1, true}, r, g.Corners[0], shape);
    if (g.CalloutPosition == vgCalloutTop) AddPointer(path, b, g);
    path.lineTo(b.right() - r.Rx, b.top());

    AddCorner(path, {b.topRight(), -1, 1, false}, r, g.Corners[1], shape);
    if (g.CalloutPosition == vgCalloutRight) AddPointer(path, b, g);
    path.lineTo(b.right(), b.bottom() - r.Ry);

    AddCorner(path, {b.bottomRight(), -1, -1, true}, r, g.Corners[3], shape);
    if (g.CalloutPosition == vgCalloutBottom) AddPointer(path, b, g);
    path.lineTo(b.left() + r.Rx, b.bottom());

    AddCorner(path, {b.bottomLeft(), 1, -1, false}, r, g.Corners[2], shape);
    if (g.CalloutPosition == vgCalloutLeft) AddPointer(path, b, g);
    path.lineTo(b.left(), b.top() + r.Ry);
}

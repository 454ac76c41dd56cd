#include "vgCanvas.h"

#include <algorithm>
#include <cmath>

TvgCanvas::TvgCanvas() : FFill(vgBrushSolid, 0xFFFFFFFF), FStroke(vgBrushSolid, 0xFF000000) {}

TvgCanvas::~TvgCanvas() = default;

void TvgCanvas::SetMatrix(const QTransform& matrix) {
    FMatrix = matrix;
    MatrixChanged();
}

void TvgCanvas::MultyMatrix(const QTransform& matrix) {
    FMatrix = matrix * FMatrix;
    MatrixChanged();
}

void TvgCanvas::ResetDrawingDefaults() {
    FStrokeThickness = 1;
    FStrokeCap = vgCapFlat;
    FStrokeJoin = vgJoinMiter;
    FStrokeDash = vgDashSolid;
    FStroke.SetStyle(vgBrushSolid);
    FFill.SetStyle(vgBrushSolid);
}

QRect TvgCanvas::FlushBufferRect(const QRectF& rect) const {
    const int left = static_cast<int>(std::floor(rect.left()));
    const int top = static_cast<int>(std::floor(rect.top()));
    const int right = static_cast<int>(std::floor(rect.right())) + 1;
    const int bottom = static_cast<int>(std::floor(rect.bottom())) + 1;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(QRect(0, 0, FWidth, FHeight));
}

namespace {

// One corner of the outline walked clockwise: the corner point, where the incoming edge leaves
// for the corner, where the outgoing edge resumes, and the arc of the rounded form.
struct TCornerWalk {
    TvgCorner Corner;
    QPointF Point;
    QPointF Entry;
    QPointF Exit;
    QRectF RoundArc;
    double RoundStart;
};

std::array<TCornerWalk, 4> CornerWalks(const QRectF& r, double rx, double ry) {
    const double l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
    return {{
        {vgCornerTopRight, {rt, t}, {rt - rx, t}, {rt, t + ry}, {rt - 2 * rx, t, 2 * rx, 2 * ry}, 90},
        {vgCornerBottomRight,
         {rt, b},
         {rt, b - ry},
         {rt - rx, b},
         {rt - 2 * rx, b - 2 * ry, 2 * rx, 2 * ry},
         0},
        {vgCornerBottomLeft, {l, b}, {l + rx, b}, {l, b - ry}, {l, b - 2 * ry, 2 * rx, 2 * ry}, 270},
        {vgCornerTopLeft, {l, t}, {l, t + ry}, {l + rx, t}, {l, t, 2 * rx, 2 * ry}, 180},
    }};
}

void WalkCorner(QPainterPath& path, const TCornerWalk& walk, TvgCornerType type, double rx, double ry) {
    switch (type) {
        case vgCornerRound:
            path.arcTo(walk.RoundArc, walk.RoundStart, -90);
            break;
        case vgCornerBevel:
            path.lineTo(walk.Exit);
            break;
        case vgCornerInnerRound:
            path.arcTo(QRectF(walk.Point.x() - rx, walk.Point.y() - ry, 2 * rx, 2 * ry), walk.RoundStart + 90,
                       90);
            break;
        case vgCornerInnerLine:
            path.lineTo(walk.Entry + walk.Exit - walk.Point);
            path.lineTo(walk.Exit);
            break;
    }
}

bool Rounded(TvgCorners corners, TvgCorner corner, double rx, double ry) {
    return rx > 0 && ry > 0 && corners.testFlag(corner);
}

}  // namespace

QPainterPath vgRectPath(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                        TvgCornerType cornerType) {
    QPainterPath path;
    const double rx = std::min<double>(xRadius, rect.width() / 2);
    const double ry = std::min<double>(yRadius, rect.height() / 2);
    const auto walks = CornerWalks(rect, rx, ry);
    const TCornerWalk& last = walks[3];
    path.moveTo(Rounded(corners, last.Corner, rx, ry) ? last.Exit : last.Point);
    for (const TCornerWalk& walk : walks) {
        if (Rounded(corners, walk.Corner, rx, ry)) {
            path.lineTo(walk.Entry);
            WalkCorner(path, walk, cornerType, rx, ry);
        } else {
            path.lineTo(walk.Point);
        }
    }
    path.closeSubpath();
    return path;
}

QPainterPath vgRectSidesPath(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                             TvgSides sides, TvgCornerType cornerType) {
    const double rx = std::min<double>(xRadius, rect.width() / 2);
    const double ry = std::min<double>(yRadius, rect.height() / 2);
    const auto walks = CornerWalks(rect, rx, ry);
    // Side i runs from corner i - 1 to corner i (top: top-left to top-right, and on clockwise).
    constexpr std::array<TvgSide, 4> order{vgSideTop, vgSideRight, vgSideBottom, vgSideLeft};
    QPainterPath path;
    bool penDown = false;
    for (int i = 0; i < 4; ++i) {
        if (!sides.testFlag(order[static_cast<std::size_t>(i)])) {
            penDown = false;
            continue;
        }
        const TCornerWalk& from = walks[static_cast<std::size_t>((i + 3) % 4)];
        const TCornerWalk& to = walks[static_cast<std::size_t>(i)];
        const bool previousSide = sides.testFlag(order[static_cast<std::size_t>((i + 3) % 4)]);
        const bool nextSide = sides.testFlag(order[static_cast<std::size_t>((i + 1) % 4)]);
        if (!penDown) {
            const bool roundedStart = previousSide && Rounded(corners, from.Corner, rx, ry);
            path.moveTo(roundedStart ? from.Exit : from.Point);
        }
        const bool roundedEnd = nextSide && Rounded(corners, to.Corner, rx, ry);
        path.lineTo(roundedEnd ? to.Entry : to.Point);
        if (roundedEnd) WalkCorner(path, to, cornerType, rx, ry);
        penDown = nextSide;
    }
    return path;
}

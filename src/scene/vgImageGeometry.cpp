#include "vgImageGeometry.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

double vgRound(double value) {
    // nearbyint follows the current rounding mode, which is round-to-nearest-even unless someone
    // changed it; say so explicitly rather than trust the environment.
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    const double result = std::nearbyint(value);
    if (previous != FE_TONEAREST) std::fesetround(previous);
    return result;
}

QRectF vgFitRect(QSizeF bitmap, QSizeF area) {
    if (bitmap.isEmpty() || area.width() <= 0 || area.height() <= 0) return {};
    const double ratio = std::max(bitmap.width() / area.width(), bitmap.height() / area.height());
    QSizeF size = bitmap;
    if (ratio >= 1) size = QSizeF(vgRound(bitmap.width() / ratio), vgRound(bitmap.height() / ratio));
    const double x = vgRound((area.width() - size.width()) / 2);
    const double y = vgRound((area.height() - size.height()) / 2);
    return {x, y, size.width(), size.height()};
}

std::vector<QRectF> vgTileRects(QSizeF bitmap, QSizeF area) {
    std::vector<QRectF> tiles;
    if (bitmap.isEmpty() || area.width() <= 0 || area.height() <= 0) return tiles;
    const int columns = static_cast<int>(vgRound(area.width() / bitmap.width()));
    const int rows = static_cast<int>(vgRound(area.height() / bitmap.height()));
    tiles.reserve(static_cast<std::size_t>((columns + 1) * (rows + 1)));
    for (int i = 0; i <= columns; ++i)
        for (int j = 0; j <= rows; ++j)
            tiles.emplace_back(i * bitmap.width(), j * bitmap.height(), bitmap.width(), bitmap.height());
    return tiles;
}

std::vector<TvgImagePart> vgNineSliceParts(QSizeF bitmap, QSizeF area, double left, double top, double right,
                                           double bottom) {
    std::vector<TvgImagePart> parts;
    if (bitmap.isEmpty() || area.width() <= 0 || area.height() <= 0) return parts;
    const double bw = bitmap.width(), bh = bitmap.height();
    const double w = area.width(), h = area.height();
    // Source and destination cuts along each axis: start, after the first margin, before the last, end.
    const double sx[4] = {0, left, bw - right, bw};
    const double sy[4] = {0, top, bh - bottom, bh};
    const double dx[4] = {0, left, w - right, w};
    const double dy[4] = {0, top, h - bottom, h};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF source(QPointF(sx[column], sy[row]), QPointF(sx[column + 1], sy[row + 1]));
            const QRectF dest(QPointF(dx[column], dy[row]), QPointF(dx[column + 1], dy[row + 1]));
            if (source.width() <= 0 || source.height() <= 0 || dest.width() <= 0 || dest.height() <= 0)
                continue;
            parts.push_back({source, dest});
        }
    }
    return parts;
}

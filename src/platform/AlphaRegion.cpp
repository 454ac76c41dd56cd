#include "AlphaRegion.h"

#include <vector>

QRegion AlphaRegion(const QImage& image, const QRect& area) {
    const QRect clipped = area.intersected(image.rect());
    if (clipped.isEmpty()) return {};
    const QImage argb =
        image.format() == QImage::Format_ARGB32_Premultiplied || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Runs of one row become rectangles; rows with the same runs are merged by QRegion itself,
    // but building from one vector keeps it to a single union.
    std::vector<QRect> runs;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        int x = clipped.left();
        while (x <= clipped.right()) {
            while (x <= clipped.right() && qAlpha(row[x]) == 0) ++x;
            const int start = x;
            while (x <= clipped.right() && qAlpha(row[x]) != 0) ++x;
            if (x > start) runs.emplace_back(start, y, x - start, 1);
        }
    }
    QRegion result;
    result.setRects(runs.data(), static_cast<int>(runs.size()));
    return result;
}

void UpdateAlphaRegion(QRegion& region, const QImage& image, const QRegion& area) {
    region -= area;
    for (const QRect& rect : area) region += AlphaRegion(image, rect);
}

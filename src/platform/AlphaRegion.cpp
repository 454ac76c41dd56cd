#include "AlphaRegion.h"

#include "RowRuns.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// The first pixel in [x, end) whose alpha is zero (wantZero) or not zero (!wantZero), or end.
// Four pixels at a time where the processor allows: a full-screen frame is two million pixels.
int Scan(const QRgb* row, int x, int end, bool wantZero) {
#ifdef __SSE2__
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    const auto load = [row](int at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + at)); };
    // Long stretches of one kind (the empty desktop, an opaque panel) go sixteen pixels a step:
    // their alphas are all zero when their bitwise or is, all non-zero when their bytewise minimum is.
    while (x + 16 <= end) {
        const __m128i a = load(x), b = load(x + 4), c = load(x + 8), d = load(x + 12);
        const __m128i combined = wantZero ? _mm_min_epu8(_mm_min_epu8(a, b), _mm_min_epu8(c, d))
                                          : _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
        const int zeros =
            _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(combined, alphaMask), zero)));
        if (wantZero ? zeros != 0 : zeros != 0xF) break;
        x += 16;
    }
    while (x + 4 <= end) {
        const __m128i pixels = load(x);
        const __m128i transparent = _mm_cmpeq_epi32(_mm_and_si128(pixels, alphaMask), zero);
        int hits = _mm_movemask_ps(_mm_castsi128_ps(transparent));  // bit i: pixel i has alpha 0
        if (!wantZero) hits = ~hits & 0xF;
        if (hits) return x + __builtin_ctz(static_cast<unsigned>(hits));
        x += 4;
    }
#endif
    while (x < end && (qAlpha(row[x]) == 0) != wantZero) ++x;
    return x;
}

}  // namespace

QRegion AlphaRegion(const QImage& image, const QRect& area) {
    const QRect clipped = area.intersected(image.rect());
    if (clipped.isEmpty()) return {};
    const QImage argb =
        image.format() == QImage::Format_ARGB32_Premultiplied || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    TRowRuns runs;
    const int end = clipped.right() + 1;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        runs.StartRow(y);
        for (int x = clipped.left(); x < end;) {
            const int start = Scan(row, x, end, false);
            if (start == end) break;
            x = Scan(row, start, end, true);
            runs.Add(start, x);
        }
        runs.EndRow();
    }
    return runs.Region();
}

void UpdateAlphaRegion(QRegion& region, const QImage& image, const QRegion& area, const QRegion& opaque) {
    region -= area;
    // The whole window's region is thousands of rectangles (every icon's and note's outline):
    // the repainted part's few are gathered first and joined to it once.
    QRegion repainted = opaque & area;
    for (const QRect& rect : area - repainted) repainted += AlphaRegion(image, rect);
    region += repainted;
}

QRegion DeviceRegion(const QRegion& logical, qreal ratio) {
    if (ratio == 1.0) return logical;
    QRegion device;
    for (const QRect& r : logical) {
        const QRectF scaled(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio);
        device += scaled.toAlignedRect();
    }
    return device;
}

#include "BackdropBlend.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// PremultipliedOver() on four pixels at once, the channels spread to 16-bit lanes.
inline __m128i Over4(__m128i src, __m128i dst) {
    const __m128i lowBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i half = _mm_set1_epi16(0x80);
    __m128i inverse = _mm_sub_epi32(_mm_set1_epi32(255), _mm_srli_epi32(src, 24));
    inverse = _mm_or_si128(inverse, _mm_slli_epi32(inverse, 16));
    __m128i rb = _mm_mullo_epi16(_mm_and_si128(dst, lowBytes), inverse);
    __m128i ag = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi16(dst, 8), lowBytes), inverse);
    rb = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(rb, _mm_srli_epi16(rb, 8)), half), 8);
    ag = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(ag, _mm_srli_epi16(ag, 8)), half), 8);
    return _mm_add_epi32(src, _mm_or_si128(rb, _mm_slli_epi16(ag, 8)));
}
#endif

// An opaque pixel comes out unchanged, so no pixel needs a test of its own.
inline void BlendSpan(std::uint32_t* line, int count, const std::uint32_t* under) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 4 <= count; i += 4) {
        auto* at = reinterpret_cast<__m128i*>(line + i);
        // Four opaque pixels (a sliding panel's wallpaper) are left as they are, unread beneath.
        const __m128i src = _mm_loadu_si128(at);
        const __m128i alphas = _mm_and_si128(src, opaque);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alphas, opaque)) == 0xFFFF) continue;
        const __m128i dst =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(under + i)), opaque);
        // Four transparent pixels come out as the backdrop itself, exactly as blended.
        const bool transparent = _mm_movemask_epi8(_mm_cmpeq_epi32(src, _mm_setzero_si128())) == 0xFFFF;
        _mm_storeu_si128(at, transparent ? dst : Over4(src, dst));
    }
#endif
    for (; i < count; ++i) line[i] = PremultipliedOver(line[i], under[i] | 0xFF000000u);
}

// The same over one colour. Most of a desktop frame is transparent (it becomes the colour) or
// opaque (it stays): four pixels a step, as over a picture.
inline void BlendSpanColor(std::uint32_t* line, int count, std::uint32_t under) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i colour = _mm_set1_epi32(static_cast<int>(under));
    for (; i + 4 <= count; i += 4) {
        auto* at = reinterpret_cast<__m128i*>(line + i);
        const __m128i src = _mm_loadu_si128(at);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(src, opaque), opaque)) == 0xFFFF) continue;
        const bool transparent = _mm_movemask_epi8(_mm_cmpeq_epi32(src, _mm_setzero_si128())) == 0xFFFF;
        _mm_storeu_si128(at, transparent ? colour : Over4(src, colour));
    }
#endif
    for (; i < count; ++i) line[i] = PremultipliedOver(line[i], under);
}

int Wrap(int value, int size) {
    const int r = value % size;
    return r < 0 ? r + size : r;
}

}  // namespace

void BlendOverBackdrop(QImage& frame, const QRegion& region, const QImage& backdrop, QPoint offset,
                       QRgb color) {
    if (frame.format() != QImage::Format_ARGB32_Premultiplied) return;
    const QRect bounds = frame.rect();
    const bool tiled = !backdrop.isNull() && (backdrop.format() == QImage::Format_RGB32 ||
                                              backdrop.format() == QImage::Format_ARGB32_Premultiplied);
    const std::uint32_t solid = color | 0xFF000000u;
    for (const QRect& part : region) {
        const QRect r = part.intersected(bounds);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<std::uint32_t*>(frame.scanLine(y)) + r.left();
            if (!tiled) {
                BlendSpanColor(line, r.width(), solid);
                continue;
            }
            const auto* under = reinterpret_cast<const std::uint32_t*>(
                backdrop.constScanLine(Wrap(y + offset.y(), backdrop.height())));
            // Runs of the line that lie over one repetition of the backdrop.
            int x = r.left();
            while (x <= r.right()) {
                const int bx = Wrap(x + offset.x(), backdrop.width());
                const int run = std::min(r.right() - x + 1, backdrop.width() - bx);
                BlendSpan(line + (x - r.left()), run, under + bx);
                x += run;
            }
        }
    }
}

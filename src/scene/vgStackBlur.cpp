#include "vgStackBlur.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define MAROVIA_BLUR_SSE2 1
#endif

namespace {

// Four 32-bit lanes, one per channel (blue, green, red, alpha): the running sums of all channels
// move together.
#ifdef MAROVIA_BLUR_SSE2
struct TLanes {
    __m128i V = _mm_setzero_si128();

    std::uint32_t operator[](int i) const {
        alignas(16) std::uint32_t lanes[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), V);
        return lanes[i];
    }
    TLanes& operator+=(const TLanes& o) {
        V = _mm_add_epi32(V, o.V);
        return *this;
    }
    TLanes& operator-=(const TLanes& o) {
        V = _mm_sub_epi32(V, o.V);
        return *this;
    }
    // Only while a window is filled, so a plain loop will do.
    TLanes operator*(std::uint32_t k) const {
        alignas(16) std::uint32_t lanes[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), V);
        for (std::uint32_t& lane : lanes) lane *= k;
        return TLanes{_mm_load_si128(reinterpret_cast<const __m128i*>(lanes))};
    }
};

inline TLanes Unpack(std::uint32_t p) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(static_cast<int>(p));
    return TLanes{_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero)};
}
#else
struct TLanes {
    std::uint32_t V[4] = {};

    std::uint32_t operator[](int i) const { return V[i]; }
    TLanes& operator+=(const TLanes& o) {
        for (int i = 0; i < 4; ++i) V[i] += o.V[i];
        return *this;
    }
    TLanes& operator-=(const TLanes& o) {
        for (int i = 0; i < 4; ++i) V[i] -= o.V[i];
        return *this;
    }
    TLanes operator*(std::uint32_t k) const {
        TLanes r;
        for (int i = 0; i < 4; ++i) r.V[i] = V[i] * k;
        return r;
    }
};

inline TLanes Unpack(std::uint32_t p) {
    return TLanes{{p & 0xFFu, (p >> 8) & 0xFFu, (p >> 16) & 0xFFu, p >> 24}};
}
#endif

// Exact truncating division of the four sums by a divisor fixed for the whole blur, packed back
// into a pixel. With k = 24 + ceil(log2 d) and m = ceil(2^k / d), (n * m) >> k equals n / d for
// every n below 2^24, and m fits 32 bits. The largest weighted sum is 255 * (r + 1)^2, below 2^24
// for every radius up to 255 (the glow needs 95); beyond it the plain division is used.
class TDivider {
public:
    explicit TDivider(std::uint32_t divisor)
        : FDivisor(divisor), FExact(std::uint64_t{255} * divisor < (std::uint64_t{1} << 24)) {
        int log = 0;
        while ((std::uint64_t{1} << log) < divisor) ++log;
        FShift = 24 + log;
        FMagic = ((std::uint64_t{1} << FShift) + divisor - 1) / divisor;
    }

    std::uint32_t Pack(const TLanes& sum) const {
#ifdef MAROVIA_BLUR_SSE2
        if (FExact) {
            const __m128i magic = _mm_set1_epi32(static_cast<int>(FMagic));
            const __m128i shift = _mm_cvtsi32_si128(FShift);
            const __m128i even = _mm_srl_epi64(_mm_mul_epu32(sum.V, magic), shift);
            const __m128i odd = _mm_srl_epi64(_mm_mul_epu32(_mm_srli_epi64(sum.V, 32), magic), shift);
            __m128i quotients = _mm_or_si128(even, _mm_slli_epi64(odd, 32));
            quotients = _mm_packs_epi32(quotients, quotients);
            return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(quotients, quotients)));
        }
#endif
        return Divide(sum[3]) << 24 | Divide(sum[2]) << 16 | Divide(sum[1]) << 8 | Divide(sum[0]);
    }

private:
    std::uint32_t Divide(std::uint32_t value) const {
        if (FExact) return static_cast<std::uint32_t>((value * FMagic) >> FShift);
        return value / FDivisor;
    }

    std::uint32_t FDivisor;
    bool FExact;
    int FShift = 0;
    std::uint64_t FMagic = 0;
};

// Blurs `count` pixels that lie `step` pixels apart, starting at `line`. `stack` holds 2r + 1
// pixels: the window around the current pixel, entered on the right and left on the left.
void BlurLine(std::uint32_t* line, int count, int step, int radius, const TDivider& divide,
              std::vector<TLanes>& stack) {
    const int stackSize = 2 * radius + 1;
    const int last = count - 1;
    TLanes sum{}, sumIn{}, sumOut{};
    auto at = [&](int i) { return line[static_cast<std::ptrdiff_t>(i) * step]; };

    // The window for pixel 0: the edge pixel repeated r + 1 times on the left, then pixels 1..r
    // (the last pixel repeated when the line is shorter than the radius).
    const TLanes first = Unpack(at(0));
    for (int i = 0; i <= radius; ++i) {
        stack[static_cast<std::size_t>(i)] = first;
        sum += first * static_cast<std::uint32_t>(i + 1);
        sumOut += first;
    }
    for (int i = 1; i <= radius; ++i) {
        const TLanes p = Unpack(at(std::min(i, last)));
        stack[static_cast<std::size_t>(i + radius)] = p;
        sum += p * static_cast<std::uint32_t>(radius + 1 - i);
        sumIn += p;
    }

    int stackPointer = radius;  // the slot of the current (centre) pixel
    int leaving = 2 * radius;   // the slot of the pixel that leaves the window next
    int next = std::min(radius + 1, last);
    for (int x = 0; x < count; ++x) {
        line[static_cast<std::ptrdiff_t>(x) * step] = divide.Pack(sum);
        sum -= sumOut;

        // The slot leaving the window on the left is reused for the pixel entering on the right.
        if (++leaving >= stackSize) leaving = 0;
        sumOut -= stack[static_cast<std::size_t>(leaving)];
        const TLanes incoming = Unpack(at(next));
        stack[static_cast<std::size_t>(leaving)] = incoming;
        if (next < last) ++next;
        sumIn += incoming;
        sum += sumIn;

        if (++stackPointer >= stackSize) stackPointer = 0;
        const TLanes centre = stack[static_cast<std::size_t>(stackPointer)];
        sumOut += centre;
        sumIn -= centre;
    }
}

// The vertical pass, a whole row at a time: the same running sums as BlurLine, kept per column,
// so that memory is read along the rows instead of striding down each column. `ring` holds the
// 2r + 1 rows of the window as they were before being overwritten by the result.
void BlurColumns(std::uint32_t* pixels, int width, int height, int stride, int radius,
                 const TDivider& divide) {
    const auto w = static_cast<std::size_t>(width);
    const int ringSize = 2 * radius + 1;
    const int last = height - 1;
    std::vector<TLanes> sum(w), sumIn(w), sumOut(w);
    std::vector<std::uint32_t> ring(w * static_cast<std::size_t>(ringSize));
    auto row = [&](int y) { return pixels + static_cast<std::ptrdiff_t>(y) * stride; };
    auto slot = [&](int i) { return ring.data() + static_cast<std::size_t>(i) * w; };

    for (int i = 0; i <= radius; ++i) {
        const std::uint32_t* source = row(0);
        std::copy(source, source + w, slot(i));
        for (std::size_t x = 0; x < w; ++x) {
            const TLanes p = Unpack(source[x]);
            sum[x] += p * static_cast<std::uint32_t>(i + 1);
            sumOut[x] += p;
        }
    }
    for (int i = 1; i <= radius; ++i) {
        const std::uint32_t* source = row(std::min(i, last));
        std::copy(source, source + w, slot(i + radius));
        for (std::size_t x = 0; x < w; ++x) {
            const TLanes p = Unpack(source[x]);
            sum[x] += p * static_cast<std::uint32_t>(radius + 1 - i);
            sumIn[x] += p;
        }
    }

    int centre = radius;
    int leaving = 2 * radius;
    int next = std::min(radius + 1, last);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* out = row(y);
        for (std::size_t x = 0; x < w; ++x) {
            out[x] = divide.Pack(sum[x]);
            sum[x] -= sumOut[x];
        }
        if (++leaving >= ringSize) leaving = 0;
        std::uint32_t* left = slot(leaving);
        const std::uint32_t* incoming = row(next);
        for (std::size_t x = 0; x < w; ++x) {
            sumOut[x] -= Unpack(left[x]);
            left[x] = incoming[x];
            sumIn[x] += Unpack(incoming[x]);
            sum[x] += sumIn[x];
        }
        if (next < last) ++next;
        if (++centre >= ringSize) centre = 0;
        const std::uint32_t* middle = slot(centre);
        for (std::size_t x = 0; x < w; ++x) {
            const TLanes c = Unpack(middle[x]);
            sumOut[x] += c;
            sumIn[x] -= c;
        }
    }
}

}  // namespace

void StackBlur(QImage& image, int radius) {
    // Beyond this the running sums of 32 bits could overflow; no glow comes near it.
    constexpr int MaxRadius = 4000;
    if (radius <= 0 || image.isNull()) return;
    radius = std::min(radius, MaxRadius);
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    const int height = image.height();
    const auto weight = static_cast<std::uint32_t>(radius + 1);
    const TDivider divide(weight * weight);
    std::vector<TLanes> stack(static_cast<std::size_t>(2 * radius + 1));
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());

    for (int y = 0; y < height; ++y)
        BlurLine(pixels + static_cast<std::ptrdiff_t>(y) * stride, width, 1, radius, divide, stack);
    BlurColumns(pixels, width, height, stride, radius, divide);
}

#include "vgStackBlur.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Exact truncating division by a divisor fixed for the whole blur, as one multiply and shift:
// with m = ceil(2^40 / d) the quotient is exact for every dividend below 2^24. The largest
// weighted sum is 255 * (r + 1)^2, below that for every radius up to 255 (the glow needs 95);
// beyond it the plain division is used.
class TDivider {
public:
    explicit TDivider(std::uint32_t divisor)
        : FDivisor(divisor),
          FMagic(((std::uint64_t{1} << 40) + divisor - 1) / divisor),
          FExact(std::uint64_t{255} * divisor < (std::uint64_t{1} << 24)) {}
    std::uint32_t operator()(std::uint32_t value) const {
        if (FExact) return static_cast<std::uint32_t>((value * FMagic) >> 40);
        return value / FDivisor;
    }

private:
    std::uint32_t FDivisor;
    std::uint64_t FMagic;
    bool FExact;
};

// Four 32-bit lanes, one per channel (blue, green, red, alpha), written so that the compiler can
// keep the running sums of all channels in one vector register.
struct alignas(16) TLanes {
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
        line[static_cast<std::ptrdiff_t>(x) * step] =
            divide(sum[3]) << 24 | divide(sum[2]) << 16 | divide(sum[1]) << 8 | divide(sum[0]);
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
    for (int x = 0; x < width; ++x) BlurLine(pixels + x, height, stride, radius, divide, stack);
}

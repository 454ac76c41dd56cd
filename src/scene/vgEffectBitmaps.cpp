#include "vgEffectBitmaps.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "vgStackBlur.h"

namespace {

using Pixel = std::uint32_t;

Pixel MakePixel(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return a << 24 | r << 16 | g << 8 | b;
}
std::uint32_t Alpha(Pixel p) {
    return p >> 24;
}
std::uint32_t Red(Pixel p) {
    return (p >> 16) & 0xFFu;
}
std::uint32_t Green(Pixel p) {
    return (p >> 8) & 0xFFu;
}
std::uint32_t Blue(Pixel p) {
    return p & 0xFFu;
}

void EnsurePremultiplied(QImage& image) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

Pixel* Row(QImage& image, int y) {
    return reinterpret_cast<Pixel*>(image.scanLine(y));
}

std::vector<std::uint8_t> AlphaMask(QImage& image) {
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(image.width()) *
                                   static_cast<std::size_t>(image.height()));
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        const Pixel* row = Row(image, y);
        for (int x = 0; x < image.width(); ++x) mask[i++] = static_cast<std::uint8_t>(Alpha(row[x]));
    }
    return mask;
}

void Recolour(QImage& image, std::uint32_t glowColor, float opacity) {
    std::uint32_t glowAlpha = glowColor >> 24;
    if (opacity < 1)
        glowAlpha = static_cast<std::uint32_t>(std::trunc(glowAlpha * static_cast<double>(opacity)));
    for (int y = 0; y < image.height(); ++y) {
        Pixel* row = Row(image, y);
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t coverage = Alpha(row[x]);
            if (coverage == 0) continue;
            const std::uint32_t a = glowAlpha * coverage / 255;
            row[x] =
                MakePixel(a, Red(glowColor) * a / 255, Green(glowColor) * a / 255, Blue(glowColor) * a / 255);
        }
    }
}

// Scales a premultiplied pixel to a new alpha, keeping its unpremultiplied colour.
Pixel WithAlpha(Pixel p, std::uint32_t newAlpha) {
    const std::uint32_t a = Alpha(p);
    if (a == 0 || newAlpha == 0) return 0;
    auto scale = [&](std::uint32_t c) { return std::min(c * 255 / a, 255u) * newAlpha / 255; };
    return MakePixel(newAlpha, scale(Red(p)), scale(Green(p)), scale(Blue(p)));
}

void CutOut(QImage& image, const std::vector<std::uint8_t>& mask) {
    std::size_t i = 0;
    for (int y = 0; y < image.height(); ++y) {
        Pixel* row = Row(image, y);
        for (int x = 0; x < image.width(); ++x, ++i) {
            const std::uint32_t k = mask[i];
            if (k == 0) continue;
            row[x] = WithAlpha(row[x], Alpha(row[x]) * (255 - k) / 255);
        }
    }
}

void MirrorRows(QImage& image) {
    const int h = image.height();
    const auto bytes = static_cast<std::size_t>(image.width()) * sizeof(Pixel);
    std::vector<Pixel> swap(static_cast<std::size_t>(image.width()));
    for (int y = 0; y < h / 2; ++y) {
        Pixel* top = Row(image, y);
        Pixel* bottom = Row(image, h - 1 - y);
        std::memcpy(swap.data(), top, bytes);
        std::memcpy(top, bottom, bytes);
        std::memcpy(bottom, swap.data(), bytes);
    }
}

}  // namespace

int GlowMargin(float softness) {
    return static_cast<int>(std::trunc(softness * 23.0f)) + 4;
}

int GlowBlurRadius(float softness) {
    return static_cast<int>(std::trunc(softness * 10.0f + 5.0f));
}

void GlowBitmap(QImage& image, std::uint32_t glowColor, float opacity, int blurRadius) {
    if (image.isNull()) return;
    EnsurePremultiplied(image);
    const std::vector<std::uint8_t> mask = AlphaMask(image);
    Recolour(image, glowColor, opacity);
    StackBlur(image, blurRadius);
    CutOut(image, mask);
}

void ReflectBitmap(QImage& image, float length, float opacity) {
    if (image.isNull()) return;
    EnsurePremultiplied(image);
    const int h = image.height();
    MirrorRows(image);
    // Halves go to the even neighbour, as the toolkit has always rounded.
    const int visible = static_cast<int>(std::nearbyint((h - 1) * static_cast<double>(length)));
    for (int y = std::max(visible, 0); y < h; ++y) std::memset(Row(image, y), 0, image.bytesPerLine());
    for (int y = 0; y < visible; ++y) {
        const double fade = static_cast<double>(opacity) * (visible - y) / visible;
        Pixel* row = Row(image, y);
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t a = Alpha(row[x]);
            if (a == 0) continue;
            const auto faded = static_cast<std::uint32_t>(std::trunc(fade * a));
            // Colours are premultiplied by the old alpha, so they scale by new / old alpha.
            auto scale = [&](std::uint32_t c) { return c * faded / a; };
            row[x] = MakePixel(faded, scale(Red(row[x])), scale(Green(row[x])), scale(Blue(row[x])));
        }
    }
}

#pragma once
// What a compositing manager does for a window with per-pixel alpha, done in the program for when
// none runs: the frame's premultiplied pixels are laid over what lies beneath the window, in place,
// so that the window can be shown as opaque pixels and still look see-through.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QRgb>

#include <cstdint>

// The premultiplied "over" the painter uses: src + dst × (255 − alpha) / 255 with its rounding, on
// the four channels at once, two at a time.
inline std::uint32_t PremultipliedOver(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t inverse = 255 - (src >> 24);
    std::uint32_t rb = (dst & 0x00FF00FFu) * inverse;
    std::uint32_t ag = ((dst >> 8) & 0x00FF00FFu) * inverse;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu) + 0x00800080u) >> 8) & 0x00FF00FFu;
    ag = (ag + ((ag >> 8) & 0x00FF00FFu) + 0x00800080u) & 0xFF00FF00u;
    return src + (rb | ag);
}

// Blends the pixels of `region` of `frame` (premultiplied ARGB) over `backdrop` (opaque, 0xFFRRGGBB),
// the frame's pixel (0, 0) lying over the backdrop's pixel `offset`; the backdrop repeats as a tile.
// Afterwards every pixel of the region is opaque. A null backdrop blends over `color` instead.
void BlendOverBackdrop(QImage& frame, const QRegion& region, const QImage& backdrop, QPoint offset,
                       QRgb color);

#pragma once
// What a compositing manager does for a window with per-pixel alpha, done in the program for when
// none runs: the frame's premultiplied pixels are laid over what lies beneath the window, in place,
// so that the window can be shown as opaque pixels and still look see-through.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QRgb>

// Blends the pixels of `region` of `frame` (premultiplied ARGB) over `backdrop` (opaque, 0xFFRRGGBB),
// the frame's pixel (0, 0) lying over the backdrop's pixel `offset`; the backdrop repeats as a tile.
// Afterwards every pixel of the region is opaque. A null backdrop blends over `color` instead.
void BlendOverBackdrop(QImage& frame, const QRegion& region, const QImage& backdrop, QPoint offset,
                       QRgb color);

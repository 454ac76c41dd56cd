#pragma once
// The pixels of a premultiplied ARGB picture that are not fully transparent, as a region.
// Both the X11 input shape and the fake window's recorded input region are built with it.

#include <QImage>
#include <QRegion>

QRegion AlphaRegion(const QImage& image, const QRect& area);

// Replaces the part of `region` inside `area` with the opaque pixels of `image` there; the pixels
// of `opaque` (inside `area`) are known to be opaque and are not read.
void UpdateAlphaRegion(QRegion& region, const QImage& image, const QRegion& area,
                       const QRegion& opaque = QRegion());

// A region of logical pixels as the device pixels it covers on a screen of that ratio (2 on a
// doubled screen), every rectangle rounded outwards.
QRegion DeviceRegion(const QRegion& logical, qreal ratio);

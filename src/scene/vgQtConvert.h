#pragma once
// The scene's geometry values as the framework's, for the canvas and the host.

#include <QRectF>
#include <QTransform>

#include "vgTypes.h"

inline QRectF ToQRectF(const TvgRect& r) {
    return QRectF(QPointF(r.Left, r.Top), QPointF(r.Right, r.Bottom));
}

inline TvgRect FromQRectF(const QRectF& r) {
    return {static_cast<float>(r.left()), static_cast<float>(r.top()), static_cast<float>(r.right()),
            static_cast<float>(r.bottom())};
}

inline QPointF ToQPointF(const TvgPoint& p) {
    return QPointF(p.X, p.Y);
}

// Both transform row vectors, so the fields map one to one.
inline QTransform ToQTransform(const TvgMatrix& m) {
    return QTransform(m.m11, m.m12, m.m13, m.m21, m.m22, m.m23, m.m31, m.m32, m.m33);
}

#include "vgTypes.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

TvgMatrix TvgMatrix::Translation(float dx, float dy) {
    TvgMatrix m;
    m.m31 = dx;
    m.m32 = dy;
    return m;
}

TvgMatrix TvgMatrix::Scaling(float sx, float sy) {
    TvgMatrix m;
    m.m11 = sx;
    m.m22 = sy;
    return m;
}

TvgMatrix TvgMatrix::Rotation(float degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    const auto c = static_cast<float>(std::cos(a));
    const auto s = static_cast<float>(std::sin(a));
    TvgMatrix m;
    m.m11 = c;
    m.m12 = s;
    m.m21 = -s;
    m.m22 = c;
    return m;
}

TvgMatrix operator*(const TvgMatrix& a, const TvgMatrix& b) {
    TvgMatrix r;
    r.m11 = a.m11 * b.m11 + a.m12 * b.m21 + a.m13 * b.m31;
    r.m12 = a.m11 * b.m12 + a.m12 * b.m22 + a.m13 * b.m32;
    r.m13 = a.m11 * b.m13 + a.m12 * b.m23 + a.m13 * b.m33;
    r.m21 = a.m21 * b.m11 + a.m22 * b.m21 + a.m23 * b.m31;
    r.m22 = a.m21 * b.m12 + a.m22 * b.m22 + a.m23 * b.m32;
    r.m23 = a.m21 * b.m13 + a.m22 * b.m23 + a.m23 * b.m33;
    r.m31 = a.m31 * b.m11 + a.m32 * b.m21 + a.m33 * b.m31;
    r.m32 = a.m31 * b.m12 + a.m32 * b.m22 + a.m33 * b.m32;
    r.m33 = a.m31 * b.m13 + a.m32 * b.m23 + a.m33 * b.m33;
    return r;
}

TvgPoint MapPoint(const TvgPoint& p, const TvgMatrix& m) {
    return {p.X * m.m11 + p.Y * m.m21 + m.m31, p.X * m.m12 + p.Y * m.m22 + m.m32};
}

TvgRect MapRect(const TvgRect& r, const TvgMatrix& m) {
    const TvgPoint corners[4] = {MapPoint({r.Left, r.Top}, m), MapPoint({r.Right, r.Top}, m),
                                 MapPoint({r.Left, r.Bottom}, m), MapPoint({r.Right, r.Bottom}, m)};
    TvgRect out{corners[0].X, corners[0].Y, corners[0].X, corners[0].Y};
    for (const TvgPoint& c : corners) {
        out.Left = std::min(out.Left, c.X);
        out.Top = std::min(out.Top, c.Y);
        out.Right = std::max(out.Right, c.X);
        out.Bottom = std::max(out.Bottom, c.Y);
    }
    return out;
}

TvgMatrix InvertMatrix(const TvgMatrix& m) {
    // Computed in double so that translations of whole screens keep their fractions.
    const double a = m.m11, b = m.m12, c = m.m13, d = m.m21, e = m.m22, f = m.m23, g = m.m31, h = m.m32,
                 i = m.m33;
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (std::abs(det) < 1e-12) return TvgMatrix::Identity();
    const double k = 1.0 / det;
    TvgMatrix r;
    r.m11 = static_cast<float>((e * i - f * h) * k);
    r.m12 = static_cast<float>((c * h - b * i) * k);
    r.m13 = static_cast<float>((b * f - c * e) * k);
    r.m21 = static_cast<float>((f * g - d * i) * k);
    r.m22 = static_cast<float>((a * i - c * g) * k);
    r.m23 = static_cast<float>((c * d - a * f) * k);
    r.m31 = static_cast<float>((d * h - e * g) * k);
    r.m32 = static_cast<float>((b * g - a * h) * k);
    r.m33 = static_cast<float>((a * e - b * d) * k);
    return r;
}

TvgPoint UnmapPoint(const TvgPoint& p, const TvgMatrix& m) {
    const double det = static_cast<double>(m.m11) * m.m22 - static_cast<double>(m.m12) * m.m21;
    if (std::abs(det) < 1e-12) return p;
    const double dx = static_cast<double>(p.X) - m.m31;
    const double dy = static_cast<double>(p.Y) - m.m32;
    return {static_cast<float>((dx * m.m22 - dy * m.m21) / det),
            static_cast<float>((dy * m.m11 - dx * m.m12) / det)};
}

TvgRect UnionRect(const TvgRect& a, const TvgRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

TvgRect IntersectRect(const TvgRect& a, const TvgRect& b) {
    const TvgRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                    std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TvgRect{} : r;
}

bool RectsIntersect(const TvgRect& a, const TvgRect& b) {
    return !IntersectRect(a, b).IsEmpty();
}

double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

namespace {

QString Number(float v) {
    return QString::number(static_cast<double>(v), 'g', 9);
}

bool ParseNumbers(const QString& text, int count, float* out) {
    const QString t = text.trimmed();
    if (!t.startsWith(u'(') || !t.endsWith(u')')) return false;
    const QStringList parts = t.mid(1, t.size() - 2).split(u',');
    if (parts.size() != count) return false;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const float v = parts[i].trimmed().toFloat(&ok);
        if (!ok || !std::isfinite(v)) return false;
        out[i] = v;
    }
    return true;
}

}  // namespace

QString PointToText(const TvgPoint& p) {
    return u'(' + Number(p.X) + u',' + Number(p.Y) + u')';
}

QString RectToText(const TvgRect& r) {
    return u'(' + Number(r.Left) + u',' + Number(r.Top) + u',' + Number(r.Right) + u',' + Number(r.Bottom) +
           u')';
}

bool TextToPoint(const QString& text, TvgPoint& p) {
    float v[2];
    if (!ParseNumbers(text, 2, v)) return false;
    p = {v[0], v[1]};
    return true;
}

bool TextToRect(const QString& text, TvgRect& r) {
    float v[4];
    if (!ParseNumbers(text, 4, v)) return false;
    r = {v[0], v[1], v[2], v[3]};
    return true;
}

void RegisterGeometryConverters() {
    static const bool done = [] {
        QMetaType::registerConverter<TvgPoint, QString>(&PointToText);
        QMetaType::registerConverter<TvgRect, QString>(&RectToText);
        // Text that is not a point or rectangle must fail the conversion, not yield zeros.
        QMetaType::registerConverterFunction(
            [](const void* from, void* to) {
                return TextToPoint(*static_cast<const QString*>(from), *static_cast<TvgPoint*>(to));
            },
            QMetaType::fromType<QString>(), QMetaType::fromType<TvgPoint>());
        QMetaType::registerConverterFunction(
            [](const void* from, void* to) {
                return TextToRect(*static_cast<const QString*>(from), *static_cast<TvgRect*>(to));
            },
            QMetaType::fromType<QString>(), QMetaType::fromType<TvgRect>());
        return true;
    }();
    (void)done;
}

#pragma once
// Plain geometry values of the scene: 32-bit floats in scene units, one unit per pixel at scale 1.
// Matrices transform row vectors (point × matrix); m31 and m32 hold the translation.

#include <QMetaType>
#include <QString>

#include <array>

struct TvgPoint {
    float X = 0;
    float Y = 0;

    friend bool operator==(const TvgPoint&, const TvgPoint&) = default;
};

struct TvgRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;

    float Width() const { return Right - Left; }
    float Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TvgRect Offset(float dx, float dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    TvgRect Inflate(float dx, float dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }

    friend bool operator==(const TvgRect&, const TvgRect&) = default;
};

struct TvgMatrix {
    float m11 = 1, m12 = 0, m13 = 0;
    float m21 = 0, m22 = 1, m23 = 0;
    float m31 = 0, m32 = 0, m33 = 1;

    static TvgMatrix Identity() { return {}; }
    static TvgMatrix Translation(float dx, float dy);
    static TvgMatrix Scaling(float sx, float sy);
    static TvgMatrix Rotation(float degrees);

    friend bool operator==(const TvgMatrix&, const TvgMatrix&) = default;
};

// a × b: first a, then b (row vectors).
TvgMatrix operator*(const TvgMatrix& a, const TvgMatrix& b);
TvgPoint MapPoint(const TvgPoint& p, const TvgMatrix& m);
// The axis-aligned box around the four mapped corners.
TvgRect MapRect(const TvgRect& r, const TvgMatrix& m);
// Identity when the matrix cannot be inverted.
TvgMatrix InvertMatrix(const TvgMatrix& m);
// p × m⁻¹ for an affine m, solved in double precision so that points on an edge stay on it;
// p itself when m cannot be inverted.
TvgPoint UnmapPoint(const TvgPoint& p, const TvgMatrix& m);

TvgRect UnionRect(const TvgRect& a, const TvgRect& b);
// An empty rectangle (all zero) when they do not overlap.
TvgRect IntersectRect(const TvgRect& a, const TvgRect& b);
bool RectsIntersect(const TvgRect& a, const TvgRect& b);

// Rounding to the nearest integer with halves going to the even neighbour (2.5 → 2, 3.5 → 4).
double RoundHalfEven(double value);

// Stored text forms: a point as "(161,0)", a rectangle as "(16,36,16,16)" (left, top, right, bottom).
QString PointToText(const TvgPoint& p);
QString RectToText(const TvgRect& r);
// Return false (and leave the output alone) on malformed text.
bool TextToPoint(const QString& text, TvgPoint& p);
bool TextToRect(const QString& text, TvgRect& r);

Q_DECLARE_METATYPE(TvgPoint)
Q_DECLARE_METATYPE(TvgRect)

// Makes QVariant convert between the geometry values and their text forms (used by the style
// reader); safe to call more than once.
void RegisterGeometryConverters();

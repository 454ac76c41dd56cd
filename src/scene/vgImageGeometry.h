#pragma once
// Where the parts of a picture go inside an image object. Pure geometry, so the placement rules
// can be checked without painting.

#include <QRectF>
#include <QSizeF>

#include <vector>

struct TvgImagePart {
    QRectF Source;  // in bitmap pixels
    QRectF Dest;    // in the image's local units
};

// Rounds to the nearest integer, halves to even (2.5 → 2, 3.5 → 4).
double vgRound(double value);

// Shrinks a larger picture to fit keeping its aspect ratio, never enlarges a smaller one, and
// centres the result on whole units.
QRectF vgFitRect(QSizeF bitmap, QSizeF area);

// The tile origins: columns 0 … Round(area width / bitmap width), rows likewise.
std::vector<QRectF> vgTileRects(QSizeF bitmap, QSizeF area);

// Nine-slice: corners at their own size, edges stretched along their edge, the centre over the rest.
// Margins are left, top, right, bottom in bitmap pixels; empty parts are left out.
std::vector<TvgImagePart> vgNineSliceParts(QSizeF bitmap, QSizeF area, double left, double top, double right,
                                           double bottom);

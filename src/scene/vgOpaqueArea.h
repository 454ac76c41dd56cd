#pragma once
// What a pass may leave unpainted: the part of a picture whose pixels are all opaque, and a grid of
// the scene's cells that objects drawn later cover with opaque pixels. An object lying wholly under
// such cells cannot show, so thousands of stacked notes cost the painting of the few on top.

#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

#include "vgTypes.h"

class TvgVisualObject;

// The largest rectangle of pixels that are all fully opaque, in pixels; empty when there is none.
// Worked out once for each picture and kept for its shared copies.
QRect vgOpaqueCore(const QImage& AImage);

class TvgCoverage {
public:
    // Cells of ACell × ACell units over AArea, on a grid of whole cells from the scene's origin;
    // none covered yet.
    explicit TvgCoverage(const TvgRect& AArea, int ACell = 8);

    // Marks the cells that lie wholly inside R.
    void Add(const TvgRect& R);
    // True when every cell that the part of R inside the area touches is marked (so also when no
    // part of R is inside the area).
    bool Covers(const TvgRect& R) const;

private:
    // The cells [X0, X1) × [Y0, Y1), clamped to the grid.
    struct TCells {
        int X0, Y0, X1, Y1;
    };
    TCells Inside(const TvgRect& R) const;
    TCells Touched(const TvgRect& R) const;

    TvgRect FArea;
    int FCell;
    int FColumns;
    int FRows;
    std::vector<std::uint8_t> FMarked;
};

// The scene area that painting AObject and its children (ADepth levels down) leaves opaque whatever
// lay beneath: the largest opaque rectangle of the object or of one of those children, as long as
// everything on the way is visible, at full opacity, without effects and not turned. Empty when
// there is none.
TvgRect vgOpaqueSceneRect(TvgVisualObject& AObject, int ADepth = 2);

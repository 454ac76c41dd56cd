#include "vgOpaqueArea.h"

#include <QHash>

#include <algorithm>
#include <cmath>

#include "vgVisualObject.h"

namespace {

// The largest rectangle under a histogram of column heights ending at row `bottom`.
void LargestUnder(const std::vector<int>& heights, int bottom, QRect& best) {
    std::vector<int> stack;
    const int width = static_cast<int>(heights.size());
    for (int x = 0; x <= width; ++x) {
        const int h = x < width ? heights[static_cast<std::size_t>(x)] : 0;
        while (!stack.empty() && heights[static_cast<std::size_t>(stack.back())] >= h) {
            const int top = heights[static_cast<std::size_t>(stack.back())];
            stack.pop_back();
            const int left = stack.empty() ? 0 : stack.back() + 1;
            const long long area = static_cast<long long>(top) * (x - left);
            if (area > static_cast<long long>(best.width()) * best.height())
                best = QRect(left, bottom - top + 1, x - left, top);
        }
        stack.push_back(x);
    }
}

QRect ComputeOpaqueCore(const QImage& AImage) {
    if (!AImage.hasAlphaChannel()) return AImage.rect();
    const QImage image =
        AImage.format() == QImage::Format_ARGB32_Premultiplied || AImage.format() == QImage::Format_ARGB32
            ? AImage
            : AImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<int> heights(static_cast<std::size_t>(image.width()), 0);
    QRect best;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            int& h = heights[static_cast<std::size_t>(x)];
            h = qAlpha(line[x]) == 255 ? h + 1 : 0;
        }
        LargestUnder(heights, y, best);
    }
    return best;
}

float Area(const TvgRect& R) {
    return R.IsEmpty() ? 0 : R.Width() * R.Height();
}

bool AxisAligned(const TvgMatrix& M) {
    return M.m12 == 0 && M.m21 == 0;
}

}  // namespace

QRect vgOpaqueCore(const QImage& AImage) {
    if (AImage.isNull()) return {};
    // Keyed by the pixels' identity: every note showing the same picture shares one entry.
    static QHash<qint64, QRect> cores;
    const qint64 key = AImage.cacheKey();
    if (const auto found = cores.constFind(key); found != cores.constEnd()) return *found;
    if (cores.size() >= 256) cores.clear();
    const QRect core = ComputeOpaqueCore(AImage);
    cores.insert(key, core);
    return core;
}

namespace {

// The area's top-left corner moved back onto the grid of whole cells: the cells stay where they are
// whatever part of the scene a pass covers.
TvgRect OnCellGrid(const TvgRect& AArea, int ACell) {
    const float cell = static_cast<float>(ACell);
    return {std::floor(AArea.Left / cell) * cell, std::floor(AArea.Top / cell) * cell, AArea.Right,
            AArea.Bottom};
}

}  // namespace

TvgCoverage::TvgCoverage(const TvgRect& AArea, int ACell)
    : FArea(OnCellGrid(AArea, std::max(1, ACell))),
      FCell(std::max(1, ACell)),
      FColumns(std::max(0, static_cast<int>(std::ceil(FArea.Width() / static_cast<float>(FCell))))),
      FRows(std::max(0, static_cast<int>(std::ceil(FArea.Height() / static_cast<float>(FCell))))),
      FMarked(static_cast<std::size_t>(FColumns) * static_cast<std::size_t>(FRows), 0) {}

TvgCoverage::TCells TvgCoverage::Inside(const TvgRect& R) const {
    const float cell = static_cast<float>(FCell);
    TCells c{static_cast<int>(std::ceil((R.Left - FArea.Left) / cell)),
             static_cast<int>(std::ceil((R.Top - FArea.Top) / cell)),
             static_cast<int>(std::floor((R.Right - FArea.Left) / cell)),
             static_cast<int>(std::floor((R.Bottom - FArea.Top) / cell))};
    // The last cell may be cut by the area's edge: it counts as inside when R reaches that edge.
    if (R.Right >= FArea.Right) c.X1 = FColumns;
    if (R.Bottom >= FArea.Bottom) c.Y1 = FRows;
    c.X0 = std::clamp(c.X0, 0, FColumns);
    c.X1 = std::clamp(c.X1, 0, FColumns);
    c.Y0 = std::clamp(c.Y0, 0, FRows);
    c.Y1 = std::clamp(c.Y1, 0, FRows);
    return c;
}

TvgCoverage::TCells TvgCoverage::Touched(const TvgRect& R) const {
    const float cell = static_cast<float>(FCell);
    TCells c{static_cast<int>(std::floor((R.Left - FArea.Left) / cell)),
             static_cast<int>(std::floor((R.Top - FArea.Top) / cell)),
             static_cast<int>(std::ceil((R.Right - FArea.Left) / cell)),
             static_cast<int>(std::ceil((R.Bottom - FArea.Top) / cell))};
    c.X0 = std::clamp(c.X0, 0, FColumns);
    c.X1 = std::clamp(c.X1, 0, FColumns);
    c.Y0 = std::clamp(c.Y0, 0, FRows);
    c.Y1 = std::clamp(c.Y1, 0, FRows);
    return c;
}

void TvgCoverage::Add(const TvgRect& R) {
    if (R.IsEmpty()) return;
    const TCells c = Inside(R);
    for (int y = c.Y0; y < c.Y1; ++y) {
        std::uint8_t* row = FMarked.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(FColumns);
        std::fill(row + c.X0, row + std::max(c.X0, c.X1), std::uint8_t{1});
    }
}

bool TvgCoverage::Covers(const TvgRect& R) const {
    const TCells c = Touched(R);
    for (int y = c.Y0; y < c.Y1; ++y) {
        const std::uint8_t* row =
            FMarked.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(FColumns);
        if (std::find(row + c.X0, row + std::max(c.X0, c.X1), std::uint8_t{0}) != row + std::max(c.X0, c.X1))
            return false;
    }
    return true;
}

TvgRect vgOpaqueSceneRect(TvgVisualObject& AObject, int ADepth) {
    // An effect may paint the object in its stead; a turned object covers no upright rectangle.
    if (!AObject.Visible() || AObject.HasEffect()) return {};
    const TvgMatrix matrix = AObject.AbsoluteMatrix();
    if (!AxisAligned(matrix)) return {};
    TvgRect best;
    // A child that cuts itself out of its parent leaves a hole in the parent's own paint.
    const auto& children = AObject.ChildList();
    const bool holes = std::any_of(children.begin(), children.end(), [](TvgObject* child) {
        return child->Visual() && child->Visual()->Visible() && child->Visual()->ClipParent();
    });
    if (!holes && AObject.AbsoluteOpacity() >= 1) {
        const TvgRect own = AObject.OpaqueRect();
        if (!own.IsEmpty()) best = IntersectRect(own, AObject.LocalRect());
        if (!best.IsEmpty()) best = MapRect(best, matrix);
    }
    if (ADepth > 0) {
        for (TvgObject* child : children) {
            TvgVisualObject* visual = child->Visual();
            if (!visual) continue;
            TvgRect inner = vgOpaqueSceneRect(*visual, ADepth - 1);
            if (AObject.ClipChildren() && visual->CanClipped())
                inner = IntersectRect(inner, MapRect(AObject.LocalRect(), matrix));
            if (Area(inner) > Area(best)) best = inner;
        }
    }
    return best;
}

#pragma once
// Runs of pixels gathered row by row into a region: the runs of one row become rectangles, and a
// row with exactly the runs of the row above extends those rectangles downwards, so that an
// opaque block is one rectangle rather than one per row.

#include <QRect>
#include <QRegion>

#include <cstddef>
#include <vector>

class TRowRuns {
public:
    // Rows come from the top down, one after the other or with gaps.
    void StartRow(int y) {
        FThisRow = FRuns.size();
        FY = y;
    }
    // The pixels [start, end) of the current row.
    void Add(int start, int end) { FRuns.emplace_back(start, FY, end - start, 1); }
    void EndRow() {
        const std::size_t count = FRuns.size() - FThisRow;
        bool same = count > 0 && count == FThisRow - FPreviousRow && FRuns[FPreviousRow].bottom() == FY - 1;
        for (std::size_t i = 0; same && i < count; ++i)
            same = FRuns[FPreviousRow + i].left() == FRuns[FThisRow + i].left() &&
                   FRuns[FPreviousRow + i].width() == FRuns[FThisRow + i].width();
        if (same) {
            FRuns.resize(FThisRow);
            for (std::size_t i = FPreviousRow; i < FThisRow; ++i) FRuns[i].setBottom(FY);
        } else {
            FPreviousRow = FThisRow;
        }
    }
    QRegion Region() const {
        QRegion result;
        result.setRects(FRuns.data(), static_cast<int>(FRuns.size()));
        return result;
    }

private:
    std::vector<QRect> FRuns;
    std::size_t FPreviousRow = 0;  // where the runs of the row above start in FRuns
    std::size_t FThisRow = 0;
    int FY = 0;
};

#pragma once
// Which cells of the desktop panel's grid are taken, kept up to date as buttons arrive, move and
// leave, so that finding a free cell does not look at every button for every candidate cell. It
// also remembers how far a search in fill order got through taken cells: the next search with the
// same grid resumes there, until one of those cells is freed.

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "vgTypes.h"

class TDesktopCells {
public:
    // A point as the grid compares it: the exact single-precision coordinates.
    using TKey = std::uint64_t;
    static bool KeyOf(const TvgPoint& P, TKey& AKey);

    void Add(const void* AButton, const TvgPoint& P);
    void Move(const void* AButton, const TvgPoint& P);
    void Remove(const void* AButton);
    bool Contains(const void* AButton) const { return FButtonCell.count(AButton) != 0; }
    int ButtonCount() const { return static_cast<int>(FButtonCell.size()); }
    bool Used(const TvgPoint& P) const;

    // Where a search stopped: every cell it went through before is taken. Grid tells which grid
    // the search walked (counts, pitches, fill order); a different grid starts from the beginning.
    struct TWalk {
        int Row = 0;
        int Col = 0;
        long long Step = 0;
        bool Ended = false;  // the search ran out of cells at this point
        TvgPoint P{};
    };
    struct TGrid {
        int Columns, Rows;
        float PitchX, PitchY;
        int Order;
        bool operator==(const TGrid&) const = default;
    };
    class TTrail {
    public:
        // Gives the state to resume from on AGrid; false (and a fresh trail) to start from the beginning.
        bool Start(const TGrid& AGrid, TWalk& AWalk);
        // A taken cell the search has gone through.
        void Passed(const TvgPoint& P);
        void Stopped(const TWalk& AWalk);
        void Forget();
        bool Holds(TKey AKey) const { return FPassed.count(AKey) != 0; }

    private:
        bool FValid = false;
        TGrid FGrid{};
        TWalk FWalk;
        std::unordered_set<TKey> FPassed;
    };
    // The walk of the regular search and the walk of the overflow past the grid's edge.
    TTrail& SearchTrail() { return FSearch; }
    TTrail& OverflowTrail() { return FOverflow; }

private:
    struct TCell {
        bool Known;
        TKey Key;
    };
    void Take(const TCell& ACell);
    void Free(const TCell& ACell);

    std::unordered_map<const void*, TCell> FButtonCell;
    std::unordered_map<TKey, int> FTaken;
    TTrail FSearch;
    TTrail FOverflow;
};

#include "TDesktopCells.h"

#include <bit>
#include <cmath>

bool TDesktopCells::KeyOf(const TvgPoint& P, TKey& AKey) {
    // NaN equals nothing, and -0 equals 0.
    if (std::isnan(P.X) || std::isnan(P.Y)) return false;
    const float x = P.X == 0 ? 0.0f : P.X;
    const float y = P.Y == 0 ? 0.0f : P.Y;
    AKey = (static_cast<TKey>(std::bit_cast<std::uint32_t>(x)) << 32) | std::bit_cast<std::uint32_t>(y);
    return true;
}

void TDesktopCells::Take(const TCell& ACell) {
    if (ACell.Known) ++FTaken[ACell.Key];
}

void TDesktopCells::Free(const TCell& ACell) {
    if (!ACell.Known) return;
    const auto it = FTaken.find(ACell.Key);
    if (it == FTaken.end() || --it->second > 0) return;
    FTaken.erase(it);
    // A search that went through this cell could now stop in it.
    if (FSearch.Holds(ACell.Key)) FSearch.Forget();
    if (FOverflow.Holds(ACell.Key)) FOverflow.Forget();
}

void TDesktopCells::Add(const void* AButton, const TvgPoint& P) {
    if (Contains(AButton)) return Move(AButton, P);
    TCell cell{};
    cell.Known = KeyOf(P, cell.Key);
    FButtonCell.emplace(AButton, cell);
    Take(cell);
}

void TDesktopCells::Move(const void* AButton, const TvgPoint& P) {
    const auto it = FButtonCell.find(AButton);
    if (it == FButtonCell.end()) return;
    TCell cell{};
    cell.Known = KeyOf(P, cell.Key);
    if (cell.Known == it->second.Known && cell.Key == it->second.Key) return;
    const TCell old = it->second;
    it->second = cell;
    Take(cell);
    Free(old);
}

void TDesktopCells::Remove(const void* AButton) {
    const auto it = FButtonCell.find(AButton);
    if (it == FButtonCell.end()) return;
    const TCell old = it->second;
    FButtonCell.erase(it);
    Free(old);
}

bool TDesktopCells::Used(const TvgPoint& P) const {
    TKey key;
    return KeyOf(P, key) && FTaken.count(key) != 0;
}

bool TDesktopCells::TTrail::Start(const TGrid& AGrid, TWalk& AWalk) {
    if (FValid && FGrid == AGrid) {
        AWalk = FWalk;
        return true;
    }
    Forget();
    FGrid = AGrid;
    return false;
}

void TDesktopCells::TTrail::Passed(const TvgPoint& P) {
    TKey key;
    if (KeyOf(P, key)) FPassed.insert(key);
}

void TDesktopCells::TTrail::Stopped(const TWalk& AWalk) {
    FValid = true;
    FWalk = AWalk;
}

void TDesktopCells::TTrail::Forget() {
    FValid = false;
    FPassed.clear();
}

#include "uFreeMemory.h"

TimerId FreeMemoryTimerID = 0;
bool FreeMemoryBusy = false;

namespace {
constexpr int FreeMemoryInterval = 2000;

// The heap as the last trim left it: while it is the same, a trim would give nothing back.
std::uint64_t TrimmedHeap = 0;

// Clears the busy flag however the tick ends, an exception included.
class BusyScope {
public:
    BusyScope() { FreeMemoryBusy = true; }
    ~BusyScope() { FreeMemoryBusy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};
}  // namespace

void StartFreeMemory() {
    FreeMemoryTimerID = Platform().StartTimer(FreeMemoryInterval, FreeMemoryTimerProc);
}

void StopFreeMemory() {
    if (FreeMemoryTimerID == 0) return;
    Platform().StopTimer(FreeMemoryTimerID);
    FreeMemoryTimerID = 0;
}

void FreeMemoryTimerProc() {
    if (FreeMemoryBusy) return;
    BusyScope busy;
    TrimWorkingSet();
}

void TrimWorkingSet() {
    const std::uint64_t heap = Platform().HeapFingerprint();
    if (heap == 0 || heap != TrimmedHeap) {
        Platform().TrimWorkingSet();
        TrimmedHeap = Platform().HeapFingerprint();
    }
    Platform().ProcessPendingEvents();
}

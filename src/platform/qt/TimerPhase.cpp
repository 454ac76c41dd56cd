#include "TimerPhase.h"

int FirstTickDelay(int AIntervalMs, std::int64_t ANowMs) {
    if (AIntervalMs < kTimerMarkMs || AIntervalMs % kTimerMarkMs != 0 || ANowMs < 0) return AIntervalMs;
    return AIntervalMs - static_cast<int>(ANowMs % kTimerMarkMs);
}

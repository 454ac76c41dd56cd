#pragma once
// Where the first tick of a repeating timer falls. Qt moves each coarse timer's ticks a little
// towards the half-second marks of the monotonic clock, tick by tick, so that timers of periods in
// whole half seconds end up waking the program together; until a timer has got there, which takes
// up to ten ticks, each wakes it on its own. A timer whose first tick already lies on a mark wakes
// together with the others from the start.

#include <cstdint>

constexpr int kTimerMarkMs = 500;

// The delay before the first tick of a timer of `AIntervalMs` started at `ANowMs` on the monotonic
// clock: the last half-second mark not after a full interval, so the first tick never comes late
// (a period that is not a multiple of the mark ticks a full interval after the start).
int FirstTickDelay(int AIntervalMs, std::int64_t ANowMs);

#include <gtest/gtest.h>

#include "TimerPhase.h"

namespace {

struct PhaseCase {
    int Interval;
    std::int64_t Now;
    int Delay;
};

const PhaseCase kPhases[] = {
    {2000, 1'000'000, 2000},                         // already on a mark
    {2000, 1'000'001, 1999},                         // the mark a little before the full interval
    {2000, 1'000'499, 1501},                         // never earlier than half a second before it
    {2000, 1'000'500, 2000}, {500, 7'123'260, 240},  // the wallpaper poll: the next mark
    {500, 7'123'000, 500},   {1500, 42, 1458},
    {33, 1'000'017, 33},    // the animation clock keeps its own beat
    {250, 1'000'017, 250},  // not a whole number of half seconds
    {2100, 1'000'017, 2100}, {1000, -5, 1000},
};

TEST(TimerPhase, TheFirstTickFallsOnAHalfSecondMarkNeverLate) {
    for (const PhaseCase& c : kPhases) {
        const int delay = FirstTickDelay(c.Interval, c.Now);
        EXPECT_EQ(delay, c.Delay) << c.Interval << " at " << c.Now;
        EXPECT_LE(delay, c.Interval);
        EXPECT_GT(delay, 0);
        if (c.Interval % kTimerMarkMs == 0 && c.Now >= 0) {
            EXPECT_EQ((c.Now + delay) % kTimerMarkMs, 0) << c.Interval << " at " << c.Now;
        }
    }
}

TEST(TimerPhase, TwoTimersOfWholeHalfSecondsTickTogether) {
    // The trim started at the program's start, the poll whenever the panel is shown.
    const std::int64_t trimStart = 10'037, pollStart = 13'811;
    const std::int64_t firstTrim = trimStart + FirstTickDelay(2000, trimStart);
    const std::int64_t firstPoll = pollStart + FirstTickDelay(500, pollStart);
    EXPECT_EQ((firstPoll - firstTrim) % 500, 0);
}

}  // namespace

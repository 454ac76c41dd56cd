#include <gtest/gtest.h>

#include <stdexcept>

#include "FakePlatformScope.h"
#include "uFreeMemory.h"

TEST(FreeMemory, TrimsEveryTwoSecondsUntilStopped) {
    FakePlatformScope platform;
    StartFreeMemory();
    platform->Advance(1999);
    EXPECT_EQ(platform->TrimCount(), 0);
    platform->Advance(1);
    EXPECT_EQ(platform->TrimCount(), 1);
    platform->Advance(6000);
    EXPECT_EQ(platform->TrimCount(), 4);
    StopFreeMemory();
    EXPECT_EQ(platform->ActiveTimerCount(), 0);
    platform->Advance(10000);
    EXPECT_EQ(platform->TrimCount(), 4);
}

TEST(FreeMemory, ATickSkipsTheTrimWhileTheHeapIsAsTheLastTrimLeftIt) {
    FakePlatformScope platform;
    platform->SetHeapFingerprint(7);
    StartFreeMemory();
    platform->Advance(2000);
    EXPECT_EQ(platform->TrimCount(), 1);
    platform->Advance(4000);
    EXPECT_EQ(platform->TrimCount(), 1);
    EXPECT_TRUE(platform->IsTimerActive(FreeMemoryTimerID));
    platform->SetHeapFingerprint(8);
    platform->Advance(2000);
    EXPECT_EQ(platform->TrimCount(), 2);
    platform->SetHeapFingerprint(0);  // changing at every look again
    platform->Advance(4000);
    EXPECT_EQ(platform->TrimCount(), 4);
    StopFreeMemory();
}

TEST(FreeMemory, ATickDeliveredWhileProcessingEventsDoesNothing) {
    FakePlatformScope platform;
    // A tick that arrives from the pending-event pass of a running tick must not trim again.
    platform->Post([] { FreeMemoryTimerProc(); });
    FreeMemoryTimerProc();
    EXPECT_EQ(platform->TrimCount(), 1);
    EXPECT_FALSE(FreeMemoryBusy);
}

TEST(FreeMemory, TheBusyFlagIsClearedWhenATickThrows) {
    FakePlatformScope platform;
    platform->Post([] { throw std::runtime_error("tick failed"); });
    EXPECT_THROW(FreeMemoryTimerProc(), std::runtime_error);
    EXPECT_FALSE(FreeMemoryBusy);
    FreeMemoryTimerProc();
    EXPECT_EQ(platform->TrimCount(), 2);
}

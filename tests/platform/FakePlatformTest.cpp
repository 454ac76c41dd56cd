#include <gtest/gtest.h>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"

TEST(FakeClock, TimersFireInTimeOrderOnlyWhenAdvanced) {
    FakePlatformScope platform;
    std::vector<std::pair<char, std::uint64_t>> fired;
    const std::uint64_t start = platform->TickCount();
    platform->StartTimer(30, [&] { fired.emplace_back('a', platform->TickCount() - start); });
    platform->StartTimer(20, [&] { fired.emplace_back('b', platform->TickCount() - start); });
    EXPECT_TRUE(fired.empty());
    platform->Advance(60);
    const std::vector<std::pair<char, std::uint64_t>> expected{
        {'b', 20}, {'a', 30}, {'b', 40}, {'a', 60}, {'b', 60}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(platform->TickCount() - start, 60u);
}

TEST(FakeClock, ATimerCanStopItselfAndPostedTasksRunBeforeTheNextTick) {
    FakePlatformScope platform;
    int ticks = 0;
    std::vector<int> order;
    TimerId id = 0;
    id = platform->StartTimer(10, [&] {
        ++ticks;
        platform->Post([&] { order.push_back(ticks); });
        if (ticks == 2) platform->StopTimer(id);
    });
    platform->Advance(100);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(platform->ActiveTimerCount(), 0);
}

TEST(FakeMessages, AnswersComeFromTheScriptThenTheDefault) {
    FakePlatformScope platform;
    platform->ScriptAnswer(TMsgResult::MR_Yes);
    platform->SetDefaultAnswer(TMsgResult::MR_No);
    EXPECT_EQ(Platform().MessageBox("a", "t", TMsgIcon::MI_Question, TMsgButtons::MB_YesNo),
              TMsgResult::MR_Yes);
    EXPECT_EQ(Platform().MessageBox("b", "t", TMsgIcon::MI_Question, TMsgButtons::MB_YesNo),
              TMsgResult::MR_No);
    ASSERT_EQ(platform->Messages().size(), 2u);
    EXPECT_EQ(platform->Messages()[1].Text, "b");
}

TEST(FakeHostWindow, InputRegionFollowsPresentedAlpha) {
    FakePlatformScope platform;
    auto window = Platform().CreateHostWindow(THostWindowKind::HW_Desktop);
    window->SetGeometry({0, 0, 100, 50});
    QImage* buffer = window->BeginPaint(QRect(0, 0, 100, 50));
    buffer->fill(Qt::transparent);
    buffer->setPixel(10, 10, qRgba(0, 0, 0, 1));  // alpha 1 still takes input
    window->EndPaint(QRect(0, 0, 100, 50));
    EXPECT_TRUE(window->InputRegion().contains(QPoint(10, 10)));
    EXPECT_FALSE(window->InputRegion().contains(QPoint(11, 10)));

    buffer = window->BeginPaint(QRect(0, 0, 20, 20));
    buffer->fill(Qt::transparent);
    window->EndPaint(QRect(0, 0, 20, 20));
    EXPECT_TRUE(window->InputRegion().isEmpty());
}

TEST(FakePopupMenu, AutoCheckTurnsBeforeTheHandlerAndDisabledItemsDoNothing) {
    FakePlatformScope platform;
    auto menu = Platform().CreatePopupMenu();
    bool seen = false;
    int clicks = 0;
    menu->Items().push_back({"a", 0, false, true, true, true, [&] { seen = menu->Items()[0].Checked; }});
    menu->Items().push_back({"b", 0, false, false, false, true, [&] { ++clicks; }});
    menu->Click(0);
    menu->Click(1);
    EXPECT_TRUE(seen);
    EXPECT_EQ(clicks, 0);
}

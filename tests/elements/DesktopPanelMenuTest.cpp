#include <gtest/gtest.h>

#include "PanelScene.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "vgPosition.h"

namespace {

struct TExpectedItem {
    const char* Caption;
    int Tag;
    bool AutoCheck;
};

class DesktopPanelMenuTest : public ::testing::Test {
protected:
    DesktopPanelMenuTest() : Desk(QSize(400, 300)) {
        Panel = Desk.Add<TVGDesktopPanel>();
        Panel->SetVisible(false);
        Panel->CreateDefaultButton();
        Panel->CreatePopupMenu();
        Panel->Show();
        Desk.Fake->Advance(700);
    }
    FakePopupMenu& Menu() { return *dynamic_cast<FakePopupMenu*>(Panel->Menu()); }
    void Listen() {
        Panel->SetOnBuildInEvent([this](QObject* sender, TMVSysCommand command) {
            Raised.emplace_back(sender, command);
            if (command == MVC_DesktopMenuPopup && OnOpening) OnOpening(sender);
        });
    }
    void RightClick(float x, float y) {
        Desk.MoveTo(x, y);
        Desk.Press(TMouseButton::mbRight, x, y, TShiftState(TShiftFlag::ssRight));
        Desk.Release(TMouseButton::mbRight, x, y);
    }

    PanelScene Desk;
    TVGDesktopPanel* Panel;
    std::vector<std::pair<QObject*, TMVSysCommand>> Raised;
    std::function<void(QObject*)> OnOpening;
};

TEST_F(DesktopPanelMenuTest, HoldsTheBuiltInCommandsInOrderWithTheirTags) {
    const std::vector<TExpectedItem> expected = {{"新建便签", MVC_CreateTakeNote, false},
                                                 {"Win桌面快捷方式", MVC_LoadDesktopLink, false},
                                                 {"-", 0, false},
                                                 {"管理按钮", MVC_AddDesktopButton, false},
                                                 {"显示Dock", MVC_ShowDock, true},
                                                 {"显示侧边栏", MVC_ShowSideBar, true},
                                                 {"电脑桌面", MVC_ShowDesktopPanel, false},
                                                 {"-", 0, false},
                                                 {"属性", MVC_DesktopAttribute, false}};
    const std::vector<TPopupMenuItem>& items = Panel->Menu()->Items();
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(expected[i].Caption);
        EXPECT_EQ(items[i].Caption, QString::fromUtf8(expected[i].Caption));
        EXPECT_EQ(items[i].Tag, expected[i].Tag);
        EXPECT_EQ(items[i].AutoCheck, expected[i].AutoCheck);
        EXPECT_EQ(items[i].Checked, expected[i].AutoCheck);  // the dock and the side bar start shown
        EXPECT_EQ(static_cast<bool>(items[i].OnClick), items[i].Caption != "-");
    }
    Panel->CreatePopupMenu();  // once only
    EXPECT_EQ(Panel->Menu()->Items().size(), expected.size());
}

TEST_F(DesktopPanelMenuTest, EveryItemRaisesItsTagWithThePanelAsSender) {
    Listen();
    for (int i = 0; i < static_cast<int>(Menu().Items().size()); ++i)
        if (Menu().Items()[i].Caption != "-") Menu().Click(i);
    const std::vector<std::pair<QObject*, TMVSysCommand>> expected = {
        {Panel, MVC_CreateTakeNote},  {Panel, MVC_LoadDesktopLink}, {Panel, MVC_AddDesktopButton},
        {Panel, MVC_ShowDock},        {Panel, MVC_ShowSideBar},     {Panel, MVC_ShowDesktopPanel},
        {Panel, MVC_DesktopAttribute}};
    EXPECT_EQ(Raised, expected);
}

TEST_F(DesktopPanelMenuTest, ARightClickOnTheWallpaperOpensTheMenuAtTheMouse) {
    Listen();
    Desk.Fake->SetCursorPos({1300, 700});  // the screen position, whatever the scene's is
    RightClick(300, 250);
    EXPECT_EQ(Menu().PopupCount(), 1);
    EXPECT_EQ(Menu().LastPopupPos(), QPoint(1300, 700));
    // The opening is announced with the panel, through which the receiver finds the menu.
    ASSERT_EQ(Raised.size(), 1u);
    EXPECT_EQ(Raised[0].first, Panel);
    EXPECT_EQ(Raised[0].second, MVC_DesktopMenuPopup);

    Desk.Click(300, 250);  // the left button opens nothing
    EXPECT_EQ(Menu().PopupCount(), 1);
}

TEST_F(DesktopPanelMenuTest, ARightClickOnADesktopButtonDoesNotOpenTheMenu) {
    ASSERT_EQ(Panel->AddButton()->Position()->Point(), (TvgPoint{4, 4}));
    RightClick(40, 40);
    EXPECT_EQ(Menu().PopupCount(), 0);
}

TEST_F(DesktopPanelMenuTest, ACheckItemTurnsAtOnceAndTheReceiverSetsItOnTheNextOpening) {
    Listen();
    const int showDock = Menu().IndexOfCaption("显示Dock");
    Menu().ScriptChoice(showDock);
    RightClick(300, 250);
    EXPECT_FALSE(Menu().Items()[showDock].Checked);
    EXPECT_EQ(Raised.back(), (std::pair<QObject*, TMVSysCommand>{Panel, MVC_ShowDock}));

    // The receiver refreshes the marks from the real visibility, reaching the menu through the panel.
    bool dockVisible = true;
    OnOpening = [&](QObject* sender) {
        auto* panel = qobject_cast<TVGDesktopPanel*>(sender);
        ASSERT_NE(panel, nullptr);
        for (TPopupMenuItem& item : panel->Menu()->Items())
            if (item.Tag == MVC_ShowDock) item.Checked = dockVisible;
    };
    RightClick(300, 250);
    EXPECT_TRUE(Menu().Items()[showDock].Checked);
    EXPECT_TRUE(Menu().Items()[Menu().IndexOfCaption("显示侧边栏")].Checked);
}

TEST_F(DesktopPanelMenuTest, WithoutAReceiverTheMenuOnlyTurnsItsOwnCheckMarks) {
    const int showSideBar = Menu().IndexOfCaption("显示侧边栏");
    Menu().ScriptChoice(showSideBar);
    RightClick(300, 250);
    EXPECT_EQ(Menu().PopupCount(), 1);
    EXPECT_FALSE(Menu().Items()[showSideBar].Checked);
    Menu().Click(Menu().IndexOfCaption("属性"));
    EXPECT_TRUE(Raised.empty());
}

TEST(DesktopFileWindowPanel, HasNoMenuToOpen) {
    PanelScene desk(QSize(400, 300));
    auto* panel = desk.Add<TVGDesktopPanel>();
    panel->SetButtonAlign(BA_Horizontal);
    panel->SetBounds(0, 0, 400, 300);
    int raised = 0;
    panel->SetOnBuildInEvent([&](QObject*, TMVSysCommand) { ++raised; });
    desk.MoveTo(200, 200);
    desk.Press(TMouseButton::mbRight, 200, 200, TShiftState(TShiftFlag::ssRight));
    desk.Release(TMouseButton::mbRight, 200, 200);
    EXPECT_EQ(dynamic_cast<FakePopupMenu*>(panel->Menu())->PopupCount(), 0);
    EXPECT_EQ(raised, 0);
}

}  // namespace

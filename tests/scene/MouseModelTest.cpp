#include <gtest/gtest.h>

#include <QPointer>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "RecordingScene.h"
#include "vgLayout.h"
#include "vgVisualObject.h"

namespace {

// Records every event of one object as a short word, in order.
struct MouseFixture : ::testing::Test {
    void SetUp() override {
        root = new TvgLayout;
        scene.AddObject(root);
        root->SetBounds(0, 0, 200, 200);
        button = new TvgVisualObject;
        button->SetBounds(10, 10, 40, 20);
        root->AddObject(button);
        button->SetOnClick([this](TvgObject*) { log.push_back("click"); });
        button->SetOnDblClick([this](TvgObject*) { log.push_back("dblclick"); });
        button->SetOnMouseDown(
            [this](TvgObject*, TMouseButton, TShiftState, float, float) { log.push_back("down"); });
        button->SetOnMouseUp(
            [this](TvgObject*, TMouseButton, TShiftState, float, float) { log.push_back("up"); });
        button->SetOnMouseEnter([this](TvgObject*) { log.push_back("enter"); });
        button->SetOnMouseLeave([this](TvgObject*) { log.push_back("leave"); });
    }
    void TearDown() override { delete root; }

    using Words = std::vector<std::string>;

    RecordingScene scene;
    TvgVisualObject* root = nullptr;
    TvgVisualObject* button = nullptr;
    Words log;
};

constexpr TShiftState kNone{};
const TShiftState kDouble{TShiftFlag::ssDouble};

TEST_F(MouseFixture, EnterAndLeaveSetIsMouseOver) {
    button->MouseEnter();
    EXPECT_TRUE(button->IsMouseOver());
    button->MouseLeave();
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(log, (Words{"enter", "leave"}));
}

TEST_F(MouseFixture, ClickNeedsALeftPressAndAReleaseInside) {
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_TRUE(button->Pressed());
    button->MouseUp(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(log, (Words{"down", "up", "click"}));
    EXPECT_FALSE(button->Pressed());
}

TEST_F(MouseFixture, ReleaseOnTheRightAndBottomEdgesStillClicks) {
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    button->MouseUp(TMouseButton::mbLeft, kNone, 40, 20);
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    button->MouseUp(TMouseButton::mbLeft, kNone, 0, 0);
    EXPECT_EQ(log, (Words{"down", "up", "click", "down", "up", "click"}));
}

TEST_F(MouseFixture, ReleaseOutsideDoesNotClickAndForgetsThePress) {
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    button->MouseUp(TMouseButton::mbLeft, kNone, 40.5f, 5);
    button->MouseUp(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(log, (Words{"down", "up", "up"}));
}

TEST_F(MouseFixture, ReleaseOfAnyButtonCompletesALeftPress) {
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    button->MouseUp(TMouseButton::mbMiddle, kNone, 5, 5);
    EXPECT_EQ(log, (Words{"down", "up", "click"}));
}

TEST_F(MouseFixture, MiddlePressDoesNotClick) {
    button->MouseDown(TMouseButton::mbMiddle, kNone, 5, 5);
    button->MouseUp(TMouseButton::mbMiddle, kNone, 5, 5);
    EXPECT_EQ(log, (Words{"down", "up"}));
}

TEST_F(MouseFixture, DoubleClickGivesOneClickAndOneDblClick) {
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    button->MouseUp(TMouseButton::mbLeft, kNone, 5, 5);
    button->MouseDown(TMouseButton::mbLeft, kDouble, 5, 5);
    EXPECT_TRUE(button->DoubleClick());
    button->MouseUp(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_FALSE(button->DoubleClick());
    EXPECT_EQ(log, (Words{"down", "up", "click", "down", "dblclick", "up"}));
}

TEST_F(MouseFixture, RightPressOpensThePopupAtTheRoundedScreenPoint) {
    FakePopupMenu menu;
    button->SetPopupMenu(&menu);
    scene.ScreenOffset = QPoint(1000, 500);
    button->MouseDown(TMouseButton::mbRight, kNone, 4.6f, 5.4f);
    EXPECT_EQ(menu.PopupCount(), 1);
    EXPECT_EQ(menu.LastPopupPos(), QPoint(1015, 515));
    EXPECT_FALSE(button->Pressed());
    button->MouseUp(TMouseButton::mbRight, kNone, 5, 5);
    EXPECT_EQ(log, (Words{"down", "up"}));
}

TEST_F(MouseFixture, AutoCaptureHoldsTheMouseUntilRelease) {
    button->SetAutoCapture(true);
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(scene.GetCaptured(), button);
    button->MouseUp(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(scene.GetCaptured(), nullptr);
    button->SetAutoCapture(false);
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(scene.GetCaptured(), nullptr);
}

TEST_F(MouseFixture, RightPressDoesNotCapture) {
    button->SetAutoCapture(true);
    button->MouseDown(TMouseButton::mbRight, kNone, 5, 5);
    EXPECT_EQ(scene.GetCaptured(), nullptr);
}

TEST_F(MouseFixture, PressTakesTheFocusWhenTheObjectCan) {
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(scene.GetFocused(), nullptr);
    button->SetCanFocused(true);
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_EQ(scene.GetFocused(), button);
    EXPECT_TRUE(button->IsFocused());
}

TEST_F(MouseFixture, AClickHandlerMayFreeTheObject) {
    QPointer<TvgVisualObject> watch = button;
    button->SetOnClick([this](TvgObject* sender) {
        delete sender;
        button = nullptr;
    });
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    watch->MouseUp(TMouseButton::mbLeft, kNone, 5, 5);
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(root->ChildrenCount(), 0);
}

TEST_F(MouseFixture, WheelPassesThePositionAndHandled) {
    TvgPoint seen;
    button->SetOnMouseWheel([&](TvgObject*, TShiftState, int delta, const TvgPoint& pos, bool& handled) {
        seen = pos;
        handled = delta < 0;
    });
    bool handled = false;
    button->MouseWheel(kNone, -120, {3, 4}, handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(seen, (TvgPoint{3, 4}));
}

TEST_F(MouseFixture, RemovingTheCapturedObjectReleasesTheCapture) {
    button->SetAutoCapture(true);
    button->MouseDown(TMouseButton::mbLeft, kNone, 5, 5);
    button->SetParent(nullptr);
    EXPECT_EQ(scene.GetCaptured(), nullptr);
    delete button;
}

}  // namespace

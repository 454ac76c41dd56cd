#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "vgBounds.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vgScrollBox.h"
#include "vgTrack.h"

namespace {

// A 200 × 200 box on the toolkit's default look: the viewport is what the bars leave of it.
class ScrollBoxTest : public SceneFixture {
protected:
    ScrollBoxTest() : SceneFixture({300, 300}) {
        Box = new TvgScrollBox;
        Box->SetBounds(0, 0, 200, 200);
        Root->AddObject(Box);
        Box->ApplyResource();
    }
    // A child of the content of the given height, full viewport width when it fits.
    TvgLayout* AddContent(float w, float h) {
        auto* child = new TvgLayout;
        child->SetBounds(0, 0, w, h);
        Box->AddObject(child);
        return child;
    }
    void Wheel(int delta) {
        bool handled = false;
        Box->MouseWheel({}, delta, {10, 10}, handled);
        LastHandled = handled;
    }

    TvgScrollBox* Box = nullptr;
    bool LastHandled = false;
};

TEST_F(ScrollBoxTest, ContentThatFitsHidesBothBarsAndLeavesTheWheelUnhandled) {
    AddContent(100, 100);
    ASSERT_NE(Box->VScrollBar(), nullptr);
    ASSERT_NE(Box->HScrollBar(), nullptr);
    EXPECT_FALSE(Box->VScrollBar()->Visible());
    EXPECT_FALSE(Box->VScrollBar()->Enabled());
    EXPECT_FALSE(Box->HScrollBar()->Visible());
    EXPECT_FLOAT_EQ(Box->ClientWidth(), 200);
    EXPECT_FLOAT_EQ(Box->ClientHeight(), 200);
    Wheel(-120);
    EXPECT_FALSE(LastHandled);
    EXPECT_EQ(Box->VScrollAni(), nullptr);
}

TEST_F(ScrollBoxTest, TallContentShowsTheVerticalBarWithTheRangeOfTheContent) {
    AddContent(100, 1000);
    TvgScrollBar* bar = Box->VScrollBar();
    ASSERT_TRUE(bar->Visible());
    EXPECT_FALSE(Box->HScrollBar()->Visible());
    // The bar takes 16 of the width; the height stays whole.
    EXPECT_FLOAT_EQ(Box->ClientWidth(), 184);
    EXPECT_FLOAT_EQ(bar->Max(), 1000);
    EXPECT_FLOAT_EQ(bar->ViewportSize(), 200);
    EXPECT_FLOAT_EQ(bar->SmallChange(), 40);
    EXPECT_EQ(Box->Content()->Parent(), Box);
}

TEST_F(ScrollBoxTest, ChildrenScrollUnlessTaggedSelf) {
    TvgLayout* scrolled = AddContent(100, 1000);
    auto* fixed = new TvgLayout;
    fixed->SetTagString("self");
    fixed->SetBounds(5, 5, 10, 10);
    Box->AddObject(fixed);
    EXPECT_EQ(scrolled->Parent(), Box->Content());
    EXPECT_EQ(fixed->Parent(), Box);

    Box->VScrollBar()->SetValue(300);
    EXPECT_FLOAT_EQ(Box->Content()->Position()->Y(), -300);
    EXPECT_FLOAT_EQ(Box->ScrollOffset().Y, 300);
    EXPECT_FLOAT_EQ(scrolled->AbsoluteRect().Top, -300);
    EXPECT_FLOAT_EQ(fixed->AbsoluteRect().Top, 5);
}

TEST_F(ScrollBoxTest, BarValuesAreClampedToTheScrollableRange) {
    AddContent(100, 1000);
    TvgScrollBar* bar = Box->VScrollBar();
    bar->SetValue(5000);
    EXPECT_FLOAT_EQ(bar->Value(), 800);
    bar->SetValue(-50);
    EXPECT_FLOAT_EQ(bar->Value(), 0);
    Box->ScrollTo(0, -120);
    EXPECT_FLOAT_EQ(bar->Value(), 120);
    Box->Centre();
    EXPECT_FLOAT_EQ(bar->Value(), 400);
}

TEST_F(ScrollBoxTest, ShrinkingContentPullsTheOffsetBack) {
    TvgLayout* child = AddContent(100, 1000);
    Box->VScrollBar()->SetValue(800);
    child->SetHeight(400);
    EXPECT_FLOAT_EQ(Box->ScrollOffset().Y, 200);
    EXPECT_FLOAT_EQ(Box->Content()->Position()->Y(), -200);
}

TEST_F(ScrollBoxTest, WheelWithoutAnimationScrollsThreeSmallStepsAtOnce) {
    AddContent(100, 1000);
    Box->SetAnimated(false);
    Wheel(-120);
    EXPECT_TRUE(LastHandled);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 120);
    Wheel(120);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 0);
    Box->SetDisableMouseWheel(true);
    Wheel(-120);
    EXPECT_FALSE(LastHandled);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 0);
}

TEST_F(ScrollBoxTest, AnimatedWheelReachesItsTargetOnThePlatformClock) {
    AddContent(100, 1000);
    Wheel(-120);
    ASSERT_NE(Box->VScrollAni(), nullptr);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 0);
    Fake->Advance(330);
    const float halfway = Box->VScrollBar()->Value();
    EXPECT_GT(halfway, 0);
    EXPECT_LT(halfway, 120);
    Fake->Advance(500);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 120);
    EXPECT_FLOAT_EQ(Box->Content()->Position()->Y(), -120);
}

TEST_F(ScrollBoxTest, ASecondNotchCountsFromWhereTheFirstStopped) {
    AddContent(100, 1000);
    Wheel(-120);
    TvgFloatAnimation* first = Box->VScrollAni();
    Fake->Advance(99);
    const float stoppedAt = Box->VScrollBar()->Value();
    ASSERT_GT(stoppedAt, 0);
    ASSERT_LT(stoppedAt, 120);
    Wheel(-120);
    EXPECT_EQ(Box->VScrollAni(), first);
    EXPECT_FLOAT_EQ(first->StopValue(), stoppedAt + 120);
    Fake->Advance(1000);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), stoppedAt + 120);
    EXPECT_LT(Box->VScrollBar()->Value(), 240);
}

TEST_F(ScrollBoxTest, WheelGoesToTheHorizontalBarWhenOnlyThatOneShows) {
    AddContent(1000, 100);
    Box->SetAnimated(false);
    ASSERT_TRUE(Box->HScrollBar()->Visible());
    Wheel(-120);
    EXPECT_TRUE(LastHandled);
    EXPECT_GT(Box->HScrollBar()->Value(), 0);
    EXPECT_FLOAT_EQ(Box->Content()->Position()->X(), -Box->HScrollBar()->Value());
}

TEST_F(ScrollBoxTest, SceneWheelReachesTheBoxThroughItsChildren) {
    TvgLayout* child = AddContent(100, 1000);
    child->SetHitTest(true);
    Box->SetAnimated(false);
    Scene->HostMouseWheel({}, -120, QPointF(50, 50));
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 120);
}

TEST_F(ScrollBoxTest, WithoutShownBarsTheViewportKeepsTheWholeBox) {
    AddContent(100, 1000);
    Box->SetShowScrollBars(false);
    EXPECT_FLOAT_EQ(Box->ClientWidth(), 200);
    // Hidden from sight, the bar still scrolls.
    EXPECT_FALSE(Box->VScrollBar()->AbsoluteRect().Right > 0);
    Box->ScrollTo(0, -50);
    EXPECT_FLOAT_EQ(Box->ScrollOffset().Y, 50);

    Box->SetShowScrollBars(true);
    ASSERT_TRUE(Box->VScrollBar()->Visible());
    EXPECT_FLOAT_EQ(Box->VScrollBar()->AbsoluteRect().Right, 200);
    EXPECT_FLOAT_EQ(Box->ClientWidth(), 184);
    EXPECT_FLOAT_EQ(Box->ScrollOffset().Y, 50);
}

TEST_F(ScrollBoxTest, MouseTrackingDragsTheContentAndThrowsOnRelease) {
    AddContent(100, 1000);
    Box->SetMouseTracking(true);
    Box->VScrollBar()->SetValue(400);
    Box->MouseDown(TMouseButton::mbLeft, {}, 50, 100);
    Box->MouseMove({}, 50, 90, 0, 0);
    EXPECT_FLOAT_EQ(Box->VScrollBar()->Value(), 410);
    Box->MouseUp(TMouseButton::mbLeft, {}, 50, 90);
    ASSERT_NE(Box->VScrollAni(), nullptr);
    EXPECT_FLOAT_EQ(Box->VScrollAni()->StopValue(), 410 + 7 * 10);
}

class ScrollBarTest : public SceneFixture {
protected:
    ScrollBarTest() : SceneFixture({300, 300}) {
        Bar = new TvgScrollBar;
        Bar->SetOrientation(vgVertical);
        Bar->SetBounds(0, 0, 18, 200);
        Root->AddObject(Bar);
        Bar->ApplyResource();
        Bar->SetMax(1000);
        Bar->SetViewportSize(200);
    }
    TvgScrollBar* Bar = nullptr;
};

TEST_F(ScrollBarTest, MaxBelowMinShrinksViewportAndValue) {
    Bar->SetValue(500);
    Bar->SetMin(10);
    Bar->SetMax(5);
    EXPECT_FLOAT_EQ(Bar->Max(), 10.001f);
    EXPECT_LE(Bar->ViewportSize(), Bar->Max() - Bar->Min());
    EXPECT_LE(Bar->Value(), Bar->Max());
}

TEST_F(ScrollBarTest, ValueChangeFiresOnChangeOnlyWhenItMoves) {
    int changes = 0;
    Bar->SetOnChange([&](TvgObject*) { ++changes; });
    Bar->SetValue(100);
    Bar->SetValue(100);
    Bar->SetValue(900);  // clamped to 800
    Bar->SetValue(850);  // clamped to 800 again: no change
    EXPECT_EQ(changes, 2);
    EXPECT_FLOAT_EQ(Bar->Value(), 800);
}

TEST_F(ScrollBarTest, ShowsTheTrackOfItsOrientationAndPlacesTheThumb) {
    TvgCustomTrack* track = Bar->Track();
    ASSERT_NE(track, nullptr);
    EXPECT_EQ(track->Orientation(), vgVertical);
    EXPECT_TRUE(track->Visible());
    Draw();
    ASSERT_NE(track->Thumb(), nullptr);
    // One fifth of the range is visible: the thumb is a fifth of the track.
    EXPECT_NEAR(track->ThumbLength(), track->Height() / 5, 0.01);
    Bar->SetValue(400);
    EXPECT_NEAR(track->ThumbStart(), std::round(0.4f * track->Height()), 0.01);
    EXPECT_FLOAT_EQ(track->Thumb()->Position()->Y(), track->ThumbStart());
}

TEST_F(ScrollBarTest, PressOnTheTrackBesideTheThumbPagesAndClamps) {
    TvgCustomTrack* track = Bar->Track();
    ASSERT_NE(track, nullptr);
    track->MouseDown(TMouseButton::mbLeft, {}, 5, track->Height() - 2);
    track->MouseUp(TMouseButton::mbLeft, {}, 5, track->Height() - 2);
    EXPECT_FLOAT_EQ(Bar->Value(), 200);
    track->MouseDown(TMouseButton::mbLeft, {}, 5, track->Height() - 2);
    track->MouseDown(TMouseButton::mbLeft, {}, 5, track->Height() - 2);
    track->MouseDown(TMouseButton::mbLeft, {}, 5, track->Height() - 2);
    track->MouseDown(TMouseButton::mbLeft, {}, 5, track->Height() - 2);
    EXPECT_FLOAT_EQ(Bar->Value(), 800);
    track->MouseDown(TMouseButton::mbLeft, {}, 5, 1);
    EXPECT_FLOAT_EQ(Bar->Value(), 600);
    track->MouseUp(TMouseButton::mbLeft, {}, 5, 1);
}

TEST_F(ScrollBarTest, DraggingTheThumbFollowsThePointer) {
    TvgCustomTrack* track = Bar->Track();
    ASSERT_NE(track, nullptr);
    TvgThumb* thumb = track->Thumb();
    ASSERT_NE(thumb, nullptr);
    thumb->MouseDown(TMouseButton::mbLeft, {}, 2, 5);
    // The pointer moves a tenth of the track down from where it took the thumb.
    thumb->MouseMove({}, 2, 5 + track->Height() / 10, 0, 0);
    EXPECT_NEAR(Bar->Value(), 100, 0.5);
    thumb->MouseUp(TMouseButton::mbLeft, {}, 2, 5);
}

}  // namespace

namespace {

TEST_F(ScrollBoxTest, AChildAlignedToTheTopFollowsTheViewportOnceTheBarAppears) {
    auto* top = new TvgLayout;
    top->SetAlign(vaTop);
    top->SetHeight(100);
    Box->AddObject(top);
    EXPECT_FLOAT_EQ(top->Width(), 200);
    top->SetHeight(1000);
    ASSERT_TRUE(Box->VScrollBar()->Visible());
    // Narrowed to what the vertical bar leaves, the child needs no horizontal bar.
    EXPECT_FLOAT_EQ(top->Width(), 184);
    EXPECT_FALSE(Box->HScrollBar()->Visible());
}

}  // namespace

namespace {

// What a child draws below its own rectangle (the rows of a desktop panel reach past its height)
// is content too; what a clipping child cuts off is not.
TEST_F(ScrollBoxTest, TheRangeReachesGrandchildrenThatStandOutsideTheirParent) {
    TvgLayout* holder = AddContent(100, 300);
    auto* below = new TvgLayout(holder);
    below->SetParent(holder);
    below->SetBounds(10, 280, 50, 120);  // reaches 400, 100 past the holder
    Box->Realign();
    TvgScrollBar* bar = Box->VScrollBar();
    ASSERT_TRUE(bar->Visible());
    EXPECT_FLOAT_EQ(bar->Max(), 400);
    bar->SetValue(bar->Max() - bar->ViewportSize());
    EXPECT_FLOAT_EQ(below->AbsoluteRect().Bottom, 200) << "the bottom of the grandchild shows at the bottom";

    // Hidden, or cut off by a clipping holder, it adds nothing.
    below->SetVisible(false);
    Box->Realign();
    EXPECT_FLOAT_EQ(bar->Max(), 300);
    below->SetVisible(true);
    holder->SetClipChildren(true);
    Box->Realign();
    EXPECT_FLOAT_EQ(bar->Max(), 300);
}

TEST_F(ScrollBoxTest, AGrandchildStickingOutOnBothSidesCountsWithItsWholeWidth) {
    TvgLayout* holder = AddContent(100, 100);
    auto* wide = new TvgLayout(holder);
    wide->SetParent(holder);
    wide->SetBounds(-40, 0, 400, 10);  // from −40 to 360 in the content
    Box->Realign();
    ASSERT_TRUE(Box->HScrollBar()->Visible());
    EXPECT_FALSE(Box->VScrollBar()->Visible());
    EXPECT_FLOAT_EQ(Box->HScrollBar()->Max(), 400);
}

}  // namespace

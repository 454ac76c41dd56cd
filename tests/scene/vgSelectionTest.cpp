#include <gtest/gtest.h>

#include <QImage>

#include "RecordingScene.h"
#include "vgPosition.h"
#include "vgQtCanvas.h"
#include "vgSelection.h"

namespace {

constexpr TShiftState NoKeys;
const TShiftState LeftHeld(TShiftFlag::ssLeft);

class vgSelectionTest : public ::testing::Test {
protected:
    vgSelectionTest() {
        Scene.AddObject(&Parent);
        Parent.SetBounds(0, 0, 400, 300);
        Frame = new TvgSelection(&Parent);
        Frame->SetParent(&Parent);
        Frame->SetBounds(100, 100, 200, 100);
        Frame->SetOnChange([this](TvgObject*) { ++Changes; });
        Frame->SetOnTrack([this](TvgObject*) { ++Tracks; });
    }

    // Press, moves and release in the frame's local coordinates at the time of each event, as the
    // scene delivers them to the captured frame.
    void Press(float x, float y) { Frame->MouseDown(TMouseButton::mbLeft, LeftHeld, x, y); }
    void DragToParentPoint(float px, float py) {
        const TvgPoint local = Frame->AbsoluteToLocal(Parent.LocalToAbsolute({px, py}));
        Frame->MouseMove(LeftHeld, local.X, local.Y, 0, 0);
    }
    void Release() { Frame->MouseUp(TMouseButton::mbLeft, NoKeys, 0, 0); }
    TvgRect Bounds() const {
        return {Frame->Position()->X(), Frame->Position()->Y(), Frame->Position()->X() + Frame->Width(),
                Frame->Position()->Y() + Frame->Height()};
    }

    TvgVisualObject Parent;
    RecordingScene Scene;
    TvgSelection* Frame;
    int Changes = 0;
    int Tracks = 0;
};

TEST_F(vgSelectionTest, DefaultsAndClamping) {
    TvgSelection fresh;
    EXPECT_TRUE(fresh.ParentBounds());
    EXPECT_FALSE(fresh.HideSelection());
    EXPECT_EQ(fresh.MinSize(), 15);
    EXPECT_EQ(fresh.GripSize(), 3.0f);
    EXPECT_TRUE(fresh.AutoCapture());
    fresh.SetMinSize(0);
    EXPECT_EQ(fresh.MinSize(), 1);
    fresh.SetMinSize(-4);
    EXPECT_EQ(fresh.MinSize(), 1);
    fresh.SetGripSize(25);
    EXPECT_EQ(fresh.GripSize(), 20.0f);
    fresh.SetGripSize(0.5f);
    EXPECT_EQ(fresh.GripSize(), 1.0f);
}

TEST_F(vgSelectionTest, ClickWithoutMovingRaisesChangeOnceAndTrackNever) {
    Press(50, 50);
    EXPECT_TRUE(Frame->Moving());
    Release();
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Tracks, 0);
    EXPECT_FALSE(Frame->Moving());
    // Other buttons start no drag and raise nothing.
    Frame->MouseDown(TMouseButton::mbRight, TShiftState(TShiftFlag::ssRight), 50, 50);
    Frame->MouseUp(TMouseButton::mbRight, NoKeys, 50, 50);
    EXPECT_EQ(Changes, 1);
}

TEST_F(vgSelectionTest, MovingKeepsThePressPointUnderThePointer) {
    Press(50, 50);
    Frame->MouseMove(LeftHeld, 60, 45, 0, 0);
    EXPECT_EQ(Bounds(), (TvgRect{110, 95, 310, 195}));
    EXPECT_EQ(Tracks, 1);
    // Modifier keys held with the button still drag.
    Frame->MouseMove(LeftHeld | TShiftFlag::ssShift, 40, 50, 0, 0);
    EXPECT_EQ(Bounds(), (TvgRect{100, 95, 300, 195}));
    EXPECT_EQ(Tracks, 2);
}

TEST_F(vgSelectionTest, MovingStopsAtTheParentsEdges) {
    Press(50, 50);
    Frame->MouseMove(LeftHeld, 500, 50, 0, 0);
    EXPECT_EQ(Frame->Position()->X(), 200.0f);  // 400 - 200
    Frame->MouseMove(LeftHeld, -500, -500, 0, 0);
    EXPECT_EQ(Frame->Position()->X(), 0.0f);
    EXPECT_EQ(Frame->Position()->Y(), 0.0f);
}

TEST_F(vgSelectionTest, AFrameWiderThanItsParentEndsAtANegativeX) {
    Frame->SetBounds(0, 0, 500, 100);
    Press(250, 50);
    Frame->MouseMove(LeftHeld, 260, 50, 0, 0);
    EXPECT_EQ(Frame->Position()->X(), -100.0f);
}

TEST_F(vgSelectionTest, WithoutParentBoundsTheFrameLeavesItsParent) {
    Frame->SetParentBounds(false);
    Press(50, 50);
    Frame->MouseMove(LeftHeld, 500, 50, 0, 0);
    EXPECT_EQ(Frame->Position()->X(), 550.0f);
}

TEST_F(vgSelectionTest, GripsReachGripSizeOutsideAndAreTestedInOrder) {
    // Exactly GripSize outside the top-left corner: on the grip square's edge.
    EXPECT_TRUE(Frame->PointInObject(97, 97));
    EXPECT_FALSE(Frame->PointInObject(96.9f, 97));
    EXPECT_TRUE(Frame->PointInObject(303, 203));
    EXPECT_FALSE(Frame->PointInObject(100, 150)) << "the left edge itself is outside";
    Press(-3, -3);
    EXPECT_FALSE(Frame->Moving());
    DragToParentPoint(90, 80);
    // A top-left drag: the edge follows the pointer offset by the press point.
    EXPECT_EQ(Bounds(), (TvgRect{87, 77, 87 + 213, 77 + 123}));
}

TEST_F(vgSelectionTest, FreeCornerDrags) {
    Press(200, 100);  // bottom-right
    DragToParentPoint(350, 250);
    EXPECT_EQ(Bounds(), (TvgRect{100, 100, 350, 250}));
    Release();

    Press(250, 0);  // top-right
    DragToParentPoint(320, 60);
    EXPECT_EQ(Bounds(), (TvgRect{100, 60, 320, 250}));
    Release();

    Press(0, 190);  // bottom-left
    DragToParentPoint(50, 280);
    EXPECT_EQ(Bounds(), (TvgRect{50, 60, 320, 280}));
    EXPECT_EQ(Tracks, 3);
    Release();
    EXPECT_EQ(Changes, 3);
}

TEST_F(vgSelectionTest, ResizingIsClampedToTheParent) {
    Press(200, 100);
    DragToParentPoint(900, 900);
    EXPECT_EQ(Bounds(), (TvgRect{100, 100, 400, 300}));
}

TEST_F(vgSelectionTest, FreeTopLeftDragPastTheOppositeCornerSlidesAtMinSize) {
    Press(0, 0);
    DragToParentPoint(350, 250);
    EXPECT_EQ(Frame->Width(), 15.0f);
    EXPECT_EQ(Frame->Height(), 15.0f);
    EXPECT_EQ(Frame->Position()->X(), 350.0f);
    EXPECT_EQ(Frame->Position()->Y(), 250.0f);
    DragToParentPoint(360, 260);
    EXPECT_EQ(Frame->Position()->X(), 360.0f);
    EXPECT_EQ(Frame->Width(), 15.0f);
}

TEST_F(vgSelectionTest, ProportionalBottomRightKeepsTheRatioAndRoundsHalfToEven) {
    Frame->SetProportional(true);
    Press(200, 100);
    DragToParentPoint(250, 180);  // width 150
    EXPECT_EQ(Bounds(), (TvgRect{100, 100, 250, 175}));
    DragToParentPoint(125, 180);  // width 25: 12.5 is below MinSize
    EXPECT_EQ(Frame->Width(), 30.0f);
    EXPECT_EQ(Frame->Height(), 15.0f);
    DragToParentPoint(205, 180);  // width 105: 52.5 rounds to 52
    EXPECT_EQ(Frame->Height(), 52.0f);
    DragToParentPoint(207, 180);  // width 107: 53.5 rounds to 54
    EXPECT_EQ(Frame->Height(), 54.0f);
}

TEST_F(vgSelectionTest, ProportionalTopLeftKeepsTheOppositeCornerFixed) {
    Frame->SetProportional(true);
    Press(0, 0);
    DragToParentPoint(150, 150);  // width 150
    EXPECT_EQ(Bounds(), (TvgRect{150, 125, 300, 200}));
    DragToParentPoint(295, 150);  // width 5 -> clamped to 30 x 15, right and bottom stay
    EXPECT_EQ(Bounds(), (TvgRect{270, 185, 300, 200}));
}

TEST_F(vgSelectionTest, ProportionalTopRightAndBottomLeft) {
    Frame->SetProportional(true);
    Press(200, 0);  // top-right
    DragToParentPoint(260, 0);
    EXPECT_EQ(Bounds(), (TvgRect{100, 120, 260, 200}));
    Release();
    Press(0, 80);  // bottom-left, ratio 2 again
    DragToParentPoint(60, 0);
    EXPECT_EQ(Bounds(), (TvgRect{60, 120, 260, 220}));
}

TEST_F(vgSelectionTest, HoverFollowsThePointerOnlyWhileNothingIsHeld) {
    Frame->MouseMove(NoKeys, 1, 1, 0, 0);
    EXPECT_TRUE(Frame->LeftTopHot());
    Frame->MouseMove(TShiftState(TShiftFlag::ssCtrl), 199, 99, 0, 0);
    EXPECT_TRUE(Frame->LeftTopHot()) << "a held key freezes the hover state";
    EXPECT_FALSE(Frame->RightBottomHot());
    Frame->MouseMove(NoKeys, 199, 99, 0, 0);
    EXPECT_FALSE(Frame->LeftTopHot());
    EXPECT_TRUE(Frame->RightBottomHot());
    Frame->MouseLeave();
    EXPECT_FALSE(Frame->RightBottomHot());
}

TEST_F(vgSelectionTest, RepaintAreaIncludesTheGrips) {
    const TvgRect r = Frame->AbsoluteRect();
    EXPECT_EQ(r, (TvgRect{93, 93, 307, 207}));
    Frame->SetGripSize(5);
    EXPECT_EQ(Frame->AbsoluteRect(), (TvgRect{91, 91, 309, 209}));
}

QImage Render(TvgSelection& frame) {
    QImage image(240, 140, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    TvgQtCanvas canvas;
    canvas.AttachBuffer(&image);
    canvas.BeginScene();
    canvas.ResetDrawingDefaults();
    canvas.SetMatrix(QTransform::fromTranslate(20, 20));
    frame.Paint(canvas);
    canvas.EndScene();
    canvas.AttachBuffer(nullptr);
    return image;
}

TEST_F(vgSelectionTest, PaintsOutlineAndGripsUnlessHidden) {
    Frame->SetGripSize(4);
    QImage image = Render(*Frame);
    EXPECT_EQ(image.pixel(20, 20), 0xFFFFFFFFu) << "white grip on the corner";
    // The circle leaves the corners of its square; they take the mouse at alpha 1 all the same.
    EXPECT_EQ(qAlpha(image.pixel(16, 16)), 1);
    EXPECT_EQ(qAlpha(image.pixel(15, 15)), 0);
    int outline = 0;
    for (int x = 30; x < 200; ++x) outline += qAlpha(image.pixel(x, 20)) == 255 ? 1 : 0;
    EXPECT_GT(outline, 40) << "the dashed outline";
    EXPECT_LT(outline, 150) << "dashed, not solid";
    Frame->MouseMove(NoKeys, 200, 100, 0, 0);
    image = Render(*Frame);
    EXPECT_EQ(image.pixel(220, 120), 0xFFFF0000u) << "hot grip is red";

    Frame->SetHideSelection(true);
    image = Render(*Frame);
    // Hidden, nothing shows: no outline, no grip circles; only the grip squares are covered, at
    // alpha 1, so that the window takes presses there.
    const auto inGripSquare = [](int x, int y) {
        for (const QPoint corner : {QPoint(20, 20), QPoint(220, 20), QPoint(20, 120), QPoint(220, 120)})
            if (x >= corner.x() - 4 && x < corner.x() + 4 && y >= corner.y() - 4 && y < corner.y() + 4)
                return true;
        return false;
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), inGripSquare(x, y) ? 1 : 0) << x << "," << y;
    // Hidden, it still resizes.
    Press(200, 100);
    DragToParentPoint(350, 250);
    EXPECT_EQ(Frame->Width(), 250.0f);
}

}  // namespace

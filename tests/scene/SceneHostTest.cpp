#include <gtest/gtest.h>

#include <QPainter>

#include "IvgSizeGrip.h"
#include "QuitRequest.h"
#include "SceneFixture.h"
#include "vgButton.h"
#include "vgPosition.h"
#include "vgQtConvert.h"
#include "vgRectangle.h"

namespace {

class SceneHost : public SceneFixture {};

TvgRectangle* Solid(TvgRectangle* rect, const char* color) {
    rect->Fill()->SetColor(color);
    rect->Stroke()->SetStyle(vgBrushNone);
    return rect;
}

TEST_F(SceneHost, InvalidationRoundsOutwardAndDropsWhatCannotShow) {
    Scene->AddUpdateRect({10.2f, 10.7f, 20.1f, 20.9f});
    ASSERT_EQ(Scene->UpdateRects().size(), 1u);
    EXPECT_EQ(Scene->UpdateRects()[0], (TvgRect{10, 10, 21, 21}));
    Scene->AddUpdateRect({30, 30, 30, 40});      // no width
    Scene->AddUpdateRect({200, 200, 300, 300});  // outside the scene
    EXPECT_EQ(Scene->UpdateRects().size(), 1u);
    Draw();
    EXPECT_TRUE(Scene->UpdateRects().empty());
}

TEST_F(SceneHost, InvalidationsOfOneBurstAreDrawnOnce) {
    const auto frames = Window().PresentedFrames();
    for (int i = 0; i < 5; ++i) Scene->AddUpdateRect({float(i * 10), 0, float(i * 10 + 5), 5});
    Fake->RunPosted();
    EXPECT_EQ(Window().PresentedFrames(), frames + 1);
    EXPECT_EQ(Window().PresentedRegions().back().rectCount(), 5);
    Fake->RunPosted();
    EXPECT_EQ(Window().PresentedFrames(), frames + 1);  // nothing left to draw
}

TEST_F(SceneHost, MoreThanTwentyRectanglesAreMergedIntoTheirUnion) {
    for (int i = 0; i < 21; ++i)
        Scene->AddUpdateRect({float(i * 4), float(i * 2), float(i * 4 + 1), float(i * 2 + 1)});
    Fake->RunPosted();
    const QRegion presented = Window().PresentedRegions().back();
    EXPECT_EQ(presented.rectCount(), 1);
    EXPECT_EQ(presented.boundingRect(), QRect(QPoint(0, 0), QPoint(81, 41)));
}

TEST_F(SceneHost, TwentyRectanglesStaySeparate) {
    for (int i = 0; i < 20; ++i)
        Scene->AddUpdateRect({float(i * 4), float(i * 2), float(i * 4 + 1), float(i * 2 + 1)});
    Fake->RunPosted();
    EXPECT_EQ(Window().PresentedRegions().back().rectCount(), 20);
}

TEST_F(SceneHost, ChangesMadeWhilePaintingAreDrawnByTheNextPass) {
    auto* painter = Solid(Add<TvgRectangle>(Root, 0, 0, 10, 10), "#FFFF0000");
    auto* elsewhere = Solid(Add<TvgRectangle>(Root, 50, 50, 10, 10), "#FFFF0000");
    Draw();
    painter->SetOnBeforePaint([&](TvgObject*, TvgCanvas&, const TvgRect&) {
        elsewhere->Fill()->SetColor("#FF0000FF");  // outside the area being drawn
        painter->Fill()->SetColor("#FF00FF00");    // inside it: drawn by this very pass
    });
    painter->Repaint();
    const auto frames = Window().PresentedFrames();
    Fake->RunPosted();
    EXPECT_EQ(PixelAt(55, 55), 0xFF0000FFu);
    EXPECT_EQ(Window().PresentedFrames(), frames + 2);
    painter->SetOnBeforePaint(nullptr);
    Fake->RunPosted();
    EXPECT_EQ(Window().PresentedFrames(), frames + 2);  // and nothing keeps redrawing
}

TEST_F(SceneHost, AQuitAskedForDuringAPassStopsItAndNothingMoreIsDrawn) {
    // Fifty notes in a row; the tenth one painted is where the shut-down signal arrives.
    struct Reset {
        ~Reset() { SetQuitPending(false); }
    } reset;
    std::vector<int> painted;
    bool signalComes = true;
    for (int i = 0; i < 50; ++i) {
        auto* note =
            Solid(Add<TvgRectangle>(Root, float(i % 10) * 10, float(i / 10) * 10, 8, 8), "#FFFF0000");
        note->SetOnBeforePaint([&painted, &signalComes, i, this](TvgObject*, TvgCanvas&, const TvgRect&) {
            painted.push_back(i);
            if (painted.size() == 10 && signalComes) SetQuitPending(true);
        });
    }
    Draw();
    ASSERT_EQ(painted.size(), 10u);
    EXPECT_EQ(painted.back(), 9);
    ASSERT_FALSE(Window().PresentedRegions().empty());
    EXPECT_TRUE(Window().PresentedRegions().back().isEmpty());  // the half-drawn picture is not shown

    const auto frames = Window().PresentedFrames();
    Root->Repaint();
    Fake->RunPosted();
    EXPECT_EQ(painted.size(), 10u);
    EXPECT_EQ(Window().PresentedFrames(), frames);

    // The same scene without a quit request paints every note and presents the picture.
    SetQuitPending(false);
    signalComes = false;
    painted.clear();
    Root->Repaint();
    Fake->RunPosted();
    EXPECT_EQ(painted.size(), 50u);
    EXPECT_EQ(Window().PresentedRegions().back().boundingRect(), QRect(0, 0, 100, 100));
}

TEST_F(SceneHost, FirstDrawCoversTheWholeScene) {
    FakePlatformScope fake;
    TvgScene scene;
    scene.SetBounds(QRect(0, 0, 40, 30));
    auto& window = *dynamic_cast<FakeHostWindow*>(scene.HostWindow());
    fake->Advance(1);
    ASSERT_FALSE(window.PresentedRegions().empty());
    EXPECT_EQ(window.PresentedRegions().back().boundingRect(), QRect(0, 0, 40, 30));
    EXPECT_EQ(fake->ActiveTimerCount(), 0);  // the one-shot timer is gone
}

TEST_F(SceneHost, TransparentPixelsStayAtAlphaZeroAndTakeNoInput) {
    Solid(Add<TvgRectangle>(Root, 10, 10, 20, 20), "#FFFF0000");
    Solid(Add<TvgRectangle>(Root, 50, 50, 10, 10), "#01FFFFFF");  // barely visible, still drawn
    Draw();
    EXPECT_EQ(AlphaAt(5, 5), 0);
    EXPECT_EQ(AlphaAt(99, 99), 0);
    EXPECT_EQ(PixelAt(15, 15), 0xFFFF0000u);
    EXPECT_EQ(AlphaAt(55, 55), 1);
    const QRegion input = Window().InputRegion();
    EXPECT_FALSE(input.contains(QPoint(5, 5)));
    EXPECT_TRUE(input.contains(QPoint(15, 15)));
    EXPECT_TRUE(input.contains(QPoint(55, 55)));
}

TEST_F(SceneHost, MovedObjectLeavesTransparencyBehind) {
    auto* rect = Solid(Add<TvgRectangle>(Root, 10, 10, 20, 20), "#FFFF0000");
    Draw();
    rect->SetBounds(60, 60, 20, 20);
    Draw();
    EXPECT_EQ(AlphaAt(15, 15), 0);
    EXPECT_EQ(PixelAt(65, 65), 0xFFFF0000u);
    EXPECT_FALSE(Window().InputRegion().contains(QPoint(15, 15)));
}

// A kept picture stands for the object while it only moves: the passes copy it to the new place.
TEST_F(SceneHost, AKeptPictureIsCopiedToWhereTheObjectMoved) {
    auto* panel = Solid(Add<TvgRectangle>(Root, 10, 10, 30, 20), "#FFFF0000");
    Solid(Add<TvgRectangle>(panel, 10, 0, 10, 10), "#FF0000FF");
    Draw();
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    const QImage* picture = Scene->KeptPicture(*panel);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(picture->pixel(15, 5), 0xFF0000FFu);
    const int draws = Scene->KeptPictureDraws();

    panel->Position()->SetX(50);
    Draw();
    EXPECT_EQ(Scene->KeptPictureDraws(), draws + 1);
    EXPECT_EQ(AlphaAt(15, 15), 0);
    EXPECT_EQ(PixelAt(55, 15), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(65, 15), 0xFF0000FFu);
    // What the window shows is what painting the object there gives.
    const QImage copied = Frame().copy();
    Scene->DropPicture(*panel);
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
    Scene->AddUpdateRect({0, 0, 100, 100});
    Draw();
    EXPECT_EQ(Frame(), copied);
}

// Where an opaque kept picture was copied the window is told the pixels are opaque, so that it
// need not read them again; only there, and only as far as the clips surely let it through.
TEST_F(SceneHost, AnOpaqueKeptPictureTellsTheWindowWhichPixelsAreOpaque) {
    auto* holder = Add<TvgRectangle>(Root, 0, 0, 70.5f, 100);
    holder->Fill()->SetStyle(vgBrushNone);
    holder->Stroke()->SetStyle(vgBrushNone);
    holder->SetClipChildren(true);
    auto* panel = Solid(Add<TvgRectangle>(holder, 10, 10, 30, 20), "#FFFF0000");
    Solid(Add<TvgRectangle>(panel, 10, 0, 10, 10), "#FF0000FF");
    auto* glass = Solid(Add<TvgRectangle>(Root, 0, 0, 100, 15), "#400000FF");  // over the panel
    Draw();
    EXPECT_TRUE(Window().PresentedOpaqueRegions().back().isEmpty());  // nothing kept yet
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    panel->Position()->SetX(50);
    Draw();
    ASSERT_EQ(Scene->KeptPictureDraws(), 1);
    // The picture's 30 columns from 50 on, cut at the holder's edge at 70.5 (its last whole pixel is
    // the 70th); the part under the translucent glass stays opaque.
    const QRegion opaque = Window().PresentedOpaqueRegions().back();
    EXPECT_EQ(opaque, QRegion(50, 10, 20, 20));
    for (const QRect& r : opaque)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) ASSERT_EQ(AlphaAt(x, y), 255) << x << "," << y;
    EXPECT_TRUE(Window().InputRegion().contains(QPoint(55, 20)));

    // Only what a pass repaints is vouched for.
    glass->Fill()->SetColor("#400000FE");
    Draw();
    EXPECT_EQ(Window().PresentedOpaqueRegions().back(), QRegion(50, 10, 20, 6));
    // Something painted later that overwrites pixels rather than painting over them may punch
    // a hole into the picture: nothing is vouched for then.
    glass->SetOnBeforePaint(
        [](TvgObject*, TvgCanvas& Canvas, const TvgRect&) { Canvas.ClearRect(QRectF(55, 12, 2, 2), 0); });
    glass->Repaint();
    Draw();
    EXPECT_EQ(Scene->KeptPictureDraws(), 3);
    EXPECT_EQ(AlphaAt(55, 12), 0x40);  // the glass alone over the hole
    EXPECT_TRUE(Window().PresentedOpaqueRegions().back().isEmpty());
}

// The pixels an opaque kept picture is about to cover are not cleared first; should the picture
// not be copied after all, the pass is painted again over a cleared frame, so that nothing of the
// last frame is left there.
TEST_F(SceneHost, APictureCountedOnButNotCopiedLeavesNothingOfTheLastFrame) {
    auto* under = Solid(Add<TvgRectangle>(Root, 0, 0, 5, 5), "#FF00FF00");
    auto* panel = Solid(Add<TvgRectangle>(Root, 10, 10, 30, 20), "#FFFF0000");
    Draw();
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    panel->Position()->SetX(20);
    Draw();
    EXPECT_EQ(Window().CoveredRegions().back(), QRegion(20, 10, 30, 20));
    EXPECT_EQ(PixelAt(25, 15), 0xFFFF0000u);

    // Painted before the panel, the square hides it in the middle of the pass.
    under->SetOnBeforePaint([&](TvgObject*, TvgCanvas&, const TvgRect&) { panel->SetVisible(false); });
    panel->Position()->SetX(22);
    under->Repaint();
    const int draws = Scene->KeptPictureDraws();
    Scene->DrawUpdateRects();  // this one pass only
    EXPECT_EQ(Window().CoveredRegions().back(), QRegion(22, 10, 30, 20));
    EXPECT_EQ(Scene->KeptPictureDraws(), draws);
    EXPECT_EQ(qAlpha(Window().FrameBuffer().pixel(25, 15)), 0);
    EXPECT_EQ(qAlpha(Window().FrameBuffer().pixel(45, 25)), 0);
    EXPECT_EQ(Window().FrameBuffer().pixel(2, 2), 0xFF00FF00u);
    EXPECT_TRUE(Window().PresentedOpaqueRegions().back().isEmpty());
    under->SetOnBeforePaint(nullptr);
}

// A see-through picture is blended where the object went, to the very pixels the painter gives
// when it draws the picture there.
TEST_F(SceneHost, ATranslucentKeptPictureIsBlendedAsThePainterBlendsIt) {
    Solid(Add<TvgRectangle>(Root, 0, 0, 100, 40), "#FF204080");
    auto* glass = Solid(Add<TvgRectangle>(Root, 10, 10, 30, 20), "#80C0FF10");
    Solid(Add<TvgRectangle>(glass, 5, 5, 10, 10), "#3310FF80");
    Draw();
    ASSERT_TRUE(Scene->KeepPicture(*glass));
    const QImage picture = Scene->KeptPicture(*glass)->copy();
    glass->Position()->SetX(45);
    const QPoint at = ToQRectF(glass->UpdateRect()).toAlignedRect().topLeft();
    Draw();
    EXPECT_EQ(Scene->KeptPictureDraws(), 1);
    EXPECT_TRUE(Window().PresentedOpaqueRegions().back().isEmpty());
    const QImage blended = Frame().copy();
    glass->SetVisible(false);
    Draw();
    QImage painted = Frame().copy();
    QPainter(&painted).drawImage(at, picture);
    EXPECT_EQ(painted, blended);
    EXPECT_NE(blended.pixel(47, 12), blended.pixel(20, 12));  // the glass did move
}

TEST_F(SceneHost, AnyChangeInsideAKeptObjectLetsItsPictureGo) {
    auto* panel = Solid(Add<TvgRectangle>(Root, 10, 10, 30, 20), "#FFFF0000");
    auto* inner = Solid(Add<TvgRectangle>(panel, 10, 0, 10, 10), "#FF0000FF");
    auto* other = Solid(Add<TvgRectangle>(Root, 60, 60, 10, 10), "#FF00FF00");
    Draw();
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    other->Fill()->SetColor("#FF00FFFF");  // outside: the picture stays
    other->Position()->SetX(70);
    EXPECT_NE(Scene->KeptPicture(*panel), nullptr);
    inner->Fill()->SetColor("#FFFFFF00");
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
    Draw();
    EXPECT_EQ(PixelAt(25, 15), 0xFFFFFF00u);

    ASSERT_TRUE(Scene->KeepPicture(*panel));
    inner->Position()->SetY(5);  // a part moving inside changes the picture too
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    panel->SetWidth(40);
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
}

TEST_F(SceneHost, AKeptPictureIsNotUsedOnceTheObjectIsScaledFromAbove) {
    auto* holder = Add<TvgRectangle>(Root, 0, 0, 100, 100);
    holder->Fill()->SetStyle(vgBrushNone);
    holder->Stroke()->SetStyle(vgBrushNone);
    auto* panel = Solid(Add<TvgRectangle>(holder, 10, 10, 20, 20), "#FFFF0000");
    Draw();
    EXPECT_FALSE(Scene->KeepPicture(*Root));  // a root is never kept
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    const int draws = Scene->KeptPictureDraws();
    holder->Scale()->SetPoint({2, 2});
    Draw();
    EXPECT_EQ(Scene->KeptPictureDraws(), draws);
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
    EXPECT_EQ(PixelAt(50, 50), 0xFFFF0000u);   // painted at twice the size
    EXPECT_FALSE(Scene->KeepPicture(*panel));  // nor is a scaled one
}

TEST_F(SceneHost, AReleasedPictureServesThePassAlreadyDue) {
    auto* panel = Solid(Add<TvgRectangle>(Root, 10, 10, 20, 20), "#FFFF0000");
    Draw();
    ASSERT_TRUE(Scene->KeepPicture(*panel));
    panel->Position()->SetX(40);
    Scene->ReleasePicture(*panel);
    EXPECT_NE(Scene->KeptPicture(*panel), nullptr);
    const int draws = Scene->KeptPictureDraws();
    Draw();
    EXPECT_EQ(Scene->KeptPictureDraws(), draws + 1);
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
    EXPECT_EQ(PixelAt(45, 15), 0xFFFF0000u);

    ASSERT_TRUE(Scene->KeepPicture(*panel));
    Scene->ReleasePicture(*panel);  // nothing due: gone at once
    EXPECT_EQ(Scene->KeptPicture(*panel), nullptr);
}

TEST_F(SceneHost, LaterChildrenCoverEarlierOnes) {
    Solid(Add<TvgRectangle>(Root, 0, 0, 50, 50), "#FFFF0000");
    Solid(Add<TvgRectangle>(Root, 25, 25, 50, 50), "#FF0000FF");
    Draw();
    EXPECT_EQ(PixelAt(10, 10), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(30, 30), 0xFF0000FFu);
}

TEST_F(SceneHost, ClippingParentCutsItsChildren) {
    auto* parent = Solid(Add<TvgRectangle>(Root, 10, 10, 20, 20), "#FFFF0000");
    parent->SetClipChildren(true);
    Solid(Add<TvgRectangle>(parent, 10, 10, 40, 40), "#FF0000FF");
    Draw();
    EXPECT_EQ(PixelAt(25, 25), 0xFF0000FFu);
    EXPECT_EQ(AlphaAt(35, 35), 0);
}

TEST_F(SceneHost, ClipParentCutsTheChildOutOfItsParent) {
    auto* parent = Solid(Add<TvgRectangle>(Root, 10, 10, 40, 40), "#FFFF0000");
    auto* hole = Add<TvgRectangle>(parent, 10, 10, 10, 10);
    hole->Fill()->SetStyle(vgBrushNone);
    hole->Stroke()->SetStyle(vgBrushNone);
    hole->SetClipParent(true);
    Draw();
    EXPECT_EQ(PixelAt(12, 12), 0xFFFF0000u);
    EXPECT_EQ(AlphaAt(25, 25), 0);
}

TEST_F(SceneHost, SizeChangesRealignTheRoot) {
    Scene->SetBounds(QRect(0, 0, 300, 200));
    EXPECT_EQ(Root->Width(), 300);
    EXPECT_EQ(Root->Height(), 200);
    EXPECT_EQ(Window().Geometry().size(), QSize(300, 200));
}

TEST_F(SceneHost, OpaqueFillPaintsUnderEverything) {
    Scene->Fill()->SetStyle(vgBrushSolid);
    Scene->Fill()->SetColor("#FF00FF00");
    Draw();
    EXPECT_EQ(PixelAt(50, 50), 0xFF00FF00u);
}

// --- mouse routing ---

struct TEvents {
    int Downs = 0, Ups = 0, Clicks = 0, Enters = 0, Leaves = 0, Moves = 0;
};

void Record(TvgVisualObject* object, TEvents& events) {
    object->SetOnMouseDown(
        [&events](TvgObject*, TMouseButton, TShiftState, float, float) { ++events.Downs; });
    object->SetOnMouseUp([&events](TvgObject*, TMouseButton, TShiftState, float, float) { ++events.Ups; });
    object->SetOnClick([&events](TvgObject*) { ++events.Clicks; });
    object->SetOnMouseEnter([&events](TvgObject*) { ++events.Enters; });
    object->SetOnMouseLeave([&events](TvgObject*) { ++events.Leaves; });
    object->SetOnMouseMove(
        [&events](TvgObject*, TShiftState, float, float, float, float) { ++events.Moves; });
}

TEST_F(SceneHost, PressMoveReleaseWithCapture) {
    auto* button = Add<TvgCustomButton>(Root, 10, 10, 30, 20);
    auto* other = Add<TvgRectangle>(Root, 60, 10, 30, 20);
    TEvents b, o;
    Record(button, b);
    Record(other, o);

    Window().MouseMove({20, 20});
    EXPECT_TRUE(button->IsMouseOver());
    EXPECT_EQ(b.Enters, 1);
    Window().MouseDown(TMouseButton::mbLeft, {20, 20});
    EXPECT_EQ(Scene->GetCaptured(), button);
    EXPECT_TRUE(button->IsPressed());
    Window().MouseMove({70, 20});  // over the other object, but the button holds the mouse
    EXPECT_FALSE(other->IsMouseOver());
    EXPECT_EQ(o.Moves, 0);
    EXPECT_TRUE(button->IsMouseOver());
    EXPECT_FALSE(button->IsPressed());  // the pointer left the button
    Window().MouseMove({25, 15});
    EXPECT_TRUE(button->IsPressed());
    Window().MouseUp(TMouseButton::mbLeft, {25, 15});
    EXPECT_EQ(Scene->GetCaptured(), nullptr);
    EXPECT_EQ(b.Clicks, 1);
    EXPECT_FALSE(button->IsPressed());

    Window().MouseDown(TMouseButton::mbLeft, {20, 20});
    Window().MouseMove({70, 20});
    Window().MouseUp(TMouseButton::mbLeft, {70, 20});  // released outside: no click
    EXPECT_EQ(b.Clicks, 1);
    EXPECT_EQ(b.Ups, 2);
    EXPECT_EQ(o.Ups, 0);
}

TEST_F(SceneHost, HoverMovesFromChildToParent) {
    auto* parent = Add<TvgRectangle>(Root, 10, 10, 60, 60);
    auto* child = Add<TvgRectangle>(parent, 10, 10, 20, 20);
    TEvents p, c;
    Record(parent, p);
    Record(child, c);
    Window().MouseMove({25, 25});
    EXPECT_TRUE(child->IsMouseOver());
    EXPECT_FALSE(parent->IsMouseOver());
    Window().MouseMove({60, 60});
    EXPECT_FALSE(child->IsMouseOver());
    EXPECT_TRUE(parent->IsMouseOver());
    EXPECT_EQ(c.Leaves, 1);
    EXPECT_EQ(p.Enters, 1);
    EXPECT_EQ(Scene->Hovered(), parent);
    Window().Leave();
    EXPECT_FALSE(parent->IsMouseOver());
    EXPECT_EQ(Scene->Hovered(), nullptr);
}

TEST_F(SceneHost, CursorFollowsTheObjectUnderThePointer) {
    auto* link = Add<TvgRectangle>(Root, 10, 10, 20, 20);
    link->SetCursor(-21);
    link->SetHint("Marovia");
    link->SetShowHint(true);
    Root->SetHitTest(false);
    Window().MouseMove({15, 15});
    EXPECT_EQ(Window().Cursor(), TCursor::crHandPoint);
    EXPECT_EQ(Scene->HintText(), "Marovia");
    Window().MouseMove({50, 50});
    EXPECT_EQ(Window().Cursor(), TCursor::crDefault);
    EXPECT_EQ(Scene->HintText(), "");
}

TEST_F(SceneHost, CaptureFreezesHoverAndCursor) {
    auto* button = Add<TvgCustomButton>(Root, 10, 10, 20, 20);
    auto* link = Add<TvgRectangle>(Root, 50, 10, 20, 20);
    link->SetCursor(-21);
    Window().MouseDown(TMouseButton::mbLeft, {15, 15});
    ASSERT_EQ(Scene->GetCaptured(), button);
    Window().MouseMove({55, 15});
    EXPECT_EQ(Window().Cursor(), TCursor::crDefault);
    EXPECT_FALSE(link->IsMouseOver());
}

TEST_F(SceneHost, EmptySpotDragsTheWindowUnlessItsParentSaysNo) {
    Root->SetHitTest(false);
    Scene->SetBounds(QRect(100, 100, 100, 100));
    Window().MouseDown(TMouseButton::mbLeft, {10, 10});
    EXPECT_TRUE(Scene->Dragging());
    Window().MouseMove({30, 25});
    EXPECT_EQ(Window().Geometry(), QRect(120, 115, 100, 100));
    Window().MouseUp(TMouseButton::mbLeft, {10, 10});
    EXPECT_FALSE(Scene->Dragging());

    Scene->SetParentTag(TvgScene::NoDragTag);
    Window().MouseDown(TMouseButton::mbLeft, {10, 10});
    Window().MouseMove({40, 40});
    EXPECT_EQ(Window().Geometry(), QRect(120, 115, 100, 100));
}

class TTestGrip : public TvgVisualObject, public IvgSizeGrip {};

TEST_F(SceneHost, SizeGripResizesTheWindow) {
    auto* grip = new TTestGrip;
    grip->SetBounds(80, 80, 20, 20);
    Root->AddObject(grip);
    Window().MouseMove({90, 90});
    EXPECT_EQ(Window().Cursor(), TCursor::crSizeNWSE);
    Window().MouseDown(TMouseButton::mbLeft, {90, 90});
    EXPECT_TRUE(Scene->Resizing());
    Window().MouseMove({110, 95});
    EXPECT_EQ(Window().Geometry().size(), QSize(120, 105));
    EXPECT_EQ(Root->Width(), 120);
    Window().MouseUp(TMouseButton::mbLeft, {110, 95});
    EXPECT_FALSE(Scene->Resizing());
}

TEST_F(SceneHost, FreedHoveredAndCapturedObjectsAreDropped) {
    auto* hovered = Add<TvgRectangle>(Root, 10, 10, 20, 20);
    Window().MouseMove({15, 15});
    ASSERT_EQ(Scene->Hovered(), hovered);
    delete hovered;  // as when a panel rebuilds its buttons under the pointer
    EXPECT_EQ(Scene->Hovered(), nullptr);
    Window().MouseMove({16, 16});
    EXPECT_EQ(Scene->Hovered(), Root);

    auto* button = Add<TvgCustomButton>(Root, 40, 40, 20, 20);
    Window().MouseDown(TMouseButton::mbLeft, {45, 45});
    ASSERT_EQ(Scene->GetCaptured(), button);
    delete button;
    EXPECT_EQ(Scene->GetCaptured(), nullptr);
    Window().MouseMove({46, 46});
    Window().MouseUp(TMouseButton::mbLeft, {46, 46});
    EXPECT_EQ(Scene->Hovered(), Root);
}

TEST_F(SceneHost, LeaveHandlerThatFreesTheNextObjectIsSurvived) {
    auto* first = Add<TvgRectangle>(Root, 10, 10, 20, 20);
    auto* second = Add<TvgRectangle>(Root, 40, 10, 20, 20);
    first->SetOnMouseLeave([second](TvgObject*) { delete second; });
    Window().MouseMove({15, 15});
    Window().MouseMove({45, 15});
    EXPECT_FALSE(first->IsMouseOver());
    EXPECT_EQ(Scene->Hovered(), nullptr);
    Window().MouseMove({46, 15});
    EXPECT_EQ(Scene->Hovered(), Root);
}

TEST_F(SceneHost, WheelClimbsUntilHandled) {
    auto* parent = Add<TvgRectangle>(Root, 10, 10, 60, 60);
    auto* child = Add<TvgRectangle>(parent, 10, 10, 20, 20);
    int parentWheels = 0, rootWheels = 0;
    child->SetOnMouseWheel([](TvgObject*, TShiftState, int, const TvgPoint&, bool&) {});
    parent->SetOnMouseWheel([&](TvgObject*, TShiftState, int delta, const TvgPoint& pos, bool& handled) {
        ++parentWheels;
        EXPECT_EQ(delta, 120);
        EXPECT_EQ(pos, (TvgPoint{25, 25}));
        handled = true;
    });
    Root->SetOnMouseWheel([&](TvgObject*, TShiftState, int, const TvgPoint&, bool&) { ++rootWheels; });
    Window().Wheel(120, {25, 25});
    EXPECT_EQ(parentWheels, 1);
    EXPECT_EQ(rootWheels, 0);
}

}  // namespace

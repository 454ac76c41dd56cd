#include <gtest/gtest.h>

#include <QImage>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "RecordingScene.h"
#include "vgBrush.h"
#include "vgEffect.h"
#include "vgGlowEffect.h"
#include "vgLayout.h"
#include "vgRectangle.h"
#include "vgReflectionEffect.h"
#include "vgResources.h"
#include "vgScene.h"
#include "vgTriggerTestControl.h"

namespace {

// Counts its renders and paints its whole picture one colour, so tests see where it lands.
class TCountingEffect : public TvgEffect {
public:
    using TvgEffect::TvgEffect;
    void ProcessEffect(TvgCanvas*, QImage& Bitmap, float) override {
        ++Renders;
        Bitmap.fill(Colour);
    }
    TvgRect GetRect(const TvgRect& ARect) const override { return ARect.Inflate(4, 4); }
    TvgPoint GetOffset() const override { return {4, 4}; }
    int Renders = 0;
    QRgb Colour = 0xFF0000FFu;
};

TEST(vgEffectProperties, AreasDefaultsAndClamping) {
    TvgGlowEffect glow;
    EXPECT_TRUE(glow.Enabled());
    EXPECT_EQ(glow.GlowColor(), "#FFFFD700");
    EXPECT_FLOAT_EQ(glow.Softness(), 0.4f);
    EXPECT_FLOAT_EQ(glow.Opacity(), 0.9f);
    EXPECT_EQ(glow.GetRect({0, 0, 62, 62}), (TvgRect{-13, -13, 75, 75}));
    EXPECT_EQ(glow.BlurRadius(), 9);
    glow.SetSoftness(1);
    EXPECT_EQ(glow.GetRect({0, 0, 62, 62}), (TvgRect{-27, -27, 89, 89}));
    EXPECT_EQ(glow.GetOffset(), (TvgPoint{27, 27}));
    EXPECT_EQ(glow.BlurRadius(), 15);
    glow.SetSoftness(12);
    EXPECT_FLOAT_EQ(glow.Softness(), 9);
    glow.SetOpacity(-1);
    EXPECT_FLOAT_EQ(glow.Opacity(), 0);

    TvgReflectionEffect mirror;
    mirror.SetLength(0.05f);
    EXPECT_FLOAT_EQ(mirror.Length(), 0.1f);
    mirror.SetOffset(2);
    EXPECT_EQ(mirror.GetRect({0, 0, 62, 62}), (TvgRect{-2, 62, 64, 128}));
    EXPECT_EQ(mirror.GetOffset(), (TvgPoint{2, 2}));
}

class vgEffectAreaTest : public ::testing::Test {
protected:
    vgEffectAreaTest() {
        Scene.AddObject(&Root);
        Root.SetBounds(0, 0, 400, 400);
        Icon = new TTriggerTestControl(&Root);
        Icon->SetParent(&Root);
        Icon->SetBounds(100, 100, 62, 62);
        Glow = new TvgGlowEffect(Icon);
        Glow->SetParent(Icon);
        Glow->SetSoftness(1);
    }
    TvgLayout Root;
    RecordingScene Scene;
    TTriggerTestControl* Icon;
    TvgGlowEffect* Glow;
};

TEST_F(vgEffectAreaTest, UpdateRectangleIncludesTheHalo) {
    EXPECT_TRUE(Icon->HasEffect());
    EXPECT_EQ(Icon->UpdateRect(), (TvgRect{73, 73, 189, 189}));
}

TEST_F(vgEffectAreaTest, DisablingRepaintsTheWholeFormerHalo) {
    Scene.UpdateRects.clear();
    Glow->SetEnabled(false);
    ASSERT_FALSE(Scene.UpdateRects.empty());
    EXPECT_EQ(Scene.UnionOfUpdates(), (TvgRect{73, 73, 189, 189}));
    EXPECT_EQ(Icon->UpdateRect(), (TvgRect{100, 100, 162, 162}));
    EXPECT_FALSE(Icon->HasEffect());

    Scene.UpdateRects.clear();
    Glow->SetEnabled(true);
    EXPECT_TRUE(Icon->HasEffect());
    EXPECT_TRUE(Icon->EffectsStale());
    EXPECT_EQ(Scene.UnionOfUpdates(), (TvgRect{73, 73, 189, 189}));
}

TEST_F(vgEffectAreaTest, PropertyChangesMarkStaleAndRepaintTheNewArea) {
    Icon->SetEffectsStale(false);
    Scene.UpdateRects.clear();
    Glow->SetSoftness(2);  // margin 50
    EXPECT_TRUE(Icon->EffectsStale());
    EXPECT_EQ(Scene.UnionOfUpdates(), (TvgRect{50, 50, 212, 212}));
    Icon->SetEffectsStale(false);
    Scene.UpdateRects.clear();
    Glow->SetSoftness(2);  // no change, no work
    EXPECT_FALSE(Icon->EffectsStale());
    EXPECT_TRUE(Scene.UpdateRects.empty());
}

TEST_F(vgEffectAreaTest, TriggersSwitchEnabledAndTheLastExistingPairDecides) {
    Glow->SetTrigger("IsMouseOver=true");
    Glow->SetEnabled(false);
    Icon->MouseEnter();
    EXPECT_TRUE(Glow->Enabled());
    Icon->MouseLeave();
    EXPECT_FALSE(Glow->Enabled());
    Glow->SetTrigger("IsMouseOver=true;IsPressed=false;Unknown=1");
    Icon->FIsPressed = true;
    Icon->MouseEnter();
    EXPECT_FALSE(Glow->Enabled());
    // A trigger for a state the text does not name leaves the effect alone.
    Glow->SetEnabled(true);
    Icon->ApplyTriggerEffect(Icon, "IsFocused");
    EXPECT_TRUE(Glow->Enabled());
}

// Drawing through the real scene host on the fake platform.
class vgEffectPaintTest : public ::testing::Test {
protected:
    vgEffectPaintTest() {
        Scene = std::make_unique<TvgScene>();
        Scene->SetTransparency(true);
        Scene->SetBounds(QRect(0, 0, 300, 300));
        Root = new TvgLayout(Scene.get());
        Scene->AddObject(Root);
        Root->SetBounds(0, 0, 300, 300);
        Icon = new TvgRectangle(Root);
        Icon->SetParent(Root);
        Icon->SetBounds(100, 100, 62, 62);
        Icon->Fill()->SetColor("#FFFF0000");
        Icon->Stroke()->SetStyle(vgBrushNone);
    }
    ~vgEffectPaintTest() override { Scene.reset(); }

    const QImage& Draw() {
        Scene->DrawUpdateRects();
        return static_cast<FakeHostWindow*>(Scene->HostWindow())->FrameBuffer();
    }
    void Invalidate(const TvgRect& R) { Scene->AddUpdateRect(R); }

    FakePlatformScope Platform;
    std::unique_ptr<TvgScene> Scene;
    TvgLayout* Root;
    TvgRectangle* Icon;
};

TEST_F(vgEffectPaintTest, GlowLiesUnderTheObjectAndAroundIt) {
    auto* glow = new TvgGlowEffect(Icon);
    glow->SetParent(Icon);
    Invalidate({0, 0, 300, 300});
    const QImage& frame = Draw();
    EXPECT_EQ(frame.pixel(130, 130), 0xFFFF0000u) << "the object covers its own halo";
    const QRgb halo = frame.pixel(96, 130);
    EXPECT_GT(qAlpha(halo), 40);
    EXPECT_GT(qRed(halo), qBlue(halo));
    EXPECT_GT(qGreen(halo), qBlue(halo)) << "gold, not the object's red";
    EXPECT_EQ(frame.pixel(80, 130), 0u) << "beyond the margin of 13";
}

TEST_F(vgEffectPaintTest, ReflectionMirrorsBelowAndFades) {
    Icon->Fill()->SetStyle(vgBrushGradient);
    auto* mirror = new TvgReflectionEffect(Icon);
    mirror->SetParent(Icon);
    mirror->SetOffset(2);
    Invalidate({0, 0, 300, 300});
    const QImage& frame = Draw();
    const QRgb top = frame.pixel(130, 165);
    const QRgb lower = frame.pixel(130, 185);
    EXPECT_GT(qAlpha(top), 60);
    EXPECT_LT(qAlpha(top), 140) << "starts near half opacity";
    EXPECT_LT(qAlpha(lower), qAlpha(top)) << "fades downwards";
    EXPECT_EQ(qAlpha(frame.pixel(130, 215)), 0) << "gone after half its height";
}

TEST_F(vgEffectPaintTest, CachedPicturesAreDrawnAgainWithoutRendering) {
    auto* first = new TCountingEffect(Icon);
    first->SetParent(Icon);
    auto* second = new TCountingEffect(Icon);
    second->SetParent(Icon);
    second->Colour = 0xFF00FF00u;
    Invalidate({0, 0, 300, 300});
    Draw();
    EXPECT_EQ(first->Renders, 1);
    EXPECT_EQ(second->Renders, 1);
    EXPECT_EQ(first->CachedPicture().Width(), 70);

    // A repaint over the area without a change draws both cached pictures again.
    Invalidate({90, 90, 100, 100});
    const QImage& again = Draw();
    EXPECT_EQ(first->Renders, 1);
    EXPECT_EQ(second->Renders, 1);
    EXPECT_EQ(again.pixel(97, 97), 0xFF00FF00u) << "the second picture, over the first";

    Icon->Fill()->SetColor("#FF0000FF");  // the look changed: render again
    Draw();
    EXPECT_EQ(first->Renders, 2);
    EXPECT_EQ(second->Renders, 2);
}

TEST_F(vgEffectPaintTest, SwitchingAnEffectKeepsThePicturesOfAnUnchangedObject) {
    auto* first = new TCountingEffect(Icon);
    first->SetParent(Icon);
    auto* second = new TCountingEffect(Icon);
    second->SetParent(Icon);
    second->Colour = 0xFF00FF00u;
    Invalidate({0, 0, 300, 300});
    Draw();
    ASSERT_EQ(first->Renders, 1);
    ASSERT_EQ(second->Renders, 1);

    // A hover switches one effect off and on again: neither picture is rendered anew.
    second->SetEnabled(false);
    EXPECT_TRUE(Icon->EffectsStale());
    EXPECT_EQ(Draw().pixel(97, 97), 0xFF0000FFu) << "only the first picture is left";
    second->SetEnabled(true);
    EXPECT_EQ(Draw().pixel(97, 97), 0xFF00FF00u) << "the kept second picture, over the first";
    second->SetAfterPaint(true);
    EXPECT_EQ(Draw().pixel(130, 130), 0xFF00FF00u) << "the kept picture, now over the object";
    EXPECT_EQ(first->Renders, 1);
    EXPECT_EQ(second->Renders, 1);

    // Changed while switched off: the picture is rendered when the effect is switched on again.
    second->SetEnabled(false);
    Draw();
    Icon->Fill()->SetColor("#FF0000FF");
    Draw();
    EXPECT_EQ(first->Renders, 2);
    EXPECT_EQ(second->Renders, 1);
    second->SetEnabled(true);
    Draw();
    EXPECT_EQ(first->Renders, 2);
    EXPECT_EQ(second->Renders, 2);

    // Opacity and size are part of the picture.
    Root->SetOpacity(0.5f);
    second->SetEnabled(false);
    second->SetEnabled(true);
    Draw();
    EXPECT_EQ(first->Renders, 3);
    EXPECT_EQ(second->Renders, 3);
}

TEST_F(vgEffectPaintTest, AnEffectsOwnPropertyRendersItAgain) {
    auto* glow = new TvgGlowEffect(Icon);
    glow->SetParent(Icon);
    Invalidate({0, 0, 300, 300});
    const int before = qAlpha(Draw().pixel(96, 130));
    glow->SetOpacity(0.3f);
    const int after = qAlpha(Draw().pixel(96, 130));
    EXPECT_LT(after, before) << "the fainter glow is rendered, not the kept picture drawn";
}

TEST_F(vgEffectPaintTest, SwitchingAnEffectOfAnObjectWithChildrenRendersAgain) {
    // Children do not tell their parent about a new look: its pictures are rendered again.
    auto* dot = new TvgRectangle(Icon);
    dot->SetParent(Icon);
    dot->SetBounds(20, 20, 20, 20);
    auto* first = new TCountingEffect(Icon);
    first->SetParent(Icon);
    auto* second = new TCountingEffect(Icon);
    second->SetParent(Icon);
    Invalidate({0, 0, 300, 300});
    Draw();
    second->SetEnabled(false);
    second->SetEnabled(true);
    Draw();
    EXPECT_EQ(first->Renders, 2);
    EXPECT_EQ(second->Renders, 2);
}

TEST_F(vgEffectPaintTest, AfterPaintDrawsOnTopAndDisablePaintHidesTheObject) {
    auto* effect = new TCountingEffect(Icon);
    effect->SetParent(Icon);
    Invalidate({0, 0, 300, 300});
    EXPECT_EQ(Draw().pixel(130, 130), 0xFFFF0000u) << "under the object by default";
    effect->SetAfterPaint(true);
    EXPECT_EQ(Draw().pixel(130, 130), 0xFF0000FFu) << "over it with AfterPaint";
    effect->SetAfterPaint(false);
    effect->Colour = 0x80000080u;
    effect->SetDisablePaint(true);
    EXPECT_EQ(Draw().pixel(130, 130), 0x80000080u) << "only the effect remains";
}

TEST_F(vgEffectPaintTest, GlowRendersTheObjectsChildrenToo) {
    Icon->Fill()->SetStyle(vgBrushNone);
    auto* dot = new TvgRectangle(Icon);
    dot->SetParent(Icon);
    dot->SetBounds(20, 20, 20, 20);
    dot->Fill()->SetColor("#FF000000");
    dot->Stroke()->SetStyle(vgBrushNone);
    auto* glow = new TvgGlowEffect(Icon);
    glow->SetParent(Icon);
    Invalidate({0, 0, 300, 300});
    const QImage& frame = Draw();
    EXPECT_GT(qAlpha(frame.pixel(116, 130)), 40) << "halo around the child";
    EXPECT_EQ(qAlpha(frame.pixel(102, 102)), 0) << "the child is small: no halo at the icon's corner";
    EXPECT_EQ(frame.pixel(130, 130), 0xFF000000u);
}

TEST_F(vgEffectPaintTest, GlowUnderAHalfTransparentParentIsHalfAsStrong) {
    auto* glow = new TvgGlowEffect(Icon);
    glow->SetParent(Icon);
    Invalidate({0, 0, 300, 300});
    const int full = qAlpha(Draw().pixel(96, 130));
    Root->SetOpacity(0.5f);
    Icon->UpdateEffects();
    Invalidate({0, 0, 300, 300});
    const int half = qAlpha(Draw().pixel(96, 130));
    EXPECT_NEAR(half, full / 2, 2);
}

}  // namespace

#include <gtest/gtest.h>

#include "IvgForm.h"
#include "SceneFixture.h"
#include "vgBounds.h"
#include "vgBrush.h"
#include "vgCloseButton.h"
#include "vgHudWindow.h"
#include "vgLayout.h"
#include "vgProgramStyles.h"
#include "vgResources.h"
#include "vgShape.h"
#include "vgSizeGrip.h"

namespace {

// A scene owned by a form that counts how often it is asked to close.
class CountingForm : public QObject, public IvgForm {
public:
    void Close() override { ++Closes; }
    int Closes = 0;
};

class HudWindowTest : public SceneFixture {
protected:
    HudWindowTest() : SceneFixture({400, 300}) {
        LoadProgramStyles(Styles);
        Scene->SetStyle(&Styles);
        Scene->setParent(&Form);
        Hud = new TvgHudWindow;
        Hud->SetAlign(vaClient);
        Root->AddObject(Hud);
        Hud->SetResource("HudWindowStyle1");
        Draw();
    }
    ~HudWindowTest() override { Scene->setParent(nullptr); }

    template <class T>
    T* Part(const char* name) {
        return qobject_cast<T*>(Hud->FindResource(QLatin1String(name)));
    }

    TvgResources Styles;
    CountingForm Form;
    TvgHudWindow* Hud = nullptr;
};

TEST_F(HudWindowTest, CaptionFollowsTheStrokeWhateverTheStyleStores) {
    auto* caption = Part<TvgVisualObject>("caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_FLOAT_EQ(caption->Height(), 21);
    EXPECT_EQ(caption->Padding()->Rect(), (TvgRect{1, 1, 1, 0}));
    Hud->SetStrokeThickness(3);
    EXPECT_FLOAT_EQ(caption->Height(), 23);
    auto* stroke = Part<TvgShape>("stroke");
    ASSERT_NE(stroke, nullptr);
    EXPECT_FLOAT_EQ(stroke->StrokeThickness(), 3);
    EXPECT_EQ(stroke->Margins()->Rect(), (TvgRect{3, 3, 3, 3}));
}

TEST_F(HudWindowTest, BackIsPaintedInTheWindowsFillAndFollowsItsChanges) {
    auto* back = Part<TvgShape>("back");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Fill()->SolidColor(), 0xEA2F2F2Fu);
    Hud->Fill()->SetColor("#96363736");
    EXPECT_EQ(back->Fill()->SolidColor(), 0x96363736u);
}

TEST_F(HudWindowTest, CloseButtonSitsAtTheChosenEndOfTheCaption) {
    auto* close = Part<TvgCloseButton>("close");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Align(), vaLeft);
    Hud->SetButtonAlign(vgButtonAlignRight);
    Draw();
    EXPECT_EQ(close->Align(), vaRight);
    EXPECT_GT(close->AbsoluteRect().Left, Hud->Width() / 2);
}

TEST_F(HudWindowTest, HidingTheCaptionHidesTitleAndCloseButton) {
    Hud->SetShowCaption(false);
    EXPECT_FALSE(Part<TvgVisualObject>("caption")->Visible());
    EXPECT_FALSE(Part<TvgVisualObject>("text")->Visible());
    EXPECT_FALSE(Part<TvgVisualObject>("close")->Visible());
}

TEST_F(HudWindowTest, SizeGripFollowsShowSizeGrip) {
    auto* grip = Part<TvgSizeGrip>("sizegrip");
    ASSERT_NE(grip, nullptr);
    EXPECT_TRUE(grip->Visible());
    Hud->SetShowSizeGrip(false);
    grip = Part<TvgSizeGrip>("sizegrip");
    ASSERT_NE(grip, nullptr);
    EXPECT_FALSE(grip->Visible());
}

TEST_F(HudWindowTest, TitleReachesTheTextPartInBold) {
    Hud->SetText("Win桌面快捷方式");
    auto* text = Part<TvgText>("text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Text(), "Win桌面快捷方式");
    EXPECT_EQ(text->Font()->Style(), vgFontBold);
}

TEST_F(HudWindowTest, ReleaseOverTheCloseButtonClosesTheForm) {
    Hud->SetButtonAlign(vgButtonAlignRight);
    Draw();
    auto* close = Part<TvgCloseButton>("close");
    ASSERT_NE(close, nullptr);
    const TvgRect r = close->AbsoluteRect();
    const QPointF on((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    ASSERT_EQ(Scene->ObjectAtPoint({float(on.x()), float(on.y())}), close);

    Scene->HostMouseDown(TMouseButton::mbLeft, {}, on);
    Scene->HostMouseUp(TMouseButton::mbLeft, {}, QPointF(100, 150));
    EXPECT_EQ(Form.Closes, 0);
    EXPECT_TRUE(close->Armed());

    // The button stays armed: a later release over it closes without a new press.
    Scene->HostMouseUp(TMouseButton::mbLeft, {}, on);
    EXPECT_EQ(Form.Closes, 1);
    EXPECT_FALSE(close->Armed());
}

TEST_F(HudWindowTest, OnCloseClickReplacesClosingTheForm) {
    int clicks = 0;
    Hud->SetOnCloseClick([&](TvgObject*) { ++clicks; });
    auto* close = Part<TvgCloseButton>("close");
    ASSERT_NE(close, nullptr);
    EXPECT_FALSE(close->CloseForm());
    close->MouseDown(TMouseButton::mbLeft, {}, 2, 2);
    close->MouseUp(TMouseButton::mbLeft, {}, 2, 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Form.Closes, 0);
}

TEST_F(HudWindowTest, PressOnTheFrameDragsTheWindow) {
    Root->SetHitTest(false);
    const QRect before = Window().Geometry();
    Scene->HostMouseDown(TMouseButton::mbLeft, {}, QPointF(200, 150));
    Scene->HostMouseMove({}, QPointF(230, 170));
    Scene->HostMouseUp(TMouseButton::mbLeft, {}, QPointF(230, 170));
    EXPECT_EQ(Window().Geometry().topLeft(), before.topLeft() + QPoint(30, 20));
}

TEST(HudWindowDefaults, MissingPartsAreSkippedAndValuesKept) {
    FakePlatformScope fake;
    TvgHudWindow hud;
    hud.SetStrokeThickness(2);
    hud.SetButtonAlign(vgButtonAlignRight);
    hud.SetShowCaption(false);
    EXPECT_EQ(hud.Width(), 200);
    EXPECT_FALSE(hud.HitTest());
    EXPECT_EQ(hud.TextAlign(), vgTextAlignNear);
    EXPECT_EQ(hud.ButtonAlign(), vgButtonAlignRight);
    EXPECT_FLOAT_EQ(hud.StrokeThickness(), 2);
}

}  // namespace

#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "vgButton.h"
#include "vgLabel.h"
#include "vgLayout.h"
#include "vgProgramStyles.h"
#include "vgResources.h"

namespace {

// The mode switch and the URL label the way the main form builds them.
class ProgramStyles : public SceneFixture {
protected:
    ProgramStyles() : SceneFixture({400, 100}) {}
    void SetUp() override {
        Styles = new TvgResources(Scene.get());
        LoadProgramStyles(*Styles);
        Scene->SetStyle(Styles);
        Switch = Add<TvgLayout>(Root, 98.5f, 0, 203, 29);
        Pc = Segment(10, "电脑桌面", vgCornerTopLeft | vgCornerBottomLeft);
        Marovia = Segment(100, "Marovia", vgCornerTopRight | vgCornerBottomRight);
        Pc->SetEnabled(false);
        Pc->SetOnClick([this](TvgObject*) { Swap(false); });
        Marovia->SetOnClick([this](TvgObject*) { Swap(true); });
        Draw();
    }
    TvgCornerButton* Segment(float x, const char* text, TvgCorners corners) {
        auto* button = Add<TvgCornerButton>(Switch, x, 4, 90, 22);
        button->SetText(text);
        button->Font()->SetFamily("宋体");
        button->Font()->SetSize(12);
        button->SetxRadius(8);
        button->SetyRadius(8);
        button->SetCorners(corners);
        button->SetResource("BtnDesktopPcStyle1");
        return button;
    }
    void Swap(bool showDesktop) {
        Pc->SetEnabled(showDesktop);
        Marovia->SetEnabled(!showDesktop);
    }

    TvgResources* Styles = nullptr;
    TvgLayout* Switch = nullptr;
    TvgCornerButton* Pc = nullptr;
    TvgCornerButton* Marovia = nullptr;
};

TEST_F(ProgramStyles, BothNamedStylesAreThere) {
    ASSERT_NE(Styles->Root(), nullptr);
    EXPECT_NE(Styles->Root()->FindResource("BtnDesktopPcStyle1"), nullptr);
    EXPECT_NE(Styles->Root()->FindResource("LableURLStyle1"), nullptr);
}

TEST_F(ProgramStyles, SwitchSegmentsWearTheGradientAndTheirOwnCorners) {
    ASSERT_NE(Marovia->Background(), nullptr);
    EXPECT_EQ(Marovia->Background()->Corners(), vgCornerTopRight | vgCornerBottomRight);
    EXPECT_EQ(Marovia->TextObject()->Fill()->Color(), "#FFE0E0E0");
    // Inside the enabled segment, below its text: the gradient runs from light blue to dark blue.
    const QRgb top = PixelAt(98 + 100 + 5, 4 + 2);
    const QRgb bottom = PixelAt(98 + 100 + 5, 4 + 20);
    EXPECT_EQ(qAlpha(top), 255);
    EXPECT_GT(qBlue(top), qBlue(bottom));
    EXPECT_GT(qBlue(top), 200);
    // The outer rounded corners are cut, the inner ones are square.
    // (The switch sits at X 98.5, so the segments start on half pixels.)
    EXPECT_EQ(AlphaAt(98 + 100 + 89, 4), 0);
    EXPECT_EQ(AlphaAt(98 + 100 + 1, 4), 255);
    EXPECT_EQ(AlphaAt(98 + 10 + 1, 4), 0);
    // Outside the switch nothing is drawn.
    EXPECT_EQ(AlphaAt(50, 50), 0);
    EXPECT_FALSE(Window().InputRegion().contains(QPoint(50, 50)));
    EXPECT_TRUE(Window().InputRegion().contains(QPoint(98 + 150, 15)));
}

TEST_F(ProgramStyles, TheDisabledSegmentIsDimmedAndAClickSwapsThem) {
    EXPECT_FLOAT_EQ(Pc->AbsoluteOpacity(), 0.8f);
    // The gradient rectangle is a part of the style clone inside the disabled button: the button
    // 0.8, the clone 0.64, the rectangle 0.512 of the opaque gradient.
    EXPECT_EQ(AlphaAt(98 + 10 + 45, 4 + 20), 130);
    EXPECT_EQ(AlphaAt(98 + 100 + 45, 4 + 20), 255);
    Window().Click(TMouseButton::mbLeft, {98 + 100 + 45, 15});
    Draw();
    EXPECT_FALSE(Marovia->Enabled());
    EXPECT_TRUE(Pc->Enabled());
    EXPECT_EQ(AlphaAt(98 + 10 + 45, 4 + 20), 255);
    EXPECT_EQ(AlphaAt(98 + 100 + 45, 4 + 20), 130);
    // The now disabled segment cannot be clicked again.
    Window().Click(TMouseButton::mbLeft, {98 + 100 + 45, 15});
    EXPECT_FALSE(Marovia->Enabled());
}

TEST_F(ProgramStyles, UrlLabelIsWhiteText) {
    auto* label = Add<TvgLabel>(Root, 200, 70, 188, 23);
    label->SetResource("LableURLStyle1");
    label->SetText("https://marovia.example");
    label->SetTextAlign(vgTextAlignNear);
    Draw();
    ASSERT_NE(label->TextObject(), nullptr);
    EXPECT_EQ(label->TextObject()->Fill()->Color(), "#FFFFFFFF");
    int ink = 0;
    for (int y = 70; y < 93; ++y)
        for (int x = 200; x < 388; ++x) ink += AlphaAt(x, y) > 0;
    EXPECT_GT(ink, 50);
}

}  // namespace

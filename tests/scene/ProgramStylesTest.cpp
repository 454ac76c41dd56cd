#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A round trip of the pointer over the switch: what a user does to it, ending with both segments
// back where they started ("Marovia" enabled, "电脑桌面" dimmed) and the pointer away from them.
enum class Pointer { Over, Away, Press, Release, OutOfWindow, FocusElsewhere };
struct PointerStep {
    Pointer What;
    float X = 0;       // where the pointer goes for Over and Away
    int ThenMs = 100;  // the time before the next step: about half of the looks' animations
};
struct RoundTrip {
    const char* Name;
    std::vector<PointerStep> Steps;
};

void PrintTo(const RoundTrip& trip, std::ostream* os) {
    *os << trip.Name;
}

constexpr float MaroviaX = 98 + 145;
constexpr float PcX = 98 + 55;
constexpr float AwayX = 30;

class SwitchRoundTrip : public ProgramStyles, public ::testing::WithParamInterface<RoundTrip> {
protected:
    // The whole switch, both segments and the margins their looks may reach into.
    QImage SwitchPicture() { return Frame().copy(QRect(98, 0, 205, 30)); }
    void Perform(const PointerStep& step) {
        switch (step.What) {
            case Pointer::Over:
                At = {step.X, 15};
                Window().MouseMove(At);
                break;
            case Pointer::Away:
                At = {step.X, 60};
                Window().MouseMove(At);
                break;
            case Pointer::Press:
                Window().MouseDown(TMouseButton::mbLeft, At);
                break;
            case Pointer::Release:
                Window().MouseUp(TMouseButton::mbLeft, At);
                break;
            case Pointer::OutOfWindow:
                Window().Leave();
                break;
            case Pointer::FocusElsewhere:
                Scene->SetFocused(nullptr);
                break;
        }
        Fake->Advance(step.ThenMs);
    }

    QPointF At;
};

TEST_P(SwitchRoundTrip, LeavesTheSwitchAsItWasDrawnAtFirst) {
    const QImage fresh = SwitchPicture();
    for (const PointerStep& step : GetParam().Steps) Perform(step);
    // Every animation has ended.
    Fake->Advance(1000);
    Draw();
    ASSERT_TRUE(Marovia->Enabled());
    ASSERT_FALSE(Pc->Enabled());
    const QImage after = SwitchPicture();
    int differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < fresh.height(); ++y)
        for (int x = 0; x < fresh.width(); ++x)
            if (fresh.pixel(x, y) != after.pixel(x, y) && differing++ == 0) first = QPoint(x, y);
    EXPECT_EQ(differing, 0) << "first at " << first.x() << "," << first.y() << ": " << std::hex
                            << fresh.pixel(first) << " became " << after.pixel(first);
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, SwitchRoundTrip,
    ::testing::Values(RoundTrip{"HoverMarovia", {{Pointer::Over, MaroviaX}, {Pointer::Away, AwayX}}},
                      RoundTrip{"HoverMaroviaThenLeaveTheWindow",
                                {{Pointer::Over, MaroviaX}, {Pointer::OutOfWindow}}},
                      RoundTrip{"ClickMaroviaThenPc",
                                {{Pointer::Over, MaroviaX},
                                 {Pointer::Press},
                                 {Pointer::Release},
                                 {Pointer::Away, AwayX},
                                 {Pointer::Over, PcX},
                                 {Pointer::Press},
                                 {Pointer::Release},
                                 {Pointer::Away, AwayX}}},
                      RoundTrip{"ClickBothWithoutPausing",
                                {{Pointer::Over, MaroviaX},
                                 {Pointer::Press},
                                 {Pointer::Release},
                                 {Pointer::Over, PcX},
                                 {Pointer::Press},
                                 {Pointer::Release},
                                 {Pointer::OutOfWindow}}},
                      RoundTrip{"HoverMaroviaAgainAfterTheClicks",
                                {{Pointer::Over, MaroviaX},
                                 {Pointer::Press},
                                 {Pointer::Release},
                                 {Pointer::Over, PcX},
                                 {Pointer::Press},
                                 {Pointer::Release},
                                 {Pointer::Over, MaroviaX},
                                 {Pointer::Away, AwayX}}},
                      RoundTrip{"PressMaroviaAndReleaseAway",
                                {{Pointer::Over, MaroviaX},
                                 {Pointer::Press},
                                 {Pointer::Away, AwayX},
                                 {Pointer::Release},
                                 {Pointer::Away, AwayX + 1},
                                 // The press focused it: its glow goes with the focus.
                                 {Pointer::FocusElsewhere}}},
                      // The X server tells of the pointer leaving the window just before a
                      // click's press, the pointer still over the segment.
                      RoundTrip{"ClickBothWithALeaveBeforeEachPress",
                                {{Pointer::Over, MaroviaX},
                                 {Pointer::OutOfWindow, 0, 300},
                                 {Pointer::Press, 0, 0},
                                 {Pointer::Release, 0, 500},
                                 {Pointer::Away, AwayX},
                                 {Pointer::Over, PcX},
                                 {Pointer::OutOfWindow, 0, 300},
                                 {Pointer::Press, 0, 0},
                                 {Pointer::Release, 0, 0},
                                 {Pointer::Away, AwayX}}},
                      RoundTrip{"ClickBothAndMoveOnAtOnce",
                                {{Pointer::Over, MaroviaX},
                                 {Pointer::Press, 0, 0},
                                 {Pointer::Release, 0, 0},
                                 {Pointer::Away, AwayX, 0},
                                 {Pointer::Over, PcX},
                                 {Pointer::Press, 0, 0},
                                 {Pointer::Release, 0, 0},
                                 {Pointer::OutOfWindow}}}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.Name); });

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

// A scene on a screen of two device pixels per logical one: drawn at the device's resolution, its
// units and geometry logical, its input region in the device pixels drawn.

#include <gtest/gtest.h>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "vgBackground.h"
#include "vgRectangle.h"
#include "vgScene.h"
#include "vgText.h"

namespace {

TvgRectangle* Solid(TvgRectangle* rect, const char* color) {
    rect->Fill()->SetColor(color);
    rect->Stroke()->SetStyle(vgBrushNone);
    return rect;
}

}  // namespace

namespace {

// A scene on a doubled screen: two device pixels per logical one each way.
class DoubledScreen : public ::testing::Test {
protected:
    DoubledScreen() {
        Scene.SetTransparency(true);
        Window().SetDevicePixelRatio(2);
        Scene.SetBounds(QRect(0, 0, 100, 100));
        Root = new TvgBackground;
        Scene.AddObject(Root);
        Scene.Show();
        Fake->Advance(1);
    }
    FakeHostWindow& Window() { return *dynamic_cast<FakeHostWindow*>(Scene.HostWindow()); }
    const QImage& Frame() { return Window().FrameBuffer(); }

    FakePlatformScope Fake;
    TvgScene Scene;
    TvgBackground* Root = nullptr;
};

}  // namespace

TEST_F(DoubledScreen, ShapesAreDrawnAtDevicePixelsAndTheInputRegionIsTheirs) {
    auto* rect = Solid(new TvgRectangle, "#FF20A040");
    rect->SetBounds(10.5f, 20, 20, 10);  // its left edge halfway through a logical pixel
    Root->AddObject(rect);
    Fake->Advance(1);
    ASSERT_EQ(Frame().size(), QSize(200, 200));
    // Drawn at the device's resolution the half pixel is a whole device pixel, not a blend.
    EXPECT_EQ(qAlpha(Frame().pixel(20, 50)), 0);
    EXPECT_EQ(qAlpha(Frame().pixel(21, 50)), 255);
    EXPECT_EQ(qAlpha(Frame().pixel(60, 59)), 255);
    EXPECT_EQ(qAlpha(Frame().pixel(61, 59)), 0);
    EXPECT_EQ(qAlpha(Frame().pixel(30, 60)), 0);
    EXPECT_EQ(Window().InputRegion(), QRegion(21, 40, 40, 20));
    // The scene's units stay logical: its size, the presented area and where a click lands.
    EXPECT_EQ(Root->Width(), 100);
    const QRect presented = Window().PresentedRegions().back().boundingRect();
    EXPECT_TRUE(presented.contains(QRect(11, 20, 19, 10))) << presented.x() << "," << presented.width();
    EXPECT_LT(presented.width(), 30);
    EXPECT_EQ(Root->ObjectByPoint(15, 25), rect);
    EXPECT_NE(Root->ObjectByPoint(35, 25), rect);
}

TEST_F(DoubledScreen, TextIsDrawnWithTheDevicesDetailNotEnlarged) {
    auto* text = new TvgText;
    text->SetBounds(0, 0, 100, 30);
    text->SetText("Wave 电脑桌面");
    Root->AddObject(text);
    Fake->Advance(1);
    // A picture drawn at logical size and enlarged is uniform in every aligned 2x2 block; text
    // drawn at the device's resolution has edges inside the blocks.
    int inked = 0, detailed = 0;
    for (int y = 0; y + 1 < 60; y += 2)
        for (int x = 0; x + 1 < 200; x += 2) {
            const QRgb a = Frame().pixel(x, y), b = Frame().pixel(x + 1, y), c = Frame().pixel(x, y + 1),
                       d = Frame().pixel(x + 1, y + 1);
            if (qAlpha(a) || qAlpha(b) || qAlpha(c) || qAlpha(d)) ++inked;
            if (a != b || a != c || a != d) ++detailed;
        }
    ASSERT_GT(inked, 20);
    EXPECT_GT(detailed, inked / 3) << detailed << " of " << inked;
}

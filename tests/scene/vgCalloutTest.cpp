#include <gtest/gtest.h>

#include <QImage>

#include "RecordingScene.h"
#include "vgBrush.h"
#include "vgCalloutPanel.h"
#include "vgCalloutRectangle.h"
#include "vgLayout.h"
#include "vgQtCanvas.h"
#include "vgResources.h"

namespace {

// The program's hint bubble: 100 x 40, stroke 1, radii 2, pointer on the right.
void MakeHintBox(TvgCalloutRectangle& callout) {
    callout.SetBounds(0, 0, 100, 40);
    callout.SetxRadius(2);
    callout.SetyRadius(2);
    callout.SetCalloutPosition(vgCalloutRight);
}

TEST(vgCalloutRectangle, Defaults) {
    TvgCalloutRectangle callout;
    EXPECT_EQ(callout.CalloutWidth(), 23.0f);
    EXPECT_EQ(callout.CalloutLength(), 11.0f);
    EXPECT_EQ(callout.CalloutPosition(), vgCalloutTop);
    EXPECT_EQ(callout.CalloutOffset(), 0.0f);
}

TEST(vgCalloutRectangle, HintBoxOutlineLiesInsideTheStroke) {
    TvgCalloutRectangle callout;
    MakeHintBox(callout);
    const QPainterPath& path = callout.Path();
    ASSERT_GT(path.elementCount(), 10);
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(0.5, 2.5));
    EXPECT_EQ(path.boundingRect(), QRectF(QPointF(0.5, 0.5), QPointF(99.5, 39.5)));
    bool tip = false;
    for (int i = 0; i < path.elementCount(); ++i)
        tip = tip || QPointF(path.elementAt(i)) == QPointF(99.5, 20);
    EXPECT_TRUE(tip);

    // Without a stroke the outline uses the whole rectangle.
    callout.Stroke()->SetStyle(vgBrushNone);
    callout.RebuildPath();
    EXPECT_EQ(callout.Path().boundingRect(), QRectF(0, 0, 100, 40));
}

TEST(vgCalloutRectangle, PaintFillsTheBodyAndThePointer) {
    TvgCalloutRectangle callout;
    MakeHintBox(callout);
    callout.Fill()->SetColor("#FF00FF00");
    callout.Stroke()->SetColor("#FF0000FF");
    QImage image(110, 50, QImage::Format_ARGB32_Premultiplied);
    image.fill(0);
    TvgQtCanvas canvas;
    canvas.AttachBuffer(&image);
    ASSERT_TRUE(canvas.BeginScene());
    canvas.ResetDrawingDefaults();
    callout.Paint(canvas);
    canvas.EndScene();
    canvas.AttachBuffer(nullptr);
    EXPECT_EQ(image.pixel(40, 20), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(93, 20), 0xFF00FF00u) << "inside the pointer";
    EXPECT_EQ(image.pixel(93, 5), 0u) << "beside the pointer, outside the body";
    EXPECT_EQ(qBlue(image.pixel(0, 20)), 255) << "the stroke on the left edge";
}

TEST(vgCalloutRectangle, SettersRebuildAndRepaint) {
    TvgLayout root;
    RecordingScene scene;
    scene.AddObject(&root);
    root.SetBounds(0, 0, 200, 200);
    auto* callout = new TvgCalloutRectangle(&root);
    callout->SetParent(&root);
    MakeHintBox(*callout);
    scene.UpdateRects.clear();
    callout->SetCalloutOffset(-5);
    EXPECT_FALSE(scene.UpdateRects.empty());
    bool found = false;
    for (int i = 0; i < callout->Path().elementCount(); ++i)
        found = found || QPointF(callout->Path().elementAt(i)) == QPointF(99.5, 46);
    EXPECT_TRUE(found) << "the tip of a base from 34.5 to 57.5";
    scene.UpdateRects.clear();
    callout->SetCalloutOffset(-5);
    EXPECT_TRUE(scene.UpdateRects.empty());
}

class vgCalloutPanelTest : public ::testing::Test {
protected:
    vgCalloutPanelTest() {
        Scene.AddObject(&Root);
        Root.SetBounds(0, 0, 400, 400);
    }
    TvgCalloutPanel* MakePanel(const QString& style) {
        auto* panel = new TvgCalloutPanel(&Root);
        panel->SetParent(&Root);
        panel->SetResource(style);
        return panel;
    }
    TvgLayout Root;
    RecordingScene Scene;
};

TEST_F(vgCalloutPanelTest, WritesItsValuesIntoAStyleThatIsACalloutRectangle) {
    TvgCalloutRectangle style;
    style.SetResourceName("TestCalloutStyle");
    style.SetCalloutWidth(10);
    style.SetCalloutLength(15);
    TvgCalloutPanel* panel = MakePanel("TestCalloutStyle");
    EXPECT_EQ(panel->Width(), 120.0f);
    EXPECT_EQ(panel->Height(), 100.0f);
    TvgCalloutRectangle* callout = panel->CalloutRectangle();
    ASSERT_NE(callout, nullptr);
    EXPECT_NE(callout, &style);
    EXPECT_EQ(callout->CalloutWidth(), 23.0f);
    EXPECT_EQ(callout->CalloutLength(), 11.0f);
    EXPECT_EQ(style.CalloutWidth(), 10.0f) << "the style itself is untouched";

    panel->SetCalloutPosition(vgCalloutRight);
    panel->SetCalloutOffset(4);
    EXPECT_EQ(panel->CalloutRectangle(), callout) << "no new clone";
    EXPECT_EQ(callout->CalloutPosition(), vgCalloutRight);
    EXPECT_EQ(callout->CalloutOffset(), 4.0f);
}

TEST_F(vgCalloutPanelTest, PrefersThePartNamedBackgound) {
    TvgLayout style;
    style.SetResourceName("TestCalloutPartStyle");
    auto* decoy = new TvgCalloutRectangle(&style);
    decoy->SetParent(&style);
    auto* part = new TvgCalloutRectangle(&style);
    part->SetParent(&style);
    part->SetResourceName("Backgound");
    TvgCalloutPanel* panel = MakePanel("TestCalloutPartStyle");
    panel->SetCalloutLength(7);
    TvgCalloutRectangle* callout = panel->CalloutRectangle();
    ASSERT_NE(callout, nullptr);
    EXPECT_EQ(callout->ResourceName(), "Backgound");
    EXPECT_EQ(callout->CalloutLength(), 7.0f);
}

TEST_F(vgCalloutPanelTest, AStyleWithoutACalloutKeepsThePanelsValues) {
    TvgLayout style;
    style.SetResourceName("TestPlainStyle");
    TvgCalloutPanel* panel = MakePanel("TestPlainStyle");
    EXPECT_EQ(panel->CalloutRectangle(), nullptr);
    panel->SetCalloutWidth(30);
    EXPECT_EQ(panel->CalloutWidth(), 30.0f);
}

}  // namespace

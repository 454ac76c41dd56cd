#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "vgClassRegistry.h"
#include "vgEllipse.h"
#include "vgImage.h"
#include "vgPath.h"
#include "vgPathData.h"
#include "vgRectangle.h"
#include "vgResourceObjects.h"
#include "vgResources.h"
#include "vgRoundRect.h"

namespace {

class Shapes : public SceneFixture {};

TEST_F(Shapes, StrokeLiesInsideTheObject) {
    auto* rect = Add<TvgRectangle>(Root, 10, 10, 20, 10);
    EXPECT_EQ(rect->ShapeRect(), (TvgRect{0.5f, 0.5f, 19.5f, 9.5f}));
    rect->Fill()->SetColor("#FFFFFFFF");
    Draw();
    EXPECT_EQ(PixelAt(10, 15), 0xFF000000u);  // stroke on the first column
    EXPECT_EQ(PixelAt(29, 15), 0xFF000000u);  // and the last
    EXPECT_EQ(PixelAt(11, 15), 0xFFFFFFFFu);
    EXPECT_EQ(AlphaAt(30, 15), 0);
    rect->StrokeThickness();
    rect->SetStrokeThickness(4);
    EXPECT_EQ(rect->ShapeRect(), (TvgRect{2, 2, 18, 8}));
    rect->Stroke()->SetStyle(vgBrushNone);
    EXPECT_EQ(rect->ShapeRect(), (TvgRect{0, 0, 20, 10}));
}

TEST_F(Shapes, MissingSidesLetTheFillReachTheEdge) {
    auto* rect = Add<TvgRectangle>(Root, 10, 10, 20, 10);
    rect->Fill()->SetColor("#FFFFFFFF");
    rect->SetStrokeThickness(2);
    rect->SetSides(vgSideTop | vgSideBottom);
    EXPECT_EQ(rect->FillRect(), (TvgRect{0, 1, 20, 9}));
    Draw();
    EXPECT_EQ(PixelAt(20, 10), 0xFF000000u);  // top stroke
    EXPECT_EQ(PixelAt(10, 15), 0xFFFFFFFFu);  // no left stroke: the fill reaches the edge
    EXPECT_EQ(PixelAt(29, 15), 0xFFFFFFFFu);
}

TEST_F(Shapes, NothingToPaintStillTakesPartInHitTesting) {
    auto* rect = Add<TvgRectangle>(Root, 10, 10, 20, 20);
    rect->Fill()->SetStyle(vgBrushNone);
    rect->Stroke()->SetStyle(vgBrushNone);
    Draw();
    EXPECT_EQ(AlphaAt(20, 20), 0);
    EXPECT_EQ(Root->ObjectByPoint(20, 20), rect);
}

TEST_F(Shapes, RoundRectTakesHalfTheShorterSide) {
    auto* pill = Add<TvgRoundRect>(Root, 10, 10, 40, 20);
    pill->Stroke()->SetStyle(vgBrushNone);
    pill->Fill()->SetColor("#FFFF0000");
    Draw();
    EXPECT_EQ(AlphaAt(11, 11), 0);
    EXPECT_EQ(AlphaAt(48, 28), 0);
    EXPECT_EQ(PixelAt(30, 11), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(11, 20), 0xFFFF0000u);  // the round end reaches the side at mid-height
}

TEST_F(Shapes, SplitPillHalves) {
    auto* left = Add<TvgRectangle>(Root, 10, 10, 40, 20);
    left->SetxRadius(8);
    left->SetyRadius(8);
    left->SetCorners(vgCornerTopLeft | vgCornerBottomLeft);
    left->Stroke()->SetStyle(vgBrushNone);
    left->Fill()->SetColor("#FFFF0000");
    Draw();
    EXPECT_EQ(AlphaAt(10, 10), 0);
    EXPECT_EQ(AlphaAt(10, 29), 0);
    EXPECT_EQ(AlphaAt(49, 10), 255);
    EXPECT_EQ(AlphaAt(49, 29), 255);
}

TEST_F(Shapes, OpacityMultipliesDownTheTree) {
    auto* rect = Add<TvgRectangle>(Root, 10, 10, 20, 20);
    rect->Stroke()->SetStyle(vgBrushNone);
    rect->Fill()->SetColor("#FFFFFFFF");
    rect->SetOpacity(0.5f);
    Draw();
    EXPECT_EQ(AlphaAt(20, 20), 127);
}

TEST_F(Shapes, GradientColourWritesTheFirstPoint) {
    auto* rect = Add<TvgRectangle>(Root, 0, 0, 10, 10);
    TvgBrush* fill = rect->Fill();
    fill->SetStyle(vgBrushGradient);
    fill->Gradient()->SetPointsText("#FF6A9BEC 0, #FF1D669C 1");
    fill->SetColor("#FF505050");
    EXPECT_EQ(fill->Gradient()->Points().front().Color, 0xFF505050u);
    EXPECT_EQ(fill->Gradient()->Points().back().Color, 0xFF1D669Cu);
    EXPECT_EQ(fill->Color(), "#FF505050");
}

TEST_F(Shapes, EllipseAndPathPaintInsideTheirRectangle) {
    auto* ellipse = Add<TvgEllipse>(Root, 0, 0, 40, 40);
    ellipse->Fill()->SetColor("#FF00FF00");
    auto* path = Add<TvgPath>(Root, 50, 0, 40, 40);
    path->Stroke()->SetStyle(vgBrushNone);
    path->Fill()->SetColor("#FF0000FF");
    path->SetData("M 0 0 L 10 0 L 0 10 Z");  // a triangle, scaled up to 40 × 40
    Draw();
    EXPECT_EQ(PixelAt(20, 20), 0xFF00FF00u);
    EXPECT_EQ(AlphaAt(2, 2), 0);
    EXPECT_EQ(PixelAt(55, 5), 0xFF0000FFu);
    EXPECT_EQ(AlphaAt(85, 35), 0);
}

TEST(PathData, ReadsAbsoluteAndRelativeCommands) {
    const QPainterPath path =
        vgParsePathData("M10,10 h10 v10 l-10,0 z m 30 0 C 30 0 40 0 40 10 Q 45 15 50 10");
    EXPECT_EQ(path.boundingRect().left(), 10);
    EXPECT_EQ(path.boundingRect().right(), 50);
    EXPECT_EQ(path.elementAt(1).x, 20);
    EXPECT_EQ(path.elementAt(2).y, 20);
    EXPECT_TRUE(vgParsePathData("X 1 2").isEmpty());
    // What comes before a malformed command is kept.
    EXPECT_EQ(vgParsePathData("M 0 0 L 5 5 L 7").elementCount(), 2);
}

TEST(DrawClasses, StyleDataCanCreateThemByName) {
    for (const char* name :
         {"TvgRectangle", "TvgRoundRect", "TvgEllipse", "TvgPath", "TvgText", "TvgImage", "TvgLabel",
          "TvgValueLabel", "TvgTextControl", "TvgCustomButton", "TvgCornerButton"}) {
        std::unique_ptr<TvgObject> object(CreateObjectByClassName(name, nullptr));
        ASSERT_NE(object, nullptr) << name;
        EXPECT_EQ(QString(object->metaObject()->className()), name);
    }
}

TEST(DrawClasses, ClonesKeepBrushesAndCorners) {
    TvgRectangle source;
    source.Fill()->SetStyle(vgBrushGradient);
    source.Fill()->Gradient()->SetPointsText("#FF6A9BEC 0, #FF1D669C 1");
    source.Stroke()->SetColor("#FF222222");
    source.SetCorners(vgCornerTopRight | vgCornerBottomRight);
    source.SetxRadius(8);
    std::unique_ptr<TvgObject> copy(source.Clone(nullptr));
    auto* rect = qobject_cast<TvgRectangle*>(copy.get());
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->Fill()->Style(), vgBrushGradient);
    EXPECT_EQ(rect->Fill()->Gradient()->Points(), source.Fill()->Gradient()->Points());
    EXPECT_EQ(rect->Stroke()->Color(), "#FF222222");
    EXPECT_EQ(rect->Corners(), source.Corners());
    EXPECT_EQ(rect->xRadius(), 8);
}

}  // namespace

namespace {

class NamedResources : public SceneFixture {
protected:
    void SetUp() override {
        auto* styles = new TvgResources(Scene.get());
        styles->LoadFromData(R"xml(<TvgBackground>
            <TvgBrushObject ResourceName="Ink" Brush.Color="#FF00FF00"/>
            <TvgBitmapObject ResourceName="Dot"/>
          </TvgBackground>)xml",
                             "test styles");
        Scene->SetStyle(styles);
        auto* dot = qobject_cast<TvgBitmapObject*>(styles->Root()->FindResource("Dot"));
        ASSERT_NE(dot, nullptr);
        QImage pixels(4, 4, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(0xFF0000FF);
        dot->Bitmap()->SetImage(pixels);
    }
};

TEST_F(NamedResources, ResourceBrushPaintsWithTheNamedBrush) {
    auto* rect = Add<TvgRectangle>(Root, 0, 0, 20, 20);
    rect->Stroke()->SetStyle(vgBrushNone);
    rect->Fill()->SetStyle(vgBrushResource);
    rect->Fill()->SetResource("Ink");
    auto* missing = Add<TvgRectangle>(Root, 30, 0, 20, 20);
    missing->Stroke()->SetStyle(vgBrushNone);
    missing->Fill()->SetStyle(vgBrushResource);
    missing->Fill()->SetResource("NoSuchBrush");
    Draw();
    EXPECT_EQ(PixelAt(10, 10), 0xFF00FF00u);
    EXPECT_EQ(AlphaAt(40, 10), 0);
}

TEST_F(NamedResources, BitmapWithAResourceNameDrawsTheNamedPicture) {
    auto* image = Add<TvgImage>(Root, 0, 0, 20, 20);
    image->SetWrapMode(vgImageStretch);
    image->Bitmap()->SetResourceName("Dot");
    Draw();
    EXPECT_EQ(PixelAt(10, 10), 0xFF0000FFu);
}

}  // namespace

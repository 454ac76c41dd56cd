#include <gtest/gtest.h>

#include <QPainterPath>

#include <vector>

#include "vgCalloutPath.h"

namespace {

struct TElement {
    QPainterPath::ElementType Type;
    QPointF Point;
};

std::vector<TElement> Elements(const QPainterPath& path) {
    std::vector<TElement> result;
    for (int i = 0; i < path.elementCount(); ++i) {
        const auto e = path.elementAt(i);
        result.push_back({e.type, QPointF(e.x, e.y)});
    }
    return result;
}

bool HasLineTo(const QPainterPath& path, QPointF p) {
    for (const auto& e : Elements(path))
        if (e.Type == QPainterPath::LineToElement && qFuzzyCompare(e.Point.x() + 1, p.x() + 1) &&
            qFuzzyCompare(e.Point.y() + 1, p.y() + 1))
            return true;
    return false;
}

// The hint box: 100 x 40, stroke 1, radii 2, pointer on the right.
TCalloutGeometry HintBox() {
    TCalloutGeometry g;
    g.Shape = QRectF(QPointF(0.5, 0.5), QPointF(99.5, 39.5));
    g.XRadius = 2;
    g.YRadius = 2;
    g.CalloutPosition = vgCalloutRight;
    return g;
}

TEST(vgCalloutPath, HintBoxOutline) {
    const TCalloutGeometry g = HintBox();
    EXPECT_EQ(CalloutBody(g), QRectF(QPointF(0.5, 0.5), QPointF(88.5, 39.5)));
    QPainterPath path;
    BuildCalloutPath(path, g);
    const auto e = Elements(path);
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.front().Type, QPainterPath::MoveToElement);
    EXPECT_EQ(e.front().Point, QPointF(0.5, 2.5));
    // Round top-left corner: control points half a radius from the corner along each edge.
    EXPECT_EQ(e[1].Type, QPainterPath::CurveToElement);
    EXPECT_EQ(e[1].Point, QPointF(0.5, 1.5));
    EXPECT_EQ(e[2].Point, QPointF(1.5, 0.5));
    EXPECT_EQ(e[3].Point, QPointF(2.5, 0.5));
    EXPECT_EQ(e[4].Point, QPointF(86.5, 0.5));
    // The pointer, in the order base start, tip, base end, right after the top-right corner.
    std::vector<QPointF> points;
    for (const auto& el : e) points.push_back(el.Point);
    const std::vector<QPointF> pointer = {{88.5, 8.5}, {99.5, 20}, {88.5, 31.5}};
    auto at = std::search(points.begin(), points.end(), pointer.begin(), pointer.end());
    ASSERT_NE(at, points.end());
    EXPECT_EQ(*(at - 1), QPointF(88.5, 2.5));   // end of the top-right corner
    EXPECT_EQ(*(at + 3), QPointF(88.5, 37.5));  // the rest of the right side
    // Not closed: it ends on its start point without a closing element.
    EXPECT_EQ(e.back().Point, QPointF(0.5, 2.5));
    EXPECT_EQ(e.back().Type, QPainterPath::LineToElement);
    EXPECT_EQ(path.boundingRect(), QRectF(QPointF(0.5, 0.5), QPointF(99.5, 39.5)));
}

TEST(vgCalloutPath, NegativeOffsetOnTheRightRunsDownwardFromAboveTheBottom) {
    TCalloutGeometry g = HintBox();
    g.CalloutOffset = -5;
    QPainterPath path;
    BuildCalloutPath(path, g);
    EXPECT_TRUE(HasLineTo(path, {88.5, 34.5}));
    EXPECT_TRUE(HasLineTo(path, {99.5, 46}));
    EXPECT_TRUE(HasLineTo(path, {88.5, 57.5}));
}

TEST(vgCalloutPath, OffsetsOnTheTopAndBottomSides) {
    TCalloutGeometry g;
    g.Shape = QRectF(0, 0, 100, 60);
    g.CalloutPosition = vgCalloutTop;
    g.CalloutOffset = -5;
    QPainterPath path;
    BuildCalloutPath(path, g);
    EXPECT_EQ(CalloutBody(g).top(), 11);
    EXPECT_TRUE(HasLineTo(path, {72, 11}));
    EXPECT_TRUE(HasLineTo(path, {83.5, 0}));
    EXPECT_TRUE(HasLineTo(path, {95, 11}));

    g.CalloutPosition = vgCalloutBottom;
    g.CalloutOffset = 10;
    BuildCalloutPath(path, g);
    // Travelling right to left along the bottom: base end first.
    const auto e = Elements(path);
    std::vector<QPointF> points;
    for (const auto& el : e) points.push_back(el.Point);
    const std::vector<QPointF> pointer = {{33, 49}, {21.5, 60}, {10, 49}};
    EXPECT_NE(std::search(points.begin(), points.end(), pointer.begin(), pointer.end()), points.end());

    g.CalloutPosition = vgCalloutLeft;
    g.CalloutOffset = 0;
    BuildCalloutPath(path, g);
    points.clear();
    for (const auto& el : Elements(path)) points.push_back(el.Point);
    const std::vector<QPointF> left = {{11, 41.5}, {0, 30}, {11, 18.5}};
    EXPECT_NE(std::search(points.begin(), points.end(), left.begin(), left.end()), points.end());
}

TEST(vgCalloutPath, RadiiAreLimitedToHalfTheBody) {
    TCalloutGeometry g;
    g.Shape = QRectF(0, 0, 40, 31);
    g.XRadius = 50;
    g.YRadius = 50;
    g.CalloutPosition = vgCalloutTop;  // body height 20
    QPainterPath path;
    BuildCalloutPath(path, g);
    const auto e = Elements(path);
    EXPECT_EQ(e.front().Point, QPointF(0, 21));  // top + ry = 11 + 10
    EXPECT_EQ(e[3].Point, QPointF(20, 11));      // left + rx = 0 + 20
}

TEST(vgCalloutPath, CornerShapes) {
    TCalloutGeometry g;
    g.Shape = QRectF(0, 0, 100, 100);
    g.CalloutLength = 0;
    g.CalloutWidth = 0;
    g.XRadius = 8;
    g.YRadius = 4;
    QPainterPath path;

    g.CornerShape = TCalloutCornerShape::InnerRound;
    BuildCalloutPath(path, g);
    auto e = Elements(path);
    EXPECT_EQ(e[1].Type, QPainterPath::CurveToElement);
    EXPECT_EQ(e[1].Point, QPointF(4, 4));
    EXPECT_EQ(e[2].Point, QPointF(8, 2));
    EXPECT_EQ(e[3].Point, QPointF(8, 0));

    g.CornerShape = TCalloutCornerShape::InnerLine;
    BuildCalloutPath(path, g);
    e = Elements(path);
    EXPECT_EQ(e[1].Type, QPainterPath::LineToElement);
    EXPECT_EQ(e[1].Point, QPointF(4, 4));
    EXPECT_EQ(e[2].Point, QPointF(8, 2));
    EXPECT_EQ(e[3].Point, QPointF(8, 0));

    g.CornerShape = TCalloutCornerShape::Bevel;
    BuildCalloutPath(path, g);
    e = Elements(path);
    EXPECT_EQ(e[1].Type, QPainterPath::LineToElement);
    EXPECT_EQ(e[1].Point, QPointF(8, 0));

    // The top-right corner is the mirror image, travelled from the top edge down.
    g.CornerShape = TCalloutCornerShape::Round;
    BuildCalloutPath(path, g);
    std::vector<QPointF> points;
    for (const auto& el : Elements(path)) points.push_back(el.Point);
    const std::vector<QPointF> topRight = {{92, 0}, {96, 0}, {100, 2}, {100, 4}};
    EXPECT_NE(std::search(points.begin(), points.end(), topRight.begin(), topRight.end()), points.end());
    const std::vector<QPointF> bottomLeft = {{8, 100}, {4, 100}, {0, 98}, {0, 96}};
    EXPECT_NE(std::search(points.begin(), points.end(), bottomLeft.begin(), bottomLeft.end()), points.end());

    // A corner left out of Corners is square: through the corner point itself.
    g.Corners[1] = false;
    BuildCalloutPath(path, g);
    EXPECT_TRUE(HasLineTo(path, {100, 0}));
}

}  // namespace

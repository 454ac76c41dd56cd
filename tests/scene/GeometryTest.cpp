#include <gtest/gtest.h>

#include <QVariant>

#include "vgBounds.h"
#include "vgPosition.h"
#include "vgTypes.h"

namespace {

TEST(Geometry, RoundHalfEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(32.5), 32);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(Geometry, RowVectorMatrices) {
    const TvgMatrix m = TvgMatrix::Scaling(2, 3) * TvgMatrix::Translation(10, 20);
    EXPECT_EQ(MapPoint({1, 1}, m), (TvgPoint{12, 23}));
    EXPECT_EQ(UnmapPoint({12, 23}, m), (TvgPoint{1, 1}));
    const TvgPoint back = MapPoint({12, 23}, InvertMatrix(m));
    EXPECT_NEAR(back.X, 1, 1e-6);
    EXPECT_NEAR(back.Y, 1, 1e-6);
    EXPECT_EQ(MapRect({0, 0, 1, 1}, m), (TvgRect{10, 20, 12, 23}));
    const TvgMatrix r = TvgMatrix::Rotation(90);
    const TvgRect rotated = MapRect({0, 0, 2, 1}, r);
    EXPECT_NEAR(rotated.Left, -1, 1e-6);
    EXPECT_NEAR(rotated.Bottom, 2, 1e-6);
    EXPECT_EQ(InvertMatrix(TvgMatrix::Scaling(0, 1)), TvgMatrix::Identity());
}

TEST(Geometry, RectUnionAndIntersection) {
    EXPECT_EQ(UnionRect({}, {1, 2, 3, 4}), (TvgRect{1, 2, 3, 4}));
    EXPECT_EQ(UnionRect({0, 0, 1, 1}, {2, 2, 3, 3}), (TvgRect{0, 0, 3, 3}));
    EXPECT_EQ(IntersectRect({0, 0, 2, 2}, {1, 1, 3, 3}), (TvgRect{1, 1, 2, 2}));
    EXPECT_TRUE(IntersectRect({0, 0, 1, 1}, {1, 0, 2, 1}).IsEmpty());
    EXPECT_FALSE(RectsIntersect({0, 0, 1, 1}, {2, 2, 3, 3}));
}

TEST(Geometry, TextForms) {
    EXPECT_EQ(PointToText({161, 0}), "(161,0)");
    EXPECT_EQ(RectToText({16, 36, 16, 16}), "(16,36,16,16)");
    EXPECT_EQ(PointToText({0.5f, -2.25f}), "(0.5,-2.25)");
    TvgPoint p;
    EXPECT_TRUE(TextToPoint(" ( 161 , 0 ) ", p));
    EXPECT_EQ(p, (TvgPoint{161, 0}));
    TvgRect r;
    EXPECT_TRUE(TextToRect("(16,36,16,16)", r));
    EXPECT_EQ(r, (TvgRect{16, 36, 16, 16}));
    for (const char* bad : {"", "161,0", "(161)", "(1,2,3)", "(a,b)", "(1,nan)", "(1,2"}) {
        TvgPoint untouched{7, 7};
        EXPECT_FALSE(TextToPoint(bad, untouched)) << bad;
        EXPECT_EQ(untouched, (TvgPoint{7, 7}));
    }
    EXPECT_FALSE(TextToRect("(1,2,3)", r));
}

TEST(Geometry, VariantConversionsUseTheTextForms) {
    RegisterGeometryConverters();
    QVariant v(QStringLiteral("(3,4)"));
    ASSERT_TRUE(v.convert(QMetaType::fromType<TvgPoint>()));
    EXPECT_EQ(v.value<TvgPoint>(), (TvgPoint{3, 4}));
    QVariant bad(QStringLiteral("(3;4)"));
    EXPECT_FALSE(bad.convert(QMetaType::fromType<TvgPoint>()));
    EXPECT_EQ(QVariant::fromValue(TvgRect{1, 2, 3, 4}).toString(), "(1,2,3,4)");
}

TEST(PositionAndBounds, OnChangeFiresOnlyOnAChange) {
    int changes = 0;
    TvgPosition position;
    position.SetOnChange([&] { ++changes; });
    position.SetX(0);
    position.SetY(0);
    EXPECT_EQ(changes, 0);
    position.SetX(1);
    position.SetPoint({1, 2});
    position.SetPoint({1, 2});
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(position.property("Point").value<TvgPoint>(), (TvgPoint{1, 2}));

    TvgBounds bounds;
    bounds.SetOnChange([&] { ++changes; });
    bounds.SetLeft(0);
    bounds.SetRect({});
    EXPECT_EQ(changes, 2);
    bounds.SetBottom(4);
    bounds.SetRect({1, 2, 3, 4});
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(bounds.Rect(), (TvgRect{1, 2, 3, 4}));
    EXPECT_FALSE(bounds.IsEmpty());
}

}  // namespace

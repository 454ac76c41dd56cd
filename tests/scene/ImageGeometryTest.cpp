#include <gtest/gtest.h>

#include "vgImageGeometry.h"

namespace {

TEST(ImageGeometry, RoundsHalvesToEven) {
    EXPECT_EQ(vgRound(2.5), 2);
    EXPECT_EQ(vgRound(3.5), 4);
    EXPECT_EQ(vgRound(-2.5), -2);
    EXPECT_EQ(vgRound(2.6), 3);
}

TEST(ImageGeometry, FitKeepsSmallPicturesAndShrinksLargeOnes) {
    EXPECT_EQ(vgFitRect({32, 32}, {38, 38}), QRectF(3, 3, 32, 32));
    EXPECT_EQ(vgFitRect({256, 128}, {64, 64}), QRectF(0, 16, 64, 32));
    // Exactly the area's size: ratio 1 counts as shrinking, and nothing moves.
    EXPECT_EQ(vgFitRect({64, 64}, {64, 64}), QRectF(0, 0, 64, 64));
    // Offsets are whole units: (39 − 32) / 2 = 3.5 rounds to 4, (37 − 32) / 2 = 2.5 to 2.
    EXPECT_EQ(vgFitRect({32, 32}, {39, 37}), QRectF(4, 2, 32, 32));
    EXPECT_TRUE(vgFitRect({0, 10}, {10, 10}).isNull());
    EXPECT_TRUE(vgFitRect({10, 10}, {0, 10}).isNull());
}

TEST(ImageGeometry, TileCountsRoundHalfToEven) {
    const auto tiles = vgTileRects({10, 10}, {25, 25});
    ASSERT_EQ(tiles.size(), 9u);  // 0, 10, 20 in each direction
    EXPECT_EQ(tiles.front(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(tiles.back(), QRectF(20, 20, 10, 10));
    EXPECT_EQ(vgTileRects({10, 10}, {35, 10}).size(), 5u * 2u);  // Round(3.5) = 4 → columns 0..4; rows 0..1
    EXPECT_TRUE(vgTileRects({0, 0}, {35, 10}).empty());
}

TEST(ImageGeometry, NineSliceKeepsCornersAndStretchesTheRest) {
    const auto parts = vgNineSliceParts({30, 30}, {100, 60}, 10, 10, 10, 10);
    ASSERT_EQ(parts.size(), 9u);
    EXPECT_EQ(parts[0].Source, QRectF(0, 0, 10, 10));
    EXPECT_EQ(parts[0].Dest, QRectF(0, 0, 10, 10));
    EXPECT_EQ(parts[1].Source, QRectF(10, 0, 10, 10));
    EXPECT_EQ(parts[1].Dest, QRectF(10, 0, 80, 10));
    EXPECT_EQ(parts[4].Dest, QRectF(10, 10, 80, 40));
    EXPECT_EQ(parts[8].Source, QRectF(20, 20, 10, 10));
    EXPECT_EQ(parts[8].Dest, QRectF(90, 50, 10, 10));
    // Only a left margin: the left column and the stretched rest.
    EXPECT_EQ(vgNineSliceParts({30, 30}, {100, 60}, 10, 0, 0, 0).size(), 2u);
}

}  // namespace

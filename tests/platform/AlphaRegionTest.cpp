#include <gtest/gtest.h>

#include <random>

#include "AlphaRegion.h"

namespace {

// Every pixel is in the region exactly when its alpha is above 0.
void ExpectFollowsAlpha(const QImage& image, const QRegion& region, const QRect& area) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = area.contains(x, y) && qAlpha(image.pixel(x, y)) > 0;
            ASSERT_EQ(region.contains(QPoint(x, y)), inside) << x << "," << y;
        }
}

QImage RandomImage(int width, int height, unsigned seed) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Mostly long runs, with single pixels of alpha 1 among them.
            const unsigned r = random() % 10;
            image.setPixel(x, y, r < 4 ? 0u : r == 4 ? 0x01010101u : 0xFF336699u);
        }
    return image;
}

TEST(AlphaRegion, FollowsAlphaOnRandomPictures) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        const QImage image = RandomImage(37, 23, seed);  // widths not a multiple of four
        ExpectFollowsAlpha(image, AlphaRegion(image, image.rect()), image.rect());
        const QRect part(3, 2, 29, 17);
        ExpectFollowsAlpha(image, AlphaRegion(image, part), part);
    }
}

TEST(AlphaRegion, FindsALonePixelAnywhereInALongStretch) {
    for (int k = 0; k < 48; ++k) {
        QImage image(48, 2, QImage::Format_ARGB32_Premultiplied);
        image.fill(0xFF204060u);
        image.setPixel(k, 0, 0u);  // one hole in an opaque row
        for (int x = 0; x < 48; ++x) image.setPixel(x, 1, x == k ? 0x01000000u : 0u);  // one faint dot
        ExpectFollowsAlpha(image, AlphaRegion(image, image.rect()), image.rect());
    }
}

TEST(AlphaRegion, OpaqueBlockIsOneRectangle) {
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 10; y < 30; ++y)
        for (int x = 5; x < 50; ++x) image.setPixel(x, y, 0xFF000000u);
    const QRegion region = AlphaRegion(image, image.rect());
    EXPECT_EQ(region.rectCount(), 1);
    EXPECT_EQ(region.boundingRect(), QRect(5, 10, 45, 20));
    EXPECT_TRUE(AlphaRegion(image, QRect(0, 0, 5, 48)).isEmpty());
    // Transparent rows between two blocks keep them apart.
    for (int x = 5; x < 50; ++x) image.setPixel(x, 40, 0xFF000000u);
    EXPECT_EQ(AlphaRegion(image, image.rect()).rectCount(), 2);
}

TEST(AlphaRegion, UpdateReplacesOnlyTheRepaintedArea) {
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(0xFF000000u);
    QRegion region = AlphaRegion(image, image.rect());
    image.fill(Qt::transparent);  // everything cleared, but only the left half is presented
    UpdateAlphaRegion(region, image, QRegion(0, 0, 10, 20));
    EXPECT_FALSE(region.contains(QPoint(5, 5)));
    EXPECT_TRUE(region.contains(QPoint(15, 5)));
}

// Pixels the painter vouches for are taken as opaque without being read; the rest of the
// repainted area is read as usual, and a vouched part outside that area changes nothing.
TEST(AlphaRegion, UpdateTakesVouchedPixelsAsOpaqueAndReadsTheRest) {
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setPixel(15, 15, 0x80000000u);
    QRegion region(0, 18, 20, 2);
    UpdateAlphaRegion(region, image, QRegion(0, 0, 20, 18), QRegion(0, 0, 10, 30));
    EXPECT_TRUE(region.contains(QPoint(5, 5)));  // transparent in the picture, but vouched for
    EXPECT_TRUE(region.contains(QPoint(15, 15)));
    EXPECT_FALSE(region.contains(QPoint(12, 5)));
    EXPECT_TRUE(region.contains(QPoint(15, 19)));  // outside the repainted area: kept as it was
    EXPECT_EQ(region & QRect(0, 18, 20, 2), QRegion(0, 18, 20, 2));
}

// A window of many outlines repainted in a few places at once: the region kept up to date is
// the one a fresh read of the whole picture gives.
TEST(AlphaRegion, UpdateOfSeveralPartsEqualsAFreshRead) {
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    const auto paint = [&image](int seed) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, ((x * 7 + y * 3 + seed) % 5 < 2) ? 0xFF102030u : 0u);
    };
    paint(0);
    QRegion region = AlphaRegion(image, image.rect());
    ASSERT_GT(region.rectCount(), 100);
    paint(1);
    const QRegion repainted = QRegion(2, 3, 9, 7) + QRegion(30, 0, 5, 48) + QRegion(50, 40, 14, 8);
    UpdateAlphaRegion(region, image, repainted, QRegion(31, 10, 2, 4));
    QRegion expected = AlphaRegion(image, image.rect());
    paint(0);
    expected =
        (AlphaRegion(image, image.rect()) - repainted) + (expected & repainted) + QRegion(31, 10, 2, 4);
    EXPECT_EQ(region, expected);
}

}  // namespace

#include <gtest/gtest.h>

#include <QImage>

#include "vgEffectBitmaps.h"

namespace {

QImage Filled(int w, int h, QRgb premultiplied) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(premultiplied);
    return image;
}

TEST(vgGlowBitmap, MarginAndRadiusFollowTheSoftness) {
    EXPECT_EQ(GlowMargin(0.4f), 13);
    EXPECT_EQ(GlowBlurRadius(0.4f), 9);
    EXPECT_EQ(GlowMargin(1.0f), 27);
    EXPECT_EQ(GlowBlurRadius(1.0f), 15);
    EXPECT_EQ(GlowMargin(0.0f), 4);
    EXPECT_EQ(GlowBlurRadius(9.0f), 95);
}

TEST(vgGlowBitmap, OpaqueObjectShowsNoGlowInsideAndAHaloOutside) {
    QImage image = Filled(40, 40, 0);
    for (int y = 13; y < 27; ++y)
        for (int x = 13; x < 27; ++x) image.setPixel(x, y, 0xFF102030u);
    GlowBitmap(image, 0xFFFFD700u, 0.9f, 9);
    EXPECT_EQ(image.pixel(20, 20), 0u);
    EXPECT_EQ(image.pixel(13, 13), 0u);
    // Just outside the edge the halo is the gold colour, premultiplied.
    const QRgb halo = image.pixel(11, 20);
    ASSERT_GT(qAlpha(halo), 0);
    EXPECT_NEAR(qRed(halo), qAlpha(halo), 1);
    EXPECT_NEAR(qGreen(halo), qAlpha(halo) * 0xD7 / 255, 2);
    EXPECT_EQ(qBlue(halo), 0);
    EXPECT_EQ(image.pixel(0, 0), 0u);  // beyond the blur radius nothing reaches
}

TEST(vgGlowBitmap, HalfTransparentPixelKeepsHalfOfTheGlowBehindIt) {
    // A uniform half-covered picture: the blur keeps it uniform, so the numbers are exact.
    QImage image = Filled(30, 30, 0x80808080u);
    GlowBitmap(image, 0xFFFFFFFFu, 0.9f, 9);
    // Glow alpha Trunc(255 * 0.9) = 229, times coverage 128 / 255 -> 114; cut out by
    // (255 - 128) / 255 -> 56.
    EXPECT_EQ(image.pixel(15, 15), 0x38383838u);
}

TEST(vgGlowBitmap, OpacityOneKeepsTheGlowColoursAlpha) {
    QImage image = Filled(10, 10, 0x01010101u);
    GlowBitmap(image, 0x80FF0000u, 1.0f, 1);
    // 0x80 * 1 / 255 rounds down to 0: a barely covered pixel gives no glow at all.
    EXPECT_EQ(image.pixel(5, 5), 0u);
    QImage full = Filled(10, 10, 0x00000000u);
    full.setPixel(5, 5, 0xFFFFFFFFu);
    GlowBitmap(full, 0x80FF0000u, 1.0f, 1);
    EXPECT_EQ(full.pixel(5, 5), 0u);
    // The neighbour: weight 1 of 4 across, then weight 2 of 4 down (0x80 -> 32 -> 16).
    EXPECT_EQ(qAlpha(full.pixel(4, 5)), 0x80 * 2 / 4 * 1 / 4);
}

TEST(vgReflectBitmap, MirrorsAndKeepsRoundedLengthOfRows) {
    // 66 rows, Length 0.5: Round(65 * 0.5) = Round(32.5) = 32 rows stay (halves go to even).
    QImage image(4, 66, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 66; ++y) image.setPixel(0, y, qPremultiply(qRgba(200, 100, 50, 255)));
    image.setPixel(1, 65, 0xFFFFFFFFu);  // the bottom row becomes the top one
    ReflectBitmap(image, 0.5f, 0.5f);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 127);  // Trunc(0.5 * 32 / 32 * 255)
    EXPECT_EQ(image.pixel(1, 0), 0x7F7F7F7Fu);
    EXPECT_EQ(qAlpha(image.pixel(0, 16)), static_cast<int>(0.5 * 16 / 32 * 255));
    EXPECT_GT(qAlpha(image.pixel(0, 31)), 0);
    for (int y = 32; y < 66; ++y) EXPECT_EQ(image.pixel(0, y), 0u) << y;
    EXPECT_EQ(qRed(image.pixel(0, 0)), 200 * 127 / 255);
}

TEST(vgReflectBitmap, RoundingOfTheVisibleRowsGoesToEven) {
    // 68 rows: Round(67 * 0.5) = Round(33.5) = 34.
    QImage image = Filled(2, 68, 0xFFFFFFFFu);
    ReflectBitmap(image, 0.5f, 1.0f);
    EXPECT_GT(qAlpha(image.pixel(0, 33)), 0);
    EXPECT_EQ(image.pixel(0, 34), 0u);
}

TEST(vgReflectBitmap, SemiTransparentPixelsStayValidPremultiplied) {
    QImage image = Filled(1, 11, 0x80808080u);  // white at half alpha
    ReflectBitmap(image, 1.0f, 1.0f);
    const QRgb top = image.pixel(0, 0);
    EXPECT_EQ(qAlpha(top), 128);
    EXPECT_EQ(qRed(top), 128);  // still white: colour not darkened a second time
    const QRgb mid = image.pixel(0, 5);
    EXPECT_EQ(qAlpha(mid), 64);
    EXPECT_EQ(qRed(mid), 64);
}

}  // namespace

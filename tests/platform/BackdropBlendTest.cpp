#include <gtest/gtest.h>

#include <QPainter>

#include "BackdropBlend.h"

namespace {

QImage Frame(int width, int height, QRgb premultiplied) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(premultiplied);
    return image;
}

// What QPainter's source-over gives for the same pixels: the reference the blend must match.
QRgb PainterOver(QRgb premultiplied, QRgb backdrop) {
    QImage under(1, 1, QImage::Format_ARGB32_Premultiplied);
    under.fill(backdrop | 0xFF000000u);
    QPainter painter(&under);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, Frame(1, 1, premultiplied));
    painter.end();
    return under.pixel(0, 0);
}

}  // namespace

TEST(BackdropBlend, MatchesSourceOverWithinRounding) {
    const QRgb backdrops[] = {0xFF000000u, 0xFFFFFFFFu, 0xFF3060A0u, 0xFFA0C060u};
    const QRgb pixels[] = {0x00000000u, 0x01000000u, 0x01010101u, 0x80402010u, 0x7F7F7F7Fu, 0xE6DC4C26u};
    for (QRgb under : backdrops)
        for (QRgb pixel : pixels) {
            QImage frame = Frame(1, 1, pixel);
            QImage backdrop(1, 1, QImage::Format_RGB32);
            backdrop.fill(under);
            BlendOverBackdrop(frame, QRegion(0, 0, 1, 1), backdrop, {}, 0);
            const QRgb got = frame.pixel(0, 0), want = PainterOver(pixel, under);
            EXPECT_EQ(qAlpha(got), 255);
            EXPECT_NEAR(qRed(got), qRed(want), 1) << std::hex << pixel << " over " << under;
            EXPECT_NEAR(qGreen(got), qGreen(want), 1) << std::hex << pixel << " over " << under;
            EXPECT_NEAR(qBlue(got), qBlue(want), 1) << std::hex << pixel << " over " << under;
        }
}

TEST(BackdropBlend, TouchesOnlyTheRegionAndLeavesOpaquePixels) {
    QImage frame = Frame(8, 4, 0x00000000u);
    frame.setPixel(3, 1, 0xFF112233u);
    QImage backdrop(8, 4, QImage::Format_RGB32);
    backdrop.fill(0xFF204060u);
    BlendOverBackdrop(frame, QRegion(2, 1, 3, 2), backdrop, {}, 0);
    EXPECT_EQ(frame.pixel(3, 1), 0xFF112233u);
    EXPECT_EQ(frame.pixel(2, 1), 0xFF204060u);  // transparent: the backdrop itself
    EXPECT_EQ(frame.pixel(4, 2), 0xFF204060u);
    EXPECT_EQ(frame.pixel(1, 1), 0x00000000u);
    EXPECT_EQ(frame.pixel(5, 2), 0x00000000u);
    EXPECT_EQ(frame.pixel(2, 3), 0x00000000u);
}

TEST(BackdropBlend, ReadsTheBackdropAtTheWindowsPlaceAndRepeatsIt) {
    // A 3 × 2 backdrop whose pixels are numbered; the window's (0, 0) lies over its (2, 1).
    QImage backdrop(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) backdrop.setPixel(x, y, 0xFF000000u | static_cast<QRgb>(10 * y + x));
    QImage frame = Frame(5, 3, 0x00000000u);
    BlendOverBackdrop(frame, QRegion(frame.rect()), backdrop, {2, 1}, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(frame.pixel(x, y), 0xFF000000u | static_cast<QRgb>(10 * ((y + 1) % 2) + (x + 2) % 3))
                << x << "," << y;
}

TEST(BackdropBlend, WithoutAPictureBlendsOverTheColour) {
    QImage frame = Frame(2, 2, 0x80000000u);  // black at half alpha
    BlendOverBackdrop(frame, QRegion(frame.rect()), QImage(), {}, qRgb(200, 100, 0));
    EXPECT_EQ(frame.pixel(1, 1), qRgb(100, 50, 0));
}

TEST(BackdropBlend, AWideSpanBlendsEveryPixelAsASinglePixelWould) {
    // Runs of transparent, opaque and mixed pixels of every length around the steps of four.
    const QRgb kinds[] = {0x00000000u, 0xFF112233u, 0x80402010u, 0x01000000u, 0xE6DC4C26u};
    QImage frame(23, 1, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < frame.width(); ++x) frame.setPixel(x, 0, kinds[(x * x / 3) % 5]);
    QImage picture(23, 1, QImage::Format_RGB32);
    for (int x = 0; x < picture.width(); ++x)
        picture.setPixel(x, 0, 0xFF000000u | static_cast<QRgb>(x * 0x0A0B0C));
    const QRgb colour = qRgb(200, 100, 30);
    QImage overPicture = frame.copy(), overColour = frame.copy();
    BlendOverBackdrop(overPicture, QRegion(frame.rect()), picture, {}, 0);
    BlendOverBackdrop(overColour, QRegion(frame.rect()), QImage(), {}, colour);
    for (int x = 0; x < frame.width(); ++x) {
        QImage one = frame.copy(x, 0, 1, 1), under = picture.copy(x, 0, 1, 1);
        BlendOverBackdrop(one, QRegion(0, 0, 1, 1), under, {}, 0);
        EXPECT_EQ(overPicture.pixel(x, 0), one.pixel(0, 0)) << x;
        one = frame.copy(x, 0, 1, 1);
        BlendOverBackdrop(one, QRegion(0, 0, 1, 1), QImage(), {}, colour);
        EXPECT_EQ(overColour.pixel(x, 0), one.pixel(0, 0)) << x;
    }
    EXPECT_EQ(overColour.pixel(0, 0), colour);  // transparent: the colour itself
}

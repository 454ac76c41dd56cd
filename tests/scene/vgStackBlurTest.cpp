#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdint>
#include <random>

#include "vgStackBlur.h"

namespace {

QImage RandomPremultiplied(int w, int h, unsigned seed) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t a = random() % 256;
            auto c = [&] { return a == 0 ? 0u : static_cast<std::uint32_t>(random() % (a + 1)); };
            image.setPixel(x, y, a << 24 | c() << 16 | c() << 8 | c());
        }
    return image;
}

// A direct convolution with the triangular kernel, edge pixels repeated: slow, obviously right.
QImage ReferenceBlur(const QImage& source, int r) {
    auto pass = [r](const QImage& in, bool horizontal) {
        QImage out(in.size(), in.format());
        const int w = in.width(), h = in.height();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                std::uint64_t sums[4] = {};
                for (int k = -r; k <= r; ++k) {
                    const int sx = horizontal ? std::clamp(x + k, 0, w - 1) : x;
                    const int sy = horizontal ? y : std::clamp(y + k, 0, h - 1);
                    const std::uint32_t p = in.pixel(sx, sy);
                    const int weight = r + 1 - std::abs(k);
                    for (int c = 0; c < 4; ++c)
                        sums[c] += ((p >> (8 * c)) & 0xFF) * static_cast<std::uint64_t>(weight);
                }
                const std::uint64_t div =
                    static_cast<std::uint64_t>(r + 1) * static_cast<std::uint64_t>(r + 1);
                std::uint32_t result = 0;
                for (int c = 0; c < 4; ++c) result |= static_cast<std::uint32_t>(sums[c] / div) << (8 * c);
                out.setPixel(x, y, result);
            }
        return out;
    };
    return pass(pass(source, true), false);
}

void ExpectSamePixels(const QImage& actual, const QImage& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    int mismatches = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && ++mismatches < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << std::hex << " got " << actual.pixel(x, y)
                              << " want " << expected.pixel(x, y);
    EXPECT_EQ(mismatches, 0);
}

TEST(vgStackBlur, MatchesTheDirectTriangularConvolution) {
    for (int radius : {1, 2, 5, 9, 15}) {
        const QImage source = RandomPremultiplied(37, 23, static_cast<unsigned>(radius));
        QImage blurred = source;
        StackBlur(blurred, radius);
        SCOPED_TRACE(radius);
        ExpectSamePixels(blurred, ReferenceBlur(source, radius));
    }
}

TEST(vgStackBlur, RadiusLargerThanTheImageRepeatsTheEdgePixels) {
    const QImage source = RandomPremultiplied(5, 3, 7);
    QImage blurred = source;
    StackBlur(blurred, 9);
    ExpectSamePixels(blurred, ReferenceBlur(source, 9));
    QImage line = RandomPremultiplied(1, 1, 3);
    const QImage single = line;
    StackBlur(line, 4);
    ExpectSamePixels(line, single);
}

TEST(vgStackBlur, VeryLargeRadiiStayExact) {
    // Past radius 255 the weighted sums no longer fit 24 bits and the division takes another way.
    const QImage source = RandomPremultiplied(23, 7, 11);
    for (int radius : {255, 256, 300}) {
        QImage blurred = source;
        StackBlur(blurred, radius);
        SCOPED_TRACE(radius);
        ExpectSamePixels(blurred, ReferenceBlur(source, radius));
    }
}

TEST(vgStackBlur, NonPositiveRadiusLeavesTheImageUnchanged) {
    const QImage source = RandomPremultiplied(8, 8, 1);
    for (int radius : {0, -3}) {
        QImage copy = source;
        StackBlur(copy, radius);
        ExpectSamePixels(copy, source);
    }
}

TEST(vgStackBlur, TruncatesSoAUniformImageStaysUniformAndASpotSpreads) {
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(0x80402010u);
    StackBlur(image, 6);
    EXPECT_EQ(image.pixel(0, 0), 0x80402010u);
    EXPECT_EQ(image.pixel(13, 7), 0x80402010u);

    QImage spot(21, 21, QImage::Format_ARGB32_Premultiplied);
    spot.fill(0u);
    spot.setPixel(10, 10, 0xFFFFFFFFu);
    StackBlur(spot, 2);
    // Centre weight 3 of 9 in each pass: 255 * 3 / 9 = 85, then 85 * 3 / 9 = 28.
    EXPECT_EQ(spot.pixel(10, 10), 0x1C1C1C1Cu);
    // Two away on both axes: 255 * 1 / 9 = 28, then 28 / 9 = 3.
    EXPECT_EQ(qAlpha(spot.pixel(12, 12)), 3);
    EXPECT_EQ(qAlpha(spot.pixel(13, 10)), 0);
}

}  // namespace

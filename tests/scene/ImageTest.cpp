#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "vgBounds.h"
#include "vgImage.h"

namespace {

class Images : public SceneFixture {
protected:
    TvgImage* Picture(float x, float y, float w, float h, int bw, int bh, QRgb color = 0xFFFF0000) {
        auto* image = Add<TvgImage>(Root, x, y, w, h);
        QImage pixels(bw, bh, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(color);
        image->Bitmap()->SetImage(pixels);
        return image;
    }
    // The rectangle of pixels with any alpha, within the scene.
    QRect Covered() {
        QRect covered;
        for (int y = 0; y < Frame().height(); ++y)
            for (int x = 0; x < Frame().width(); ++x)
                if (AlphaAt(x, y) > 0) covered |= QRect(x, y, 1, 1);
        return covered;
    }
};

TEST_F(Images, FitCentresASmallPictureAtItsOwnSize) {
    Picture(10, 10, 38, 38, 32, 32);
    Draw();
    EXPECT_EQ(Covered(), QRect(13, 13, 32, 32));
}

TEST_F(Images, FitShrinksALargePicture) {
    Picture(0, 0, 64, 64, 256, 128);
    Draw();
    EXPECT_EQ(Covered(), QRect(0, 16, 64, 32));
}

TEST_F(Images, StretchCoversTheWholeObject) {
    auto* image = Picture(5, 5, 50, 20, 4, 4);
    image->SetWrapMode(vgImageStretch);
    Draw();
    EXPECT_EQ(Covered(), QRect(5, 5, 50, 20));
}

TEST_F(Images, OriginalIsClippedToTheObject) {
    auto* image = Picture(5, 5, 10, 10, 30, 30);
    image->SetWrapMode(vgImageOriginal);
    Draw();
    EXPECT_EQ(Covered(), QRect(5, 5, 10, 10));
}

TEST_F(Images, TilesRepeatAndAreClipped) {
    auto* image = Picture(0, 0, 25, 25, 10, 10);
    QImage pixels(10, 10, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(Qt::transparent);
    pixels.setPixel(0, 0, 0xFF0000FF);
    image->Bitmap()->SetImage(pixels);
    image->SetWrapMode(vgImageTile);
    Draw();
    for (int x : {0, 10, 20})
        for (int y : {0, 10, 20}) EXPECT_EQ(PixelAt(x, y), 0xFF0000FFu) << x << "," << y;
    EXPECT_EQ(AlphaAt(5, 5), 0);
    EXPECT_EQ(Covered(), QRect(0, 0, 21, 21));
}

TEST_F(Images, NineSliceKeepsTheCorners) {
    auto* image = Add<TvgImage>(Root, 0, 0, 60, 40);
    QImage pixels(9, 9, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(0xFF00FF00);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            if ((x < 3 || x > 5) && (y < 3 || y > 5)) pixels.setPixel(x, y, 0xFFFF0000);  // red corners
    image->Bitmap()->SetImage(pixels);
    image->BitmapMargins()->SetRect({3, 3, 3, 3});
    image->SetDisableInterpolation(true);
    Draw();
    EXPECT_EQ(PixelAt(1, 1), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(58, 38), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(30, 1), 0xFF00FF00u);  // a stretched edge
    EXPECT_EQ(PixelAt(30, 20), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(4, 20), 0xFF00FF00u);
}

TEST_F(Images, EmptyBitmapDrawsNothingAndNewPicturesRepaint) {
    auto* image = Add<TvgImage>(Root, 0, 0, 20, 20);
    int loaded = 0;
    image->SetOnBitmapLoaded([&](TvgObject*) { ++loaded; });
    Draw();
    EXPECT_EQ(Covered(), QRect());
    QImage pixels(20, 20, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(0xFFFF0000);
    image->Bitmap()->SetImage(pixels);
    EXPECT_EQ(loaded, 1);
    Draw();
    EXPECT_EQ(Covered(), QRect(0, 0, 20, 20));
}

}  // namespace

#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "vgBounds.h"
#include "vgImage.h"
#include "vgQtCanvas.h"

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

// A tile with a different colour in every pixel, so that a tile drawn in the wrong place, or one
// left out, shows in the frame.
QImage PatternTile(int w, int h) {
    QImage pixels(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.setPixel(x, y, qRgba(x * 20, y * 20, 128, 255));
    return pixels;
}

// A row of tiles, at a place between whole pixels, repainted in small parts the way a hover
// repaints a dock row: every part repainted shows what a full paint shows.
TEST_F(Images, TilesRepaintedInPartsMatchAFullPaint) {
    auto* image = Add<TvgImage>(Root, 3.5f, 20.25f, 90, 12);
    image->Bitmap()->SetImage(PatternTile(7, 5));
    image->SetWrapMode(vgImageTile);
    Draw();
    const QImage full = Frame().copy();
    ASSERT_GT(qAlpha(full.pixel(50, 25)), 0);
    for (const TvgRect& part : {TvgRect{0, 0, 100, 100}, TvgRect{40.5f, 18, 52, 40}, TvgRect{4, 21, 5, 22},
                                TvgRect{86, 30, 99, 33}, TvgRect{10.75f, 25.5f, 11.25f, 26}}) {
        Scene->AddUpdateRect(part);
        Draw();
        EXPECT_EQ(Frame(), full) << part.Left << "," << part.Top;
    }
}

// Draws tiles one by one, as a canvas that cannot fill them in one go does, and counts the
// pictures handed to the painter.
class CountingCanvas : public TvgQtCanvas {
public:
    bool FillTiled(const TvgBitmap&, const QRectF&, float) override { return false; }
    void DrawBitmap(const TvgBitmap& bitmap, const QRectF& source, const QRectF& dest, float opacity,
                    bool highSpeed) override {
        ++Drawn;
        TvgQtCanvas::DrawBitmap(bitmap, source, dest, opacity, highSpeed);
    }
    int Drawn = 0;
};

TEST_F(Images, TilesOutsideTheClipAreNotDrawn) {
    auto* image = Add<TvgImage>(Root, 0, 0, 100, 10);
    image->Bitmap()->SetImage(PatternTile(10, 10));
    image->SetWrapMode(vgImageTile);
    QImage buffer(100, 10, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(0);
    CountingCanvas canvas;
    canvas.AttachBuffer(&buffer);
    ASSERT_TRUE(canvas.BeginScene());
    image->Paint(canvas);
    const int whole = canvas.Drawn;
    // Every tile, and the one past the end the row is rounded up to.
    EXPECT_EQ(whole, 11 * 2);
    canvas.Drawn = 0;
    canvas.SetClipRects({QRectF(42, 0, 5, 10)});
    image->Paint(canvas);
    // The tile under the clip and the one below it, past the row's end, whose edge lies within
    // the pixel kept around the clip.
    EXPECT_EQ(canvas.Drawn, 2);
    canvas.EndScene();
    EXPECT_EQ(buffer.pixel(43, 2), PatternTile(10, 10).pixel(3, 2));
}

// A frame to paint over: opaque, translucent and empty pixels.
QImage Backdrop() {
    QImage pixels(100, 40, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixel(x, y,
                            x % 3 == 0   ? 0u
                            : x % 3 == 1 ? qPremultiply(qRgba(200, 10, y * 5, 90))
                                         : 0xFF336699u);
    return pixels;
}

// Painted as one fill where the tiles land on whole pixels, the row gives the very pixels that
// drawing every tile gives: over any backdrop, for tiles with translucent pixels, in either
// format, under a clip of several parts.
TEST_F(Images, ATiledFillGivesThePixelsOfEveryTileDrawn) {
    QImage translucent = PatternTile(7, 5);
    for (int x = 0; x < 7; ++x) translucent.setPixel(x, 2, qRgba(x * 30, 40, 200, x * 36));
    struct TCase {
        QImage Tile;
        QPointF At;
        QSizeF Size;
    };
    const TCase cases[] = {
        {translucent, {3, 4}, {90, 12}},
        {translucent.convertToFormat(QImage::Format_ARGB32_Premultiplied), {0, 0}, {100, 40}},
        {PatternTile(10, 10), {-5, 7}, {64, 23}},
        {translucent, {2, 3}, {1, 1}},
    };
    for (const TCase& c : cases) {
        auto* image = Add<TvgImage>(Root, 0, 0, static_cast<float>(c.Size.width()),
                                    static_cast<float>(c.Size.height()));
        image->Bitmap()->SetImage(c.Tile);
        image->SetWrapMode(vgImageTile);
        const auto paint = [&](TvgQtCanvas& canvas) {
            QImage buffer = Backdrop();
            canvas.AttachBuffer(&buffer);
            EXPECT_TRUE(canvas.BeginScene());
            canvas.SetClipRects({QRectF(0, 0, 30, 40), QRectF(41.5, 6, 20, 9.25)});
            canvas.SetMatrix(QTransform::fromTranslate(c.At.x(), c.At.y()));
            image->Paint(canvas);
            canvas.EndScene();
            canvas.AttachBuffer(nullptr);
            return buffer;
        };
        TvgQtCanvas filling;
        CountingCanvas tileByTile;
        const QImage filled = paint(filling);
        EXPECT_EQ(filled, paint(tileByTile)) << c.At.x() << "," << c.At.y();
        EXPECT_NE(filled, Backdrop());
        delete image;
    }
}

TEST_F(Images, ATiledFillIsLeftToTheTilesOffWholePixels) {
    QImage buffer(20, 20, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(0);
    TvgBitmap bitmap;
    bitmap.SetImage(PatternTile(4, 4));
    TvgQtCanvas canvas;
    canvas.AttachBuffer(&buffer);
    ASSERT_TRUE(canvas.BeginScene());
    EXPECT_TRUE(canvas.FillTiled(bitmap, QRectF(0, 0, 10, 10), 1));
    EXPECT_FALSE(canvas.FillTiled(bitmap, QRectF(0, 0, 10, 10), 0.5f));
    EXPECT_FALSE(canvas.FillTiled(bitmap, QRectF(0, 0, 10.5, 10), 1));
    canvas.SetMatrix(QTransform::fromTranslate(0.5, 0));
    EXPECT_FALSE(canvas.FillTiled(bitmap, QRectF(0, 0, 10, 10), 1));
    canvas.SetMatrix(QTransform::fromScale(2, 2));
    EXPECT_FALSE(canvas.FillTiled(bitmap, QRectF(0, 0, 10, 10), 1));
    canvas.EndScene();
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

#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "vgImage.h"
#include "vgLayout.h"
#include "vgOpaqueArea.h"

namespace {

// An image that counts how often a pass paints it.
class TvgCountingImage : public TvgImage {
public:
    void Paint(TvgCanvas& Canvas) override {
        ++Paints;
        TvgImage::Paint(Canvas);
    }
    int Paints = 0;
};

QImage Filled(int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

class HiddenChildren : public SceneFixture {
protected:
    // A stretched picture of its own size in one colour, so that its opaque part is its whole
    // picture less two pixels on every side.
    TvgCountingImage* Paper(TvgObject* parent, float x, float y, float w, float h, QRgb color) {
        auto* image = Add<TvgCountingImage>(parent, x, y, w, h);
        image->SetWrapMode(vgImageStretch);
        image->Bitmap()->SetImage(Filled(static_cast<int>(w), static_cast<int>(h), color));
        return image;
    }
    void Redraw() {
        Root->Repaint();
        Draw();
    }
};

}  // namespace

TEST(OpaqueCore, IsTheLargestRectangleOfFullyOpaquePixels) {
    QImage image = Filled(12, 10, 0);
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < 11; ++x) image.setPixel(x, y, 0xFF336699);
    for (int y = 6; y < 9; ++y)
        for (int x = 8; x < 11; ++x) image.setPixel(x, y, 0);  // a corner cut off
    // 7 × 8 beside the cut beats 10 × 5 above it.
    EXPECT_EQ(vgOpaqueCore(image), QRect(1, 1, 7, 8));

    // Nearly opaque is not opaque: the row above the cut ends one column earlier.
    QImage faint = image.copy();
    faint.setPixel(3, 4, qPremultiply(qRgba(0x33, 0x66, 0x99, 254)));
    EXPECT_EQ(vgOpaqueCore(faint), QRect(4, 1, 7, 5));
    EXPECT_EQ(vgOpaqueCore(image), QRect(1, 1, 7, 8));  // the first picture keeps its own

    EXPECT_EQ(vgOpaqueCore(Filled(5, 4, 0x80000000)), QRect());
    QImage opaque(6, 3, QImage::Format_RGB32);
    opaque.fill(0xFF102030);
    EXPECT_EQ(vgOpaqueCore(opaque), QRect(0, 0, 6, 3));
    EXPECT_EQ(vgOpaqueCore(QImage()), QRect());
}

TEST(Coverage, MarksOnlyWholeCellsAndCoversWhatTouchesNothingElse) {
    TvgCoverage coverage({0, 0, 95, 50}, 10);
    EXPECT_FALSE(coverage.Covers({10, 10, 20, 20}));
    coverage.Add({5, 5, 47, 33});  // cells 1 … 3 across, 1 … 2 down
    EXPECT_TRUE(coverage.Covers({10, 10, 40, 30}));
    EXPECT_TRUE(coverage.Covers({12.5f, 11, 39, 29.5f}));
    EXPECT_FALSE(coverage.Covers({10, 10, 40.5f, 30}));
    EXPECT_FALSE(coverage.Covers({9.5f, 10, 40, 30}));
    EXPECT_FALSE(coverage.Covers({10, 10, 40, 31}));

    // The last column is cut by the area's edge; a rectangle reaching the edge marks it.
    coverage.Add({90, 0, 100, 50});
    EXPECT_TRUE(coverage.Covers({91, 0, 120, 50}));
    EXPECT_FALSE(coverage.Covers({89, 0, 95, 10}));
    // Outside the area nothing is painted, so nothing there needs covering.
    EXPECT_TRUE(coverage.Covers({200, 200, 210, 210}));
}

TEST_F(HiddenChildren, AChildWhollyUnderAnOpaquePictureIsNotPainted) {
    TvgCountingImage* lower = Paper(Root, 10, 10, 30, 30, 0xFFFF0000);
    TvgCountingImage* upper = Paper(Root, 5, 5, 50, 50, 0xFF0000FF);
    Draw();
    EXPECT_EQ(lower->Paints, 0);
    EXPECT_EQ(upper->Paints, 1);
    EXPECT_EQ(PixelAt(20, 20), 0xFF0000FF);
    EXPECT_EQ(PixelAt(6, 6), 0xFF0000FF);
    EXPECT_EQ(AlphaAt(60, 60), 0);

    // Once it peeks out, it is painted, and shows where it is not covered.
    lower->SetBounds(30, 30, 30, 30);
    Draw();
    EXPECT_EQ(lower->Paints, 1);
    EXPECT_EQ(PixelAt(57, 57), 0xFFFF0000);
    EXPECT_EQ(PixelAt(50, 50), 0xFF0000FF);
}

TEST_F(HiddenChildren, OnlyAnUprightPictureAtFullOpacityHidesWhatIsBeneath) {
    TvgCountingImage* lower = Paper(Root, 10, 10, 30, 30, 0xFFFF0000);
    TvgCountingImage* upper = Paper(Root, 5, 5, 50, 50, 0xFF0000FF);
    upper->SetOpacity(0.5f);
    Draw();
    EXPECT_EQ(lower->Paints, 1);
    EXPECT_NE(PixelAt(20, 20), 0xFF0000FF);  // red shows through

    upper->SetOpacity(1);
    upper->SetRotateAngle(10);
    Redraw();
    EXPECT_EQ(lower->Paints, 2);

    upper->SetRotateAngle(0);
    upper->SetWrapMode(vgImageTile);
    Redraw();
    EXPECT_EQ(lower->Paints, 3);

    upper->SetWrapMode(vgImageStretch);
    Redraw();
    EXPECT_EQ(lower->Paints, 3);
}

TEST_F(HiddenChildren, APictureInsideAClippingParentHidesOnlyWhatTheClipLeaves) {
    TvgCountingImage* lower = Paper(Root, 10, 10, 10, 10, 0xFFFF0000);
    auto* frame = Add<TvgLayout>(Root, 5, 5, 20, 20);
    frame->SetClipChildren(true);
    Paper(frame, -5, -5, 50, 50, 0xFF0000FF);
    Draw();
    EXPECT_EQ(lower->Paints, 0);  // within the clip, under the opaque part

    lower->SetBounds(20, 20, 10, 10);  // reaches beyond the clip
    Draw();
    EXPECT_EQ(lower->Paints, 1);
    EXPECT_EQ(PixelAt(27, 27), 0xFFFF0000);
    EXPECT_EQ(PixelAt(22, 22), 0xFF0000FF);
}

TEST_F(HiddenChildren, AChildOfAHiddenOneIsNotPaintedAndAParentOfAPictureHidesToo) {
    // The opaque picture is one level down, inside a plain layout: the layout hides what is beneath.
    TvgCountingImage* lower = Paper(Root, 10, 10, 30, 30, 0xFFFF0000);
    TvgCountingImage* inLower = Paper(lower, 2, 2, 5, 5, 0xFF00FF00);
    auto* holder = Add<TvgLayout>(Root, 5, 5, 50, 50);
    Paper(holder, 0, 0, 50, 50, 0xFF0000FF);
    Draw();
    EXPECT_EQ(lower->Paints, 0);
    EXPECT_EQ(inLower->Paints, 0);
    EXPECT_EQ(PixelAt(13, 13), 0xFF0000FF);

    holder->SetVisible(false);
    Draw();
    EXPECT_EQ(lower->Paints, 1);
    EXPECT_EQ(inLower->Paints, 1);
    EXPECT_EQ(PixelAt(13, 13), 0xFF00FF00);
}

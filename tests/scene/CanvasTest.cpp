#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

#include "BackdropBlend.h"
#include "vgLaidOutTexts.h"
#include "vgQtCanvas.h"

namespace {

int Alpha(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y));
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        Canvas.ResizeBuffer(20, 20);
        ASSERT_TRUE(Canvas.BeginScene());
    }
    const QImage& Image() {
        Canvas.EndScene();
        return *Canvas.Buffer();
    }
    TvgQtCanvas Canvas;
};

TEST(CanvasBuffer, SizeIsAtLeastOnePixelAndPremultiplied) {
    TvgQtCanvas canvas;
    canvas.ResizeBuffer(0, -5);
    EXPECT_EQ(canvas.Width(), 1);
    EXPECT_EQ(canvas.Height(), 1);
    EXPECT_EQ(canvas.Buffer()->format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(Alpha(*canvas.Buffer(), 0, 0), 0);
}

TEST(CanvasBuffer, FlushRectRoundsOutwardWithinTheBuffer) {
    TvgQtCanvas canvas;
    canvas.ResizeBuffer(50, 40);
    EXPECT_EQ(canvas.FlushBufferRect(QRectF(QPointF(2.5, 3.2), QPointF(10.1, 12.0))),
              QRect(QPoint(2, 3), QPoint(10, 12)));
    EXPECT_EQ(canvas.FlushBufferRect(QRectF(-5, -5, 100, 100)), QRect(0, 0, 50, 40));
}

TEST(CanvasBuffer, PaintsIntoAnAttachedBufferAndRefusesNone) {
    TvgQtCanvas canvas;
    EXPECT_FALSE(canvas.BeginScene());
    QImage frame(8, 4, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::transparent);
    canvas.AttachBuffer(&frame);
    EXPECT_EQ(canvas.Width(), 8);
    ASSERT_TRUE(canvas.BeginScene());
    EXPECT_FALSE(canvas.BeginScene());  // one pass at a time
    canvas.Clear(0xFF00FF00);
    canvas.EndScene();
    EXPECT_EQ(frame.pixel(7, 3), 0xFF00FF00u);
}

TEST_F(CanvasTest, ClearRectRoundsOutwardAndDoesNotBlend) {
    Canvas.Clear(0xFFFF0000);
    Canvas.SetMatrix(QTransform::fromScale(3, 3));  // ignored by ClearRect
    Canvas.ClearRect(QRectF(2.5, 2.2, 2.0, 1.0), 0x80000000);
    Canvas.ClearRect(QRectF(18.5, 18.5, 10, 10), 0);  // reaches past the buffer
    const QImage& image = Image();
    EXPECT_EQ(image.pixel(2, 2), qPremultiply(0x80000000u));
    EXPECT_EQ(image.pixel(4, 3), qPremultiply(0x80000000u));
    EXPECT_EQ(image.pixel(5, 3), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(2, 4), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(1, 2), 0xFFFF0000u);
    EXPECT_EQ(Alpha(image, 18, 18), 0);
    EXPECT_EQ(Alpha(image, 19, 19), 0);
    EXPECT_EQ(Alpha(image, 17, 18), 255);
}

TEST_F(CanvasTest, StrokeInsetByHalfAPixelCoversExactlyTheEdgePixels) {
    Canvas.Stroke().SetSolidColor(0xFF000000);
    Canvas.DrawRect(QRectF(QPointF(0.5, 0.5), QPointF(19.5, 19.5)), 0, 0, AllCorners, 1);
    const QImage& image = Image();
    EXPECT_EQ(Alpha(image, 0, 10), 255);
    EXPECT_EQ(Alpha(image, 19, 10), 255);
    EXPECT_EQ(Alpha(image, 10, 0), 255);
    EXPECT_EQ(Alpha(image, 10, 19), 255);
    EXPECT_EQ(Alpha(image, 1, 10), 0);
    EXPECT_EQ(Alpha(image, 10, 18), 0);
}

TEST_F(CanvasTest, SolidFillTakesTheOpacityIntoItsAlpha) {
    Canvas.Fill().SetSolidColor(0xFFFFFFFF);
    Canvas.FillRect(QRectF(0, 0, 10, 10), 0, 0, AllCorners, 0.5f);
    Canvas.Fill().SetStyle(vgBrushNone);
    Canvas.FillRect(QRectF(10, 0, 10, 10), 0, 0, AllCorners, 1);
    const QImage& image = Image();
    EXPECT_EQ(Alpha(image, 5, 5), 127);
    EXPECT_EQ(Alpha(image, 15, 5), 0);
}

TEST_F(CanvasTest, RoundedCornersOnlyWhereAsked) {
    Canvas.Fill().SetSolidColor(0xFF0000FF);
    Canvas.FillRect(QRectF(0, 0, 20, 20), 8, 8, vgCornerTopLeft | vgCornerBottomLeft, 1);
    const QImage& image = Image();
    EXPECT_EQ(Alpha(image, 0, 0), 0);  // rounded away
    EXPECT_EQ(Alpha(image, 0, 19), 0);
    EXPECT_EQ(Alpha(image, 19, 0), 255);  // square
    EXPECT_EQ(Alpha(image, 19, 19), 255);
    EXPECT_EQ(Alpha(image, 10, 10), 255);
}

TEST_F(CanvasTest, MissingSidesAreNotStroked) {
    Canvas.Stroke().SetSolidColor(0xFF000000);
    Canvas.DrawRectSides(QRectF(QPointF(0.5, 0.5), QPointF(19.5, 19.5)), 0, 0, AllCorners, 1,
                         vgSideTop | vgSideBottom);
    const QImage& image = Image();
    EXPECT_EQ(Alpha(image, 10, 0), 255);
    EXPECT_EQ(Alpha(image, 10, 19), 255);
    EXPECT_EQ(Alpha(image, 0, 10), 0);
    EXPECT_EQ(Alpha(image, 19, 10), 0);
}

TEST_F(CanvasTest, SaveAndRestoreBringBackMatrixAndClip) {
    Canvas.Fill().SetSolidColor(0xFFFFFFFF);
    const int state = Canvas.SaveCanvas();
    Canvas.SetMatrix(QTransform::fromTranslate(10, 0));
    Canvas.IntersectClipRect(QRectF(0, 0, 5, 5));
    Canvas.FillRect(QRectF(0, 0, 10, 10), 0, 0, AllCorners, 1);  // only (10..15, 0..5) shows
    Canvas.RestoreCanvas(state);
    EXPECT_EQ(Canvas.Matrix(), QTransform());
    Canvas.FillRect(QRectF(0, 10, 5, 5), 0, 0, AllCorners, 1);  // unclipped, untranslated
    const QImage& image = Image();
    EXPECT_EQ(Alpha(image, 12, 2), 255);
    EXPECT_EQ(Alpha(image, 16, 2), 0);
    EXPECT_EQ(Alpha(image, 12, 7), 0);
    EXPECT_EQ(Alpha(image, 2, 2), 0);
    EXPECT_EQ(Alpha(image, 2, 12), 255);
}

TEST_F(CanvasTest, ClipRectsLimitPaintingAndExcludeCutsHoles) {
    Canvas.Fill().SetSolidColor(0xFFFFFFFF);
    Canvas.SetClipRects({QRectF(0, 0, 5, 5), QRectF(10, 10, 5.5, 5)});
    Canvas.ExcludeClipRect(QRectF(2, 2, 1, 1));
    Canvas.FillRect(QRectF(0, 0, 20, 20), 0, 0, AllCorners, 1);
    const QImage& image = Image();
    EXPECT_EQ(Alpha(image, 1, 1), 255);
    EXPECT_EQ(Alpha(image, 2, 2), 0);
    EXPECT_EQ(Alpha(image, 15, 12), 255);  // the half pixel is rounded outward
    EXPECT_EQ(Alpha(image, 16, 12), 0);
    EXPECT_EQ(Alpha(image, 7, 7), 0);
}

TEST_F(CanvasTest, LinearGradientAddsEndStopsAndMirrorsBeyondItsEnds) {
    Canvas.ResizeBuffer(1, 100);
    ASSERT_TRUE(Canvas.BeginScene());
    TvgBrush& fill = Canvas.Fill();
    fill.SetStyle(vgBrushGradient);
    fill.Gradient()->SetPointsText("#FFFF0000 0.2, #FF0000FF 0.8");
    fill.Gradient()->SetStopPosition(QPointF(0, 0.5));
    Canvas.FillRect(QRectF(0, 0, 1, 100), 0, 0, AllCorners, 1);
    const QImage& image = Image();
    EXPECT_EQ(image.pixel(0, 2), 0xFFFF0000u);   // before the first point: its colour
    EXPECT_EQ(image.pixel(0, 47), 0xFF0000FFu);  // after the last point: its colour
    EXPECT_EQ(image.pixel(0, 52), 0xFF0000FFu);  // mirrored back beyond the stop position
    EXPECT_EQ(image.pixel(0, 97), 0xFFFF0000u);
}

TEST_F(CanvasTest, RadialGradientFillsTheInscribedEllipseAndPadsBeyond) {
    TvgBrush& fill = Canvas.Fill();
    fill.SetStyle(vgBrushGradient);
    fill.Gradient()->SetStyle(vgRadialGradient);
    fill.Gradient()->SetPointsText("#FFFF0000 0, #FF0000FF 1");
    Canvas.FillRect(QRectF(0, 0, 20, 10), 0, 0, AllCorners, 1);
    const QImage& image = Image();
    EXPECT_GT(qRed(image.pixel(10, 5)), 200);   // the centre: the first colour
    EXPECT_EQ(image.pixel(0, 0), 0xFF0000FFu);  // outside the ellipse: the last colour
    EXPECT_EQ(image.pixel(19, 9), 0xFF0000FFu);
    EXPECT_GT(qBlue(image.pixel(18, 5)), 200);  // the ellipse reaches the sides of the rectangle
    EXPECT_GT(qRed(image.pixel(14, 5)), qRed(image.pixel(16, 5)));
}

TEST_F(CanvasTest, GradientWithOnePointPaintsSolid) {
    Canvas.Fill().SetStyle(vgBrushGradient);
    Canvas.Fill().SetSolidColor(0xFF00FF00);
    Canvas.Fill().Gradient()->SetPointsText("#FFFF0000 0");
    Canvas.FillRect(QRectF(0, 0, 20, 20), 0, 0, AllCorners, 1);
    EXPECT_EQ(Image().pixel(10, 10), 0xFF00FF00u);
}

TEST_F(CanvasTest, BitmapBrushStretchesOrTiles) {
    TvgBitmap source(2, 1);
    source.Image().setPixel(0, 0, 0xFFFF0000);
    source.Image().setPixel(1, 0, 0xFF0000FF);
    TvgBrush& fill = Canvas.Fill();
    fill.SetStyle(vgBrushBitmap);
    fill.Bitmap()->Bitmap()->Assign(source);
    fill.Bitmap()->SetWrapMode(vgWrapTileStretch);
    Canvas.FillRect(QRectF(0, 0, 20, 10), 0, 0, AllCorners, 1);
    fill.Bitmap()->SetWrapMode(vgWrapTile);
    Canvas.FillRect(QRectF(0, 10, 20, 10), 0, 0, AllCorners, 1);
    const QImage& image = Image();
    EXPECT_EQ(image.pixel(2, 5), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(17, 5), 0xFF0000FFu);
    EXPECT_EQ(image.pixel(2, 15), 0xFFFF0000u);
    EXPECT_EQ(image.pixel(3, 15), 0xFF0000FFu);
}

TEST_F(CanvasTest, DrawBitmapScalesWithOpacity) {
    TvgBitmap source(1, 1);
    source.Clear(0xFFFFFFFF);
    Canvas.DrawBitmap(source, QRectF(0, 0, 1, 1), QRectF(0, 0, 10, 10), 0.5f, true);
    const QImage& image = Image();
    EXPECT_NEAR(Alpha(image, 5, 5), 128, 1);
    EXPECT_EQ(Alpha(image, 12, 5), 0);
}

TEST_F(CanvasTest, OpaqueTextIsDrawnAtNinetyNinePercent) {
    Canvas.Fill().SetSolidColor(0xFF000000);
    Canvas.Font().SetSize(16);
    Canvas.FillText(QRectF(0, 0, 20, 20), QRectF(0, 0, 20, 20), "W", false, 1, vgTextAlignCenter,
                    vgTextAlignCenter);
    const QImage& image = Image();
    int highest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) highest = std::max(highest, Alpha(image, x, y));
    EXPECT_EQ(highest, 252);  // Trunc(0.99 × 255)
}

TEST_F(CanvasTest, TextIsClippedToItsClipRectangle) {
    Canvas.Fill().SetSolidColor(0xFF000000);
    Canvas.Font().SetSize(16);
    Canvas.FillText(QRectF(0, 0, 20, 20), QRectF(0, 0, 10, 20), "WW", false, 1, vgTextAlignCenter,
                    vgTextAlignCenter);
    const QImage& image = Image();
    bool left = false, right = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) (x < 10 ? left : right) |= Alpha(image, x, y) > 0;
    EXPECT_TRUE(left);
    EXPECT_FALSE(right);
}

TEST(CanvasText, SizesArePixels) {
    TvgQtCanvas canvas;
    canvas.Font().SetSize(20);
    EXPECT_DOUBLE_EQ(canvas.Font().ToQFont().pointSizeF(), 15.0);
    const float small = canvas.TextHeight("Mg");
    canvas.Font().SetSize(40);
    const float large = canvas.TextHeight("Mg");
    EXPECT_GE(small, 20.0f);
    EXPECT_LT(small, 32.0f);
    EXPECT_NEAR(large / small, 2.0f, 0.25f);
}

TEST(CanvasText, MeasureWrapsOnlyWhenAsked) {
    TvgQtCanvas canvas;
    canvas.Font().SetSize(12);
    const QString text = "one two three four five six";
    const QRectF oneLine =
        canvas.MeasureText(QRectF(0, 0, 60, 1000), text, false, vgTextAlignNear, vgTextAlignNear);
    const QRectF wrapped =
        canvas.MeasureText(QRectF(0, 0, 60, 1000), text, true, vgTextAlignNear, vgTextAlignNear);
    EXPECT_GT(oneLine.width(), 60);
    EXPECT_LE(wrapped.width(), 60);
    EXPECT_GT(wrapped.height(), 2 * oneLine.height());
}

TEST(CanvasText, FontTakesAFrameworkFontsFamilySizeAndStyle) {
    TvgFont font;
    int changes = 0;
    font.SetOnChanged([&] { ++changes; });
    QFont chosen("DejaVu Sans");
    chosen.setPointSizeF(9);
    chosen.setBold(true);
    chosen.setItalic(true);
    font.Assign(chosen);
    EXPECT_EQ(font.Family(), "DejaVu Sans");
    EXPECT_FLOAT_EQ(font.Size(), 12.0f);
    EXPECT_EQ(font.Style(), vgFontBoldItalic);
    EXPECT_EQ(changes, 1);
    font.SetSize(12);  // unchanged: no notice
    EXPECT_EQ(changes, 1);
}

// The mean column of the ink in a band of rows of a picture.
double InkColumn(const QImage& image, int firstRow, int lastRow) {
    double sum = 0;
    int count = 0;
    for (int y = firstRow; y <= lastRow; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                sum += x;
                ++count;
            }
    return count ? sum / count : -1;
}

// How far the top of an upright stroke leans right of its bottom, in pixels.
double Lean(const QFont& font) {
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 120, 120), Qt::AlignCenter, QStringLiteral("l"));
    painter.end();
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        if (InkColumn(image, y, y) >= 0) {
            if (top < 0) top = y;
            bottom = y;
        }
    if (top < 0) return 0;
    const int band = std::max(1, (bottom - top) / 4);
    return InkColumn(image, top, top + band) - InkColumn(image, bottom - band, bottom);
}

// Italic and bold italic are drawn slanted and heavy even where the family has no such face (the
// CJK serif face has no italic at all, DejaVu Sans core no oblique): a synthesised face stands in.
TEST(CanvasText, ItalicShowsEvenWhereTheFamilyHasNoItalicFace) {
    for (const char* family : {"宋体", "DejaVu Sans"}) {
        SCOPED_TRACE(family);
        TvgFont font;
        font.SetFamily(QString::fromUtf8(family));
        font.SetSize(80);
        const double upright = Lean(font.ToQFont());
        font.SetStyle(vgFontItalic);
        EXPECT_TRUE(font.ToQFont().italic());
        EXPECT_FALSE(font.ToQFont().bold());
        EXPECT_GT(Lean(font.ToQFont()) - upright, 4.0);
        font.SetStyle(vgFontBoldItalic);
        EXPECT_TRUE(font.ToQFont().italic());
        EXPECT_TRUE(font.ToQFont().bold());
        EXPECT_GT(Lean(font.ToQFont()) - upright, 4.0);
    }
    TvgFont font;
    font.SetStyle(vgFontBold);
    EXPECT_TRUE(font.ToQFont().bold());
    EXPECT_FALSE(font.ToQFont().italic());
    font.SetStyle(vgFontUnderline);
    EXPECT_TRUE(font.ToQFont().underline());
    EXPECT_FALSE(font.ToQFont().italic());
}

}  // namespace

namespace {

struct TTextDraw {
    QString Text;
    float FontSize;
    QString Family;
    QSizeF Box;
    bool WordWrap;
};

QImage DrawTextOn(TvgQtCanvas& canvas, const TTextDraw& draw) {
    canvas.ResizeBuffer(160, 60);
    EXPECT_TRUE(canvas.BeginScene());
    canvas.Clear(0);
    canvas.Fill().SetSolidColor(0xFF000000);
    canvas.Font().SetFamily(draw.Family);
    canvas.Font().SetSize(draw.FontSize);
    const QRectF box(QPointF(2, 2), draw.Box);
    canvas.FillText(box, box, draw.Text, draw.WordWrap, 1, vgTextAlignCenter, vgTextAlignCenter);
    canvas.EndScene();
    return canvas.Buffer()->copy();
}

}  // namespace

// A canvas keeps the texts it fitted; a text, font, size, box or wrap changed after a draw is drawn
// as a canvas that never drew the first one draws it, and the first one again as it was.
TEST(CanvasText, AChangeAfterACachedDrawDrawsTheNewText) {
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const TTextDraw first{QStringLiteral("这是一个非常长的按钮名称用于测试截断"), 12, sans, QSizeF(80, 20),
                          false};
    const std::vector<TTextDraw> changes = {
        {QStringLiteral("那是一个非常长的按钮名称用于测试截断"), 12, sans, QSizeF(80, 20), false},
        {QStringLiteral("记事本"), 12, sans, QSizeF(80, 20), false},
        {first.Text, 16, sans, QSizeF(80, 20), false},
        {first.Text, 12, QStringLiteral("DejaVu Serif"), QSizeF(80, 20), false},
        {first.Text, 12, sans, QSizeF(120, 20), false},
        {first.Text, 12, sans, QSizeF(80, 50), true},
    };
    TvgQtCanvas warm;
    const QImage firstDrawn = DrawTextOn(warm, first);
    for (const TTextDraw& change : changes) {
        SCOPED_TRACE(change.Text.toStdString() + " " + std::to_string(change.FontSize));
        ASSERT_EQ(DrawTextOn(warm, first), firstDrawn);
        TvgQtCanvas fresh;
        const QImage expected = DrawTextOn(fresh, change);
        EXPECT_NE(expected, firstDrawn);
        EXPECT_EQ(DrawTextOn(warm, change), expected);
    }
    EXPECT_EQ(DrawTextOn(warm, first), firstDrawn);
}

TEST(FittedTexts, KeepsAtMostItsCapacityAndAnswersAsTheFitDoes) {
    TvgFittedTexts fitted(4);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    const QString name = QStringLiteral("这是一个非常长的按钮名称用于测试截断");
    for (int width = 20; width <= 200; width += 10) {
        const QSizeF box(width, 20);
        EXPECT_EQ(fitted.Fitted(font, name, box, false), vgFitTextToBox(font, name, box, false));
        EXPECT_EQ(fitted.Fitted(font, name, box, false), vgFitTextToBox(font, name, box, false));
        EXPECT_LE(fitted.Count(), 4);
    }
    EXPECT_EQ(fitted.Count(), 4);
}

// A kept layout draws the same pixels as QPainter::drawText, for every alignment, wrapped or not,
// with lines that fit, overflow or are broken by hand, and again from the cache.
TEST(LaidOutTexts, DrawWhatDrawTextDraws) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(13);
    const QStringList texts = {QStringLiteral("记事本"),
                               QStringLiteral("Marovia dock"),
                               QStringLiteral("这是一个非常长的按钮名称用于测试截断"),
                               QStringLiteral("one two three four five six seven"),
                               QStringLiteral("first line\nsecond 第二行"),
                               QStringLiteral("Wg  ")};
    const std::vector<QRectF> boxes = {QRectF(3.5, 2, 70, 20), QRectF(1, 1, 118, 58), QRectF(0, 0, 40, 12),
                                       QRectF(2.25, 1.5, 61, 33.5)};
    const int aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const int vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    const int wraps[] = {Qt::TextSingleLine, Qt::TextWordWrap, 0};
    TvgLaidOutTexts kept;
    int compared = 0, laidOut = 0;
    for (const QString& text : texts)
        for (const QRectF& box : boxes)
            for (const int horz : aligns)
                for (const int vert : vertical)
                    for (const int wrap : wraps) {
                        const int flags = horz | vert | wrap | Qt::TextDontClip;
                        SCOPED_TRACE(text.toStdString() + " flags " + std::to_string(flags));
                        const auto draw = [&](auto paint) {
                            QImage image(120, 60, QImage::Format_ARGB32_Premultiplied);
                            image.setDotsPerMeterX(3780);
                            image.setDotsPerMeterY(3780);
                            image.fill(0);
                            QPainter painter(&image);
                            painter.setFont(font);
                            painter.setPen(QPen(QColor(20, 40, 60), 1));
                            painter.setOpacity(0.99);
                            paint(painter, image);
                            return image;
                        };
                        const QImage expected =
                            draw([&](QPainter& p, QImage&) { p.drawText(box, flags, text); });
                        for (int round = 0; round < 2; ++round)
                            EXPECT_EQ(draw([&](QPainter& p, QImage& image) {
                                          kept.Draw(p, &image, font, box, flags, text);
                                      }),
                                      expected);
                        ++compared;
                        laidOut += TvgLaidOutTexts::Keeps(text, flags);
                    }
    EXPECT_EQ(compared, 6 * 4 * 3 * 3 * 3);
    EXPECT_GT(laidOut, compared / 2);
    EXPECT_GT(kept.Count(), 0);
}

// Every alpha over every kind of frame pixel, rows of every length around the blocks of four the
// rows are blended in: each pixel comes out as the premultiplied "over" of that one pixel.
TEST_F(CanvasTest, PutPicturesAreBlendedPixelByPixelAsTheOverOfOnePixel) {
    const int width = 19;
    QImage picture(width, 256, QImage::Format_ARGB32_Premultiplied);
    QImage frame(width, 256, QImage::Format_ARGB32_Premultiplied);
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0xFF;
    };
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < width; ++x) {
            // Runs of see-through and of opaque pixels as well as single ones.
            const int alpha = x < 4 ? 0 : x < 8 ? 255 : (x * 37 + y) % 256;
            const auto channel = [&] { return alpha ? next() % (alpha + 1) : 0; };
            picture.setPixel(x, y, qRgba(channel(), channel(), channel(), alpha));
            const int under = static_cast<int>(next());
            frame.setPixel(x, y,
                           qRgba(next() % (under + 1), next() % (under + 1), next() % (under + 1), under));
        }
    }
    const QImage before = frame.copy();
    Canvas.EndScene();
    Canvas.AttachBuffer(&frame);
    ASSERT_TRUE(Canvas.BeginScene());
    // Rows of each length from 1 to the width, one per line.
    QRegion area;
    for (int y = 0; y < 256; ++y) area += QRect(0, y, 1 + y % width, 1);
    ASSERT_TRUE(Canvas.PutDevicePicture(QPoint(0, 0), picture, area));
    Canvas.EndScene();
    Canvas.AttachBuffer(nullptr);
    int wrong = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t src = picture.pixel(x, y), dst = before.pixel(x, y);
            const std::uint32_t expected = x >= 1 + y % width ? dst
                                           : (src >> 24) == 0 ? dst
                                                              : PremultipliedOver(src, dst);
            wrong += frame.pixel(x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

#include <gtest/gtest.h>

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "vgBitmap.h"
#include "vgDecodedPictures.h"

namespace {

QImage Sample() {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(200, 20, 20));
    return image;
}

TEST(Bitmap, LoadsTheUsualFormatsAsPremultipliedPixels) {
    QTemporaryDir dir;
    for (const char* format : {"png", "jpg", "bmp", "ico"}) {
        const QString path = dir.filePath(QStringLiteral("picture.") + format);
        ASSERT_TRUE(Sample().save(path, format)) << format;
        TvgBitmap bitmap;
        int changes = 0;
        bitmap.SetOnChange([&] { ++changes; });
        ASSERT_TRUE(bitmap.LoadFromFile(path)) << format;
        EXPECT_EQ(bitmap.Width(), 3) << format;
        EXPECT_EQ(bitmap.Height(), 2) << format;
        EXPECT_EQ(bitmap.Image().format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(changes, 1);
    }
}

TEST(Bitmap, AFileSavedUnderAnotherFormatsExtensionIsDecodedByItsContent) {
    QTemporaryDir dir;
    struct Case {
        const char* Format;
        const char* Suffix;
    };
    for (const Case& c :
         {Case{"png", "jpg"}, Case{"jpg", "png"}, Case{"bmp", "png"}, Case{"png", "ico"}, Case{"png", ""}}) {
        const QString path = dir.filePath(QStringLiteral("%1-as.%2").arg(c.Format, c.Suffix));
        ASSERT_TRUE(Sample().save(path, c.Format)) << c.Format << " as " << c.Suffix;
        TvgBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadFromFile(path)) << c.Format << " as " << c.Suffix;
        EXPECT_EQ(bitmap.Width(), 3) << c.Format << " as " << c.Suffix;
        EXPECT_EQ(bitmap.Height(), 2) << c.Format << " as " << c.Suffix;
        const QRgb pixel = bitmap.Image().pixel(1, 1);
        // JPEG is lossy: near the red it was saved with.
        EXPECT_NEAR(qRed(pixel), 200, 8) << c.Format << " as " << c.Suffix;
        EXPECT_NEAR(qGreen(pixel), 20, 8) << c.Format << " as " << c.Suffix;
        EXPECT_NEAR(qBlue(pixel), 20, 8) << c.Format << " as " << c.Suffix;
    }
}

TEST(Bitmap, LoadsGif) {
    // A 1 × 1 red GIF: Qt reads this format but cannot write it.
    static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                        0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                        0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                        0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    QTemporaryDir dir;
    QFile file(dir.filePath("red.gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(gif), sizeof gif);
    file.close();
    TvgBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(file.fileName()));
    EXPECT_EQ(bitmap.Image().pixel(0, 0), 0xFFFF0000u);
}

TEST(Bitmap, MissingOrBrokenFileChangesNothing) {
    QTemporaryDir dir;
    TvgBitmap bitmap(4, 4);
    bitmap.Clear(0xFF00FF00);
    int changes = 0;
    bitmap.SetOnChange([&] { ++changes; });
    EXPECT_FALSE(bitmap.LoadFromFile(dir.filePath("absent.png")));
    QFile broken(dir.filePath("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    EXPECT_FALSE(bitmap.LoadFromFile(broken.fileName()));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Image().pixel(1, 1), 0xFF00FF00u);
}

TEST(Bitmap, APictureIsDecodedAtTheSizeItIsDrawnAndNeverWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.png");
    QImage wide(300, 150, QImage::Format_ARGB32);
    wide.fill(Qt::blue);
    ASSERT_TRUE(wide.save(path, "png"));
    TvgBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path, QSize(64, 64)));
    EXPECT_EQ(bitmap.Image().size(), QSize(64, 32));
    // Covering the drawn area, for a picture that is then stretched over it.
    ASSERT_TRUE(bitmap.LoadFromFile(path, QSize(100, 100), Qt::KeepAspectRatioByExpanding));
    EXPECT_EQ(bitmap.Image().size(), QSize(200, 100));
    // Smaller than drawn: as it is.
    ASSERT_TRUE(bitmap.LoadFromFile(path, QSize(2000, 2000)));
    EXPECT_EQ(bitmap.Image().size(), QSize(300, 150));
    // Without a drawn size, no side beyond the bound.
    const QString long_ = dir.filePath("long.png");
    QImage strip(kMaxPictureSide * 2, 4, QImage::Format_ARGB32);
    strip.fill(Qt::red);
    ASSERT_TRUE(strip.save(long_, "png"));
    ASSERT_TRUE(bitmap.LoadFromFile(long_));
    EXPECT_EQ(bitmap.Image().size(), QSize(kMaxPictureSide, 2));
}

#ifndef _WIN32  // FIFOs are a POSIX matter
TEST(Bitmap, APictureThatIsAFifoIsNotOpened) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("picture.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TvgBitmap bitmap(2, 2);
    EXPECT_FALSE(bitmap.LoadFromFile(fifo));  // opening it would wait for a writer for ever
    EXPECT_FALSE(bitmap.LoadFromFile(dir.path()));
    EXPECT_EQ(bitmap.Width(), 2);
}
#endif

TEST(Bitmap, EmptyWhenEitherSideIsZero) {
    TvgBitmap bitmap;
    EXPECT_TRUE(bitmap.IsEmpty());
    bitmap.SetSize(5, 0);
    EXPECT_TRUE(bitmap.IsEmpty());
    bitmap.SetSize(5, 1);
    EXPECT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(qAlpha(bitmap.Image().pixel(4, 0)), 0);
}

TEST(Bitmap, AFileShownByManyBitmapsIsDecodedOnceUntilItChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath("icon.png");
    QImage red(128, 128, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path, "png"));
    const std::uint64_t before = DecodedPictureReads();
    std::vector<std::unique_ptr<TvgBitmap>> bitmaps;
    for (int i = 0; i < 40; ++i) {
        bitmaps.push_back(std::make_unique<TvgBitmap>());
        ASSERT_TRUE(bitmaps.back()->LoadFromFile(path, QSize(256, 256)));
    }
    EXPECT_EQ(DecodedPictureReads(), before + 1);
    for (const auto& bitmap : bitmaps) {
        EXPECT_EQ(bitmap->Image().cacheKey(), bitmaps.front()->Image().cacheKey());
        EXPECT_EQ(bitmap->Image().pixel(5, 5), 0xFFFF0000u);
    }
    // Another drawn size is another picture.
    TvgBitmap small;
    ASSERT_TRUE(small.LoadFromFile(path, QSize(32, 32)));
    EXPECT_EQ(small.Image().size(), QSize(32, 32));
    EXPECT_EQ(DecodedPictureReads(), before + 2);
    // Drawing into one copy leaves the others as they were.
    bitmaps[0]->Image().fill(Qt::blue);
    EXPECT_EQ(bitmaps[1]->Image().pixel(5, 5), 0xFFFF0000u);

    // Saved anew (another size of file): decoded again.
    QImage green(128, 64, QImage::Format_ARGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(path, "png"));
    TvgBitmap later;
    ASSERT_TRUE(later.LoadFromFile(path, QSize(256, 256)));
    EXPECT_EQ(later.Image().size(), QSize(128, 64));
    EXPECT_EQ(later.Image().pixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(DecodedPictureReads(), before + 3);
    // Gone: nothing, and the bitmap keeps what it showed.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(later.LoadFromFile(path, QSize(256, 256)));
    EXPECT_EQ(later.Image().size(), QSize(128, 64));
}

TEST(Bitmap, APictureNoBitmapHoldsIsForgottenOnceManyOthersWereDecoded) {
    QTemporaryDir dir;
    const QString kept = dir.filePath("kept.png"), dropped = dir.filePath("dropped.png");
    ASSERT_TRUE(Sample().save(kept, "png"));
    ASSERT_TRUE(Sample().save(dropped, "png"));
    TvgBitmap holder;
    ASSERT_TRUE(holder.LoadFromFile(kept));
    {
        TvgBitmap gone;
        ASSERT_TRUE(gone.LoadFromFile(dropped));
    }
    // A plan's worth of other icons, each shown a moment and let go.
    for (int i = 0; i < 100; ++i) {
        const QString other = dir.filePath(QStringLiteral("other%1.png").arg(i));
        ASSERT_TRUE(Sample().save(other, "png"));
        TvgBitmap shown;
        ASSERT_TRUE(shown.LoadFromFile(other));
    }
    const std::uint64_t before = DecodedPictureReads();
    TvgBitmap again;
    ASSERT_TRUE(again.LoadFromFile(kept));
    EXPECT_EQ(DecodedPictureReads(), before) << "a picture still shown stays in the store";
    ASSERT_TRUE(again.LoadFromFile(dropped));
    EXPECT_EQ(DecodedPictureReads(), before + 1) << "one shown by nothing was let go";
}

TEST(Bitmap, InsideAPassAFileIsLookedAtOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath("icon.png");
    ASSERT_TRUE(Sample().save(path, "png"));
    TvgBitmap first, second, after;
    {
        const TDecodedPicturesPass pass;
        ASSERT_TRUE(first.LoadFromFile(path));
        // Removed meanwhile: the pass still answers with what it had.
        ASSERT_TRUE(QFile::remove(path));
        ASSERT_TRUE(second.LoadFromFile(path));
        EXPECT_EQ(second.Image().cacheKey(), first.Image().cacheKey());
        // A missing file is answered from the pass as well.
        EXPECT_FALSE(second.LoadFromFile(dir.filePath("absent.png")));
    }
    // Once the pass is over the file is looked at again.
    EXPECT_FALSE(after.LoadFromFile(path));
    EXPECT_TRUE(after.IsEmpty());
}

}  // namespace

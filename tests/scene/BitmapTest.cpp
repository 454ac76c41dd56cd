#include <gtest/gtest.h>

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "vgBitmap.h"

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

}  // namespace

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "uButtonPicture.h"
#include "uErrors.h"
#include "vgBitmap.h"

namespace {

class ButtonPicture : public ::testing::Test {
protected:
    QString Write(const QString& name, const QImage& image, const char* format) {
        const QString path = folder.path() + "/" + name;
        QImageWriter writer(path, format);
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return path;
    }
    static QImage Filled(int size, QColor color) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(color);
        return image;
    }
    static QByteArray Bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_F(ButtonPicture, TheExtensionDecidesIconOrPicture) {
    const TButtonPicture png = TButtonPicture::LoadFromFile(Write("a.png", Filled(20, Qt::red), "png"));
    EXPECT_EQ(png.Kind(), IK_Png);
    EXPECT_EQ(png.Image().size(), QSize(20, 20));
    const TButtonPicture ico = TButtonPicture::LoadFromFile(Write("a.ICO", Filled(16, Qt::blue), "ico"));
    EXPECT_EQ(ico.Kind(), IK_Ico);
    EXPECT_EQ(ico.Image().pixelColor(3, 3), QColor(Qt::blue));
}

TEST_F(ButtonPicture, SavingWritesTheChosenFileUnchanged) {
    const QString source = Write("a.png", Filled(20, Qt::red), "png");
    const QString target = folder.path() + "/{X}.Png";
    TButtonPicture::LoadFromFile(source).SaveToFile(target);
    EXPECT_EQ(Bytes(target), Bytes(source));
}

TEST_F(ButtonPicture, AnIconFileKeepsAllItsSizesAndShowsTheLargest) {
    // An icon file with a 16 and a 32 pixel picture, as icon editors make them.
    const QString path = folder.path() + "/two.ico";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QImageWriter writer(&file, "ico");
        ASSERT_TRUE(writer.write(Filled(16, Qt::green)));
    }
    // Qt writes one picture per file; make the second frame by hand from two single-frame files.
    const QByteArray small = Bytes(path);
    const QString bigPath = Write("big.ico", Filled(32, Qt::red), "ico");
    const QByteArray big = Bytes(bigPath);
    // ICONDIR (6 bytes) + ICONDIRENTRY (16 bytes) + image data, for each single file.
    QByteArray both;
    both += small.left(4);
    both += char(2);
    both += char(0);
    QByteArray smallEntry = small.mid(6, 16), bigEntry = big.mid(6, 16);
    const quint32 smallData = static_cast<quint32>(small.size() - 22),
                  bigData = static_cast<quint32>(big.size() - 22);
    const auto setOffset = [](QByteArray& entry, quint32 offset) {
        for (int i = 0; i < 4; ++i) entry[12 + i] = char((offset >> (8 * i)) & 0xFF);
    };
    setOffset(smallEntry, 6 + 32);
    setOffset(bigEntry, 6 + 32 + smallData);
    both += smallEntry + bigEntry + small.mid(22) + big.mid(22);
    ASSERT_EQ(static_cast<quint32>(both.size()), 38 + smallData + bigData);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(both);
    file.close();

    const TButtonPicture picture = TButtonPicture::LoadFromFile(path);
    EXPECT_EQ(picture.Image().size(), QSize(32, 32));
    EXPECT_EQ(picture.Image().pixelColor(5, 5), QColor(Qt::red));
    const QString copy = folder.path() + "/{Y}.Ico";
    picture.SaveToFile(copy);
    EXPECT_EQ(Bytes(copy), both);
    QImageReader reader(copy);
    EXPECT_EQ(reader.imageCount(), 2);
}

TEST_F(ButtonPicture, APictureOfAnotherFormatIsStoredAsPng) {
    const TButtonPicture bmp = TButtonPicture::LoadFromFile(Write("a.bmp", Filled(8, Qt::yellow), "bmp"));
    EXPECT_EQ(bmp.Kind(), IK_Png);
    const QString target = folder.path() + "/{Z}.Png";
    bmp.SaveToFile(target);
    QImageReader reader(target);
    EXPECT_EQ(reader.format(), "png");
    EXPECT_EQ(reader.read().pixelColor(2, 2), QColor(Qt::yellow));
}

TEST_F(ButtonPicture, AShellIconIsSavedInTheIconFormat) {
    const TButtonPicture icon = TButtonPicture::FromIcon(Filled(48, QColor(1, 2, 3)));
    EXPECT_TRUE(icon.IsIcon());
    const QString target = folder.path() + "/{W}.Ico";
    icon.SaveToFile(target);
    QImageReader reader(target, "ico");
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(back.size(), QSize(48, 48));
    EXPECT_EQ(back.pixelColor(10, 10), QColor(1, 2, 3));
}

TEST_F(ButtonPicture, UnreadableFilesRaiseWithTheReadersMessage) {
    const QString png = Write("real.png", Filled(8, Qt::red), "png");
    const QString disguised = folder.path() + "/real.ico";
    ASSERT_TRUE(QFile::copy(png, disguised));  // a PNG named as an icon is not an icon
    QFile text(folder.path() + "/text.png");
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    for (const QString& path : {disguised, text.fileName(), folder.path() + "/missing.png"}) {
        try {
            TButtonPicture::LoadFromFile(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const EMvError& error) {
            EXPECT_FALSE(error.Message().isEmpty()) << path.toStdString();
        }
    }
}

#ifndef _WIN32  // FIFOs are a POSIX matter
TEST_F(ButtonPicture, AFifoIsRefusedWithoutWaitingForAWriter) {
    const QString fifo = folder.path() + "/pipe.png";
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_THROW(TButtonPicture::LoadFromFile(fifo), EMvError);
}
#endif

TEST_F(ButtonPicture, ALargePictureIsDecodedAtButtonSize) {
    QImage large(kButtonPictureSide * 2, kButtonPictureSide, QImage::Format_ARGB32);
    large.fill(Qt::green);
    const QString path = Write("large.png", large, "png");
    const TButtonPicture picture = TButtonPicture::LoadFromFile(path);
    EXPECT_EQ(picture.Image().size(), QSize(kButtonPictureSide, kButtonPictureSide / 2));
}

// An icon file's directory names the frame to show; only that frame is decoded, however many the
// directory lists. Here 65534 entries point at damaged data and the last, largest one at a real
// frame: decoding frame after frame would stop at the first damaged one.
TEST_F(ButtonPicture, OnlyTheLargestFrameOfAnIconIsDecoded) {
    const QByteArray single = Bytes(Write("one.ico", Filled(32, Qt::magenta), "ico"));
    ASSERT_GE(single.size(), 22);
    auto u32 = [&](qsizetype at) {
        return quint32(quint8(single[at])) | quint32(quint8(single[at + 1])) << 8 |
               quint32(quint8(single[at + 2])) << 16 | quint32(quint8(single[at + 3])) << 24;
    };
    const QByteArray frame = single.mid(u32(6 + 12), u32(6 + 8));
    const int count = 65535;
    QByteArray ico;
    auto put16 = [&](int v) { ico.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto put32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i) ico.append(char((v >> (8 * i)) & 0xFF));
    };
    put16(0);
    put16(1);
    put16(count);
    const quint32 garbageAt = 6 + 16 * count, frameAt = garbageAt + 64;
    for (int i = 0; i < count; ++i) {
        const bool real = i == count - 1;
        ico.append(char(real ? 32 : 16)).append(char(real ? 32 : 16)).append('\0').append('\0');
        put16(1);
        put16(32);
        put32(real ? quint32(frame.size()) : 64);
        put32(real ? frameAt : garbageAt);
    }
    ico.append(QByteArray(64, '\x5A'));
    ico.append(frame);
    const QString path = folder.path() + "/many.ico";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ico);
    file.close();
    const TButtonPicture picture = TButtonPicture::LoadFromFile(path);
    EXPECT_EQ(picture.Image().size(), QSize(32, 32));
    EXPECT_EQ(picture.Image().pixelColor(5, 5), QColor(Qt::magenta));
}

TEST_F(ButtonPicture, SavingWhereNoFileCanBeMadeRaises) {
    const TButtonPicture png = TButtonPicture::LoadFromFile(Write("a.png", Filled(8, Qt::red), "png"));
    EXPECT_THROW(png.SaveToFile(folder.path() + "/no/such/folder/x.Png"), EMvError);
}

}  // namespace

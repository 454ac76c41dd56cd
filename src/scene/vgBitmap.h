#pragma once
// A picture held by the scene: 32-bit premultiplied ARGB pixels. Empty while either side is 0.

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>

// Bounds of a decoded picture: a side of at most kMaxPictureSide pixels is kept (64 MiB at most),
// and no decode may allocate more than kDecodeLimitMiB on the way (formats that cannot decode at a
// smaller size decode whole first).
constexpr int kMaxPictureSide = 4096;
constexpr int kDecodeLimitMiB = 128;
// The largest a launch button ever draws its picture: 256 KiB of pixels per button.
constexpr int kButtonPictureSide = 256;

class TvgBitmap : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width)
    Q_PROPERTY(int Height READ Height)
    Q_PROPERTY(QString ResourceName READ ResourceName WRITE SetResourceName)
    // Style data names its pictures by file (usually a ":/" resource); writing loads the file.
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)

public:
    explicit TvgBitmap(QObject* owner = nullptr);
    TvgBitmap(int width, int height, QObject* owner = nullptr);

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    bool IsEmpty() const { return FImage.width() <= 0 || FImage.height() <= 0; }
    const QImage& Image() const { return FImage; }
    QImage& Image() { return FImage; }

    // Replaces the pixels (converted to premultiplied ARGB) and tells the owner.
    void SetImage(const QImage& image);
    // A transparent picture of the given size (0 × 0 empties it).
    void SetSize(int width, int height);
    void Clear(std::uint32_t color);
    // Decodes png, jpg, bmp, gif, ico, tif and whatever else the installed decoders know. A file that
    // is missing, not a regular file (a FIFO or a device would block), or cannot be decoded leaves
    // the picture as it was and returns false. A picture larger than `drawnSize` is decoded at that
    // size (kept in proportion by `mode`); without one at most kMaxPictureSide on either side.
    bool LoadFromFile(const QString& fileName, QSize drawnSize = QSize(),
                      Qt::AspectRatioMode mode = Qt::KeepAspectRatio);
    void Assign(const TvgBitmap& source);
    // Tells the owner that the pixels were changed in place.
    void BitmapChanged();

    QString ResourceName() const { return FResourceName; }
    void SetResourceName(const QString& name);
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& fileName);

    void SetOnChange(std::function<void()> handler) { FOnChange = std::move(handler); }

private:
    QImage FImage;
    QString FResourceName;
    QString FFileName;
    std::function<void()> FOnChange;
};

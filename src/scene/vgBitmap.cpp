#include "vgBitmap.h"

#include <QFileInfo>
#include <QImageReader>

TvgBitmap::TvgBitmap(QObject* owner) : QObject(owner) {}

TvgBitmap::TvgBitmap(int width, int height, QObject* owner) : QObject(owner) {
    SetSize(width, height);
}

void TvgBitmap::SetImage(const QImage& image) {
    if (image.isNull()) {
        FImage = QImage();
    } else {
        FImage = image.format() == QImage::Format_ARGB32_Premultiplied
                     ? image
                     : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    BitmapChanged();
}

void TvgBitmap::SetSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    if (width <= 0 || height <= 0) {
        FImage = QImage();
    } else {
        FImage = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        FImage.fill(Qt::transparent);
    }
    BitmapChanged();
}

void TvgBitmap::Clear(std::uint32_t color) {
    if (IsEmpty()) return;
    FImage.fill(QColor::fromRgba(color));
    BitmapChanged();
}

bool TvgBitmap::LoadFromFile(const QString& fileName, QSize drawnSize, Qt::AspectRatioMode mode) {
    // Only regular files: a FIFO would wait for a writer for ever on the user-interface thread.
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile()) return false;
    QImageReader reader(fileName);
    // Wallpapers and icons are often saved with the wrong extension; trust the content.
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kDecodeLimitMiB);
    if (drawnSize.isEmpty()) {
        drawnSize = QSize(kMaxPictureSide, kMaxPictureSide);
        mode = Qt::KeepAspectRatio;
    }
    // A few hundred bytes of PNG can claim thousands of pixels a side; only what is drawn is kept.
    QSize size = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90) size.transpose();
    if (size.width() > drawnSize.width() || size.height() > drawnSize.height()) {
        QSize scaled = size.scaled(drawnSize, mode).boundedTo(size).expandedTo(QSize(1, 1));
        scaled = scaled.boundedTo(QSize(kMaxPictureSide, kMaxPictureSide));
        if (reader.transformation() & QImageIOHandler::TransformationRotate90) scaled.transpose();
        reader.setScaledSize(scaled);
    }
    QImage image = reader.read();
    if (image.isNull()) return false;
    SetImage(image);
    return true;
}

void TvgBitmap::Assign(const TvgBitmap& source) {
    if (&source == this) return;
    FResourceName = source.FResourceName;
    FFileName = source.FFileName;
    FImage = source.FImage;
    BitmapChanged();
}

void TvgBitmap::BitmapChanged() {
    if (FOnChange) FOnChange();
}

void TvgBitmap::SetResourceName(const QString& name) {
    if (name == FResourceName) return;
    FResourceName = name;
    BitmapChanged();
}

void TvgBitmap::SetFileName(const QString& fileName) {
    if (fileName == FFileName) return;
    FFileName = fileName;
    LoadFromFile(fileName);
}

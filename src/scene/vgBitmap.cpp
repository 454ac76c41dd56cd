#include "vgBitmap.h"

#include "vgDecodedPictures.h"

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
    // Shared with every other bitmap showing the same file at the same size.
    const QImage image = DecodedPicture(fileName, drawnSize, mode);
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

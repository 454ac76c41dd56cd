#include "uButtonPicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include "uErrors.h"
#include "uSafeSave.h"

namespace {

// An icon file holds several sizes; the largest one looks best wherever the scene scales it.
QImage LargestFrame(QImageReader& reader) {
    QImage best;
    do {
        const QImage frame = reader.read();
        if (frame.isNull()) break;
        if (best.isNull() || frame.width() * frame.height() > best.width() * best.height()) best = frame;
    } while (reader.jumpToNextImage());
    return best;
}

}  // namespace

TButtonPicture::TButtonPicture(TImageKind AKind, QImage AImage, QByteArray AData)
    : FKind(AKind), FImage(std::move(AImage)), FData(std::move(AData)) {}

TButtonPicture TButtonPicture::LoadFromFile(const QString& AFileName) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) throw EMvError(file.errorString());
    QByteArray data = file.readAll();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);

    const bool isIcon = QFileInfo(AFileName).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0;
    QImageReader reader(&buffer, isIcon ? QByteArray("ico") : QByteArray());
    reader.setDecideFormatFromContent(!isIcon);
    const QByteArray format = reader.format();
    const QImage image = isIcon ? LargestFrame(reader) : reader.read();
    if (image.isNull()) throw EMvError(reader.errorString());
    if (isIcon) return TButtonPicture(IK_Ico, image, data);
    // A picture of another format (typed into the open dialog) is stored as PNG.
    return TButtonPicture(IK_Png, image, format == "png" ? data : QByteArray());
}

TButtonPicture TButtonPicture::FromIcon(const QImage& AImage) {
    return TButtonPicture(IK_Ico, AImage, QByteArray());
}

QByteArray TButtonPicture::Encoded() const {
    if (!FData.isEmpty()) return FData;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, FKind == IK_Ico ? "ico" : "png");
    if (!writer.write(FImage)) throw EMvError(writer.errorString());
    return bytes;
}

void TButtonPicture::SaveToFile(const QString& AFileName) const {
    SaveFileSafely(AFileName, Encoded());
}

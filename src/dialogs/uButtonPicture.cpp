#include "uButtonPicture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>

#include "uErrors.h"
#include "uSafeSave.h"
#include "vgBitmap.h"

namespace {

// A picture file is a few hundred kilobytes; far larger is refused rather than read whole.
constexpr qint64 kMaxPictureFileSize = 32 * 1024 * 1024;

// The frame of an icon file that looks best wherever the scene scales it: the largest, the one with
// more colours among equals. Chosen from the file's directory, so that only that frame is decoded
// (a file may list 65535 of them). -1 when the directory does not hold together.
int LargestFrameIndex(const QByteArray& data) {
    auto u16 = [&](qsizetype at) { return quint16(quint8(data[at]) | quint8(data[at + 1]) << 8); };
    if (data.size() < 6 || u16(0) != 0 || u16(2) != 1) return -1;
    const int count = u16(4);
    int best = -1;
    qint64 bestArea = -1;
    int bestDepth = -1;
    for (int i = 0; i < count && 6 + 16 * qsizetype(i + 1) <= data.size(); ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        const int width = quint8(data[entry]) ? quint8(data[entry]) : 256;
        const int height = quint8(data[entry + 1]) ? quint8(data[entry + 1]) : 256;
        const int depth = u16(entry + 6);
        const qint64 area = qint64(width) * height;
        if (area > bestArea || (area == bestArea && depth > bestDepth)) {
            best = i;
            bestArea = area;
            bestDepth = depth;
        }
    }
    return best;
}

// Shown at button size and stored at it when re-encoded: nothing larger is decoded.
void BoundDecodedSize(QImageReader& reader) {
    reader.setAllocationLimit(kDecodeLimitMiB);
    const QSize size = reader.size();
    const QSize bound(kButtonPictureSide, kButtonPictureSide);
    if (size.width() > bound.width() || size.height() > bound.height())
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
}

}  // namespace

TButtonPicture::TButtonPicture(TImageKind AKind, QImage AImage, QByteArray AData)
    : FKind(AKind), FImage(std::move(AImage)), FData(std::move(AData)) {}

TButtonPicture TButtonPicture::LoadFromFile(const QString& AFileName) {
    // Only regular files: a FIFO or a device would keep the dialog waiting for ever.
    const QFileInfo info(AFileName);
    if (info.exists() && !info.isFile()) throw EMvError(QStringLiteral("【%1】不是普通文件").arg(AFileName));
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) throw EMvError(file.errorString());
    if (file.size() > kMaxPictureFileSize)
        throw EMvError(QStringLiteral("【%1】太大，不是图片文件").arg(AFileName));
    QByteArray data = file.readAll();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);

    const bool isIcon = QFileInfo(AFileName).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0;
    QImageReader reader(&buffer, isIcon ? QByteArray("ico") : QByteArray());
    reader.setDecideFormatFromContent(!isIcon);
    const QByteArray format = reader.format();
    if (isIcon) reader.jumpToImage(std::max(0, LargestFrameIndex(data)));
    BoundDecodedSize(reader);
    const QImage image = reader.read();
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

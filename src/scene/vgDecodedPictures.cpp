#include "vgDecodedPictures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include "vgBitmap.h"

namespace {

struct TKey {
    QString Path;
    QSize DrawnSize;
    Qt::AspectRatioMode Mode;
    bool operator==(const TKey&) const = default;
};

size_t qHash(const TKey& AKey, size_t ASeed = 0) {
    return qHashMulti(ASeed, AKey.Path, AKey.DrawnSize.width(), AKey.DrawnSize.height(),
                      static_cast<int>(AKey.Mode));
}

struct TEntry {
    qint64 Size = -1;
    QDateTime Modified;
    // A file saved anew under the same name (a rename over it) changes this too.
    QDateTime Changed;
    QImage Image;
};

QHash<TKey, TEntry>& Store() {
    static QHash<TKey, TEntry> store;
    return store;
}

std::uint64_t reads = 0;

// The answers given inside the current pass, by the file name as it was asked for.
struct TPass {
    int Depth = 0;
    QHash<TKey, QImage> Answers;
};

TPass& Pass() {
    static TPass pass;
    return pass;
}

// The format Qt decodes itself that the content is in, or empty. Unless told the format and not
// to look further, a reader asks every image plug-in first, and loading them all (with the
// libraries they need) was a good part of the start; none of them takes a PNG signature, so such
// a file goes to Qt's own PNG decoder at once, as it did after every plug-in had declined it.
QByteArray OwnFormatOf(QIODevice& ADevice) {
    static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    return ADevice.peek(pngSignature.size()) == pngSignature ? QByteArrayLiteral("png") : QByteArray();
}

QImage Decode(const QString& AFileName, QSize ADrawnSize, Qt::AspectRatioMode AMode) {
    ++reads;
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray format = OwnFormatOf(file);
    QImageReader reader(&file, format);
    if (!format.isEmpty())
        reader.setAutoDetectImageFormat(false);
    else
        // Wallpapers and icons are often saved with the wrong extension; trust the content.
        reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(kDecodeLimitMiB);
    if (ADrawnSize.isEmpty()) {
        ADrawnSize = QSize(kMaxPictureSide, kMaxPictureSide);
        AMode = Qt::KeepAspectRatio;
    }
    // A few hundred bytes of PNG can claim thousands of pixels a side; only what is drawn is kept.
    QSize size = reader.size();
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    if (turned) size.transpose();
    if (size.width() > ADrawnSize.width() || size.height() > ADrawnSize.height()) {
        QSize scaled = size.scaled(ADrawnSize, AMode).boundedTo(size).expandedTo(QSize(1, 1));
        scaled = scaled.boundedTo(QSize(kMaxPictureSide, kMaxPictureSide));
        if (turned) scaled.transpose();
        reader.setScaledSize(scaled);
    }
    QImage image = reader.read();
    // Kept as the scene draws it, so that no bitmap converts its copy.
    if (!image.isNull()) image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

// How many entries the last sweep left: the next sweep waits until the store has doubled, so that
// decoding a plan of a thousand different icons does not look at every entry a thousand times.
qsizetype KeptAtLastSweep = 0;
constexpr qsizetype kSweepAtLeast = 16;

// Entries whose picture only the store still holds, once the store has grown enough to be worth a look.
void DropUnused(QHash<TKey, TEntry>& AStore) {
    if (AStore.size() < std::max(kSweepAtLeast, 2 * KeptAtLastSweep)) return;
    for (auto it = AStore.begin(); it != AStore.end();)
        it = it->Image.isDetached() ? AStore.erase(it) : std::next(it);
    KeptAtLastSweep = AStore.size();
}

}  // namespace

namespace {

QImage LookAtFile(const QString& AFileName, QSize ADrawnSize, Qt::AspectRatioMode AMode) {
    const QFileInfo info(AFileName);
    // Only regular files: a FIFO would wait for a writer for ever on the user-interface thread.
    if (!info.isFile()) return {};
    const TKey key{info.absoluteFilePath(), ADrawnSize, AMode};
    auto& store = Store();
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    const QDateTime changed = info.metadataChangeTime();
    if (const auto found = store.constFind(key); found != store.constEnd() && found->Size == size &&
                                                 found->Modified == modified && found->Changed == changed)
        return found->Image;
    QImage image = Decode(AFileName, ADrawnSize, AMode);
    DropUnused(store);
    if (image.isNull()) {
        store.remove(key);
        return {};
    }
    store.insert(key, TEntry{size, modified, changed, image});
    return image;
}

}  // namespace

QImage DecodedPicture(const QString& AFileName, QSize ADrawnSize, Qt::AspectRatioMode AMode) {
    if (AFileName.isEmpty()) return {};
    // Without a size the mode does not matter: one entry for every way of asking.
    if (ADrawnSize.isEmpty()) {
        ADrawnSize = QSize();
        AMode = Qt::KeepAspectRatio;
    }
    TPass& pass = Pass();
    if (pass.Depth == 0) return LookAtFile(AFileName, ADrawnSize, AMode);
    const TKey asked{AFileName, ADrawnSize, AMode};
    if (const auto found = pass.Answers.constFind(asked); found != pass.Answers.constEnd()) return *found;
    QImage image = LookAtFile(AFileName, ADrawnSize, AMode);
    pass.Answers.insert(asked, image);
    return image;
}

TDecodedPicturesPass::TDecodedPicturesPass() {
    ++Pass().Depth;
}

TDecodedPicturesPass::~TDecodedPicturesPass() {
    TPass& pass = Pass();
    if (--pass.Depth == 0) pass.Answers.clear();
}

std::uint64_t DecodedPictureReads() {
    return reads;
}

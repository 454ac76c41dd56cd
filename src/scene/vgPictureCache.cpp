#include "vgPictureCache.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace {

struct TEntry {
    qint64 Size = -1;
    QDateTime Modified;
    QImage Image;
};

QHash<QString, TEntry>& Cache() {
    static QHash<QString, TEntry> cache;
    return cache;
}

}  // namespace

QImage SharedPicture(const QString& AFileName) {
    const QFileInfo info(AFileName);
    // Only regular files: a pipe or a device would block or never end.
    if (AFileName.isEmpty() || !info.isFile()) return {};
    const QString key = info.absoluteFilePath();
    auto& cache = Cache();
    const auto found = cache.constFind(key);
    if (found != cache.constEnd() && found->Size == info.size() && found->Modified == info.lastModified())
        return found->Image;
    QImageReader reader(AFileName);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    TEntry entry{info.size(), info.lastModified(), reader.read()};
    if (entry.Image.isNull()) {
        cache.remove(key);
        return {};
    }
    if (entry.Image.format() != QImage::Format_ARGB32_Premultiplied)
        entry.Image.convertTo(QImage::Format_ARGB32_Premultiplied);
    cache.insert(key, entry);
    return entry.Image;
}

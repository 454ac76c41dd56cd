#include "IcoFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>

bool WriteIcoFile(const QImage& image, const QString& iconFile) {
    if (image.isNull()) return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!QImageWriter(&buffer, "ico").write(image)) return false;
    // Unbuffered, so that a full disk fails the write itself: a buffered QSaveFile only finds out
    // while committing and then still replaces the old file with a short one.
    QSaveFile file(iconFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

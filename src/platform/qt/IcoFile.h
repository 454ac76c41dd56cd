#pragma once
// Writes a picture as a Windows icon file, replacing the file only once every byte is on disk.

#include <QImage>
#include <QString>

// False when the picture is null, cannot be encoded or the file cannot be written whole; the file
// that was there before is then left as it was.
bool WriteIcoFile(const QImage& image, const QString& iconFile);

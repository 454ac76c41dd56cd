#pragma once
// Pictures decoded once and shared: the same file shown by many objects (the notes' backgrounds)
// is decoded the first time and handed out as implicitly shared copies of that one image, until
// the file changes (its size or modification time). The picture is kept in the scene's pixel format
// (premultiplied ARGB), so that an object taking it shares these pixels instead of converting them
// into a copy of its own.

#include <QImage>
#include <QString>

// The decoded picture in premultiplied ARGB, or a null image when the file is not a regular file or
// cannot be decoded.
QImage SharedPicture(const QString& AFileName);

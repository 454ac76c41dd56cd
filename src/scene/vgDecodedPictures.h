#pragma once
// Pictures decoded from files once and shared: many launch buttons show the same icon file, and
// every note one of seven backgrounds; a plan of a thousand buttons would otherwise decode its
// icons a thousand times at start, and each of thousands of notes would keep a copy of its own. A picture is
// decoded once per file and drawn size and handed out as implicitly shared copies of that image,
// until the file changes (its size or modification time). Entries no bitmap holds any more are
// dropped when a decode finds the store doubled since the last such sweep, so the store never
// holds more than twice what is shown (and at least a few pictures).

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

// The picture of a regular file, decoded as TvgBitmap::LoadFromFile describes (at most
// `drawnSize`, kept in proportion by `mode`; without a size at most kMaxPictureSide a side) in
// premultiplied ARGB. Null when the file is missing, not a regular file or cannot be decoded.
QImage DecodedPicture(const QString& AFileName, QSize ADrawnSize, Qt::AspectRatioMode AMode);

// How many times a file has been decoded so far in this process.
std::uint64_t DecodedPictureReads();

// While one lives, a file name whose picture was asked for once is answered again without looking
// at the file: loading a plan of a thousand buttons that share forty icon files asks the file
// system forty times rather than a thousand. Passes nest; the outermost one ending forgets.
class TDecodedPicturesPass {
public:
    TDecodedPicturesPass();
    ~TDecodedPicturesPass();
    TDecodedPicturesPass(const TDecodedPicturesPass&) = delete;
    TDecodedPicturesPass& operator=(const TDecodedPicturesPass&) = delete;
};

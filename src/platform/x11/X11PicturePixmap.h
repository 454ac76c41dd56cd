#pragma once
// A picture copied once into a pixmap of the X server, so that frames show parts of it by a copy
// the server makes within itself rather than by pixels sent again at every frame.

#include <QImage>
#include <QRegion>
#include <QWindow>

#include <cstdint>

class X11PicturePixmap {
public:
    // `picture` is premultiplied ARGB. Invalid when the window's depth does not take those pixels as
    // they are (32 bits a pixel, least significant byte first), or there is no X11.
    X11PicturePixmap(WId window, const QImage& picture);
    ~X11PicturePixmap();
    X11PicturePixmap(const X11PicturePixmap&) = delete;
    X11PicturePixmap& operator=(const X11PicturePixmap&) = delete;

    bool IsValid() const { return FPixmap != 0; }
    const QImage& Picture() const { return FPicture; }
    // Shows the window pixels of `region` from the picture with its top-left pixel at `at`.
    void CopyTo(const QRegion& region, QPoint at) const;

private:
    std::uint32_t FWindow = 0;
    std::uint32_t FPixmap = 0;
    std::uint32_t FGc = 0;
    QImage FPicture;
};

#pragma once
// The one frame buffer of a layered window: a top-down 32-bit DIB section selected into a memory
// device context, its bits wrapped by the QImage the scene paints into. Premultiplied ARGB32 is
// laid out in memory as premultiplied BGRA, which is what UpdateLayeredWindow blends.

#include <QImage>
#include <QRect>
#include <QSize>

#include <windows.h>

class TLayeredSurface {
public:
    TLayeredSurface() = default;
    ~TLayeredSurface();
    TLayeredSurface(const TLayeredSurface&) = delete;
    TLayeredSurface& operator=(const TLayeredSurface&) = delete;

    // Makes the buffer exactly `size` (at least 1 x 1), transparent; false when GDI refuses.
    bool Resize(QSize size);
    QSize Size() const { return FSize; }
    // The pixels; null before the first successful Resize.
    QImage* Image() { return FBitmap ? &FImage : nullptr; }

    // Shows the buffer in the layered window. `dirty` limits what the system copies when the
    // window already shows a picture of this size; an empty rectangle sends the whole buffer.
    bool Present(HWND window, const QRect& dirty);

private:
    void Free();

    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    QImage FImage;
    QSize FSize;
    // The size of the picture the window shows now (dirty rectangles need the same size).
    QSize FPresentedSize;
};

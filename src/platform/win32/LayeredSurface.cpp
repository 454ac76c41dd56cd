#include "LayeredSurface.h"

#include <algorithm>

TLayeredSurface::~TLayeredSurface() {
    Free();
}

void TLayeredSurface::Free() {
    FImage = QImage();  // the image must not outlive the bits it wraps
    if (FDC) {
        if (FOldBitmap) SelectObject(FDC, FOldBitmap);
        DeleteDC(FDC);
    }
    if (FBitmap) DeleteObject(FBitmap);
    FDC = nullptr;
    FBitmap = nullptr;
    FOldBitmap = nullptr;
    FSize = QSize();
}

bool TLayeredSurface::Resize(QSize size) {
    size = size.expandedTo(QSize(1, 1));
    if (FBitmap && size == FSize) return true;
    Free();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.width();
    info.bmiHeader.biHeight = -size.height();  // top-down, like QImage
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!FBitmap || !bits) {
        Free();
        return false;
    }
    FDC = CreateCompatibleDC(nullptr);
    if (!FDC) {
        Free();
        return false;
    }
    FOldBitmap = SelectObject(FDC, FBitmap);
    FSize = size;
    FImage = QImage(static_cast<uchar*>(bits), size.width(), size.height(), size.width() * 4,
                    QImage::Format_ARGB32_Premultiplied);
    FImage.fill(Qt::transparent);  // a new DIB section is zeroed already; say so anyway
    return true;
}

bool TLayeredSurface::Present(HWND window, const QRect& dirty) {
    if (!FBitmap || !window) return false;
    GdiFlush();
    SIZE size{FSize.width(), FSize.height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO update{};
    update.cbSize = sizeof(update);
    update.psize = &size;  // no destination point: the window stays where it is
    update.hdcSrc = FDC;
    update.pptSrc = &source;
    update.pblend = &blend;
    update.dwFlags = ULW_ALPHA;
    const QRect clipped = dirty.intersected(QRect(QPoint(0, 0), FSize));
    RECT dirtyRect{clipped.left(), clipped.top(), clipped.right() + 1, clipped.bottom() + 1};
    // The system can copy a part only over a picture of the same size it already holds.
    if (FPresentedSize == FSize && !clipped.isEmpty()) update.prcDirty = &dirtyRect;
    bool shown = UpdateLayeredWindowIndirect(window, &update) != FALSE;
    if (!shown && update.prcDirty) {
        update.prcDirty = nullptr;
        shown = UpdateLayeredWindowIndirect(window, &update) != FALSE;
    }
    FPresentedSize = shown ? FSize : QSize();
    return shown;
}

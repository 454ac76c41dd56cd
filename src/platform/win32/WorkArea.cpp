#include "WorkArea.h"

#include <windows.h>

#include <algorithm>

namespace Win32WorkArea {

QRect Get() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return QRect(QPoint(0, 0), ScreenSize());
    return QRect(QPoint(area.left, area.top), QPoint(area.right - 1, area.bottom - 1));
}

bool Set(const QRect& area) {
    RECT rect{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
    return SystemParametersInfoW(SPI_SETWORKAREA, 0, &rect, SPIF_SENDCHANGE | SPIF_UPDATEINIFILE) != FALSE;
}

QSize ScreenSize() {
    return QSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

}  // namespace Win32WorkArea

void TRightStripReservation::Reserve(int width) {
    if (width <= 0) {
        if (!FOriginal) return;
        Win32WorkArea::Set(*FOriginal);
        FOriginal.reset();
        return;
    }
    if (!FOriginal) FOriginal = Win32WorkArea::Get();
    // Only the right edge moves: a taskbar at the top, left or bottom keeps its band.
    QRect area = *FOriginal;
    area.setRight(std::min(area.right(), Win32WorkArea::ScreenSize().width() - width - 1));
    Win32WorkArea::Set(area);
}

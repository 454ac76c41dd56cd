#pragma once
// The primary screen's work area as the system keeps it (SPI_GETWORKAREA / SPI_SETWORKAREA), and
// the strip on its right that the side bar can reserve for itself.

#include <QRect>
#include <QSize>
#include <optional>

namespace Win32WorkArea {

QRect Get();
// Tells every program of the change (they re-read it and move their maximised windows).
bool Set(const QRect& area);
QSize ScreenSize();

}  // namespace Win32WorkArea

// Reserves a strip at the right edge and gives back exactly the work area that was there before,
// also when it is destroyed while the strip is still reserved.
class TRightStripReservation {
public:
    TRightStripReservation() = default;
    ~TRightStripReservation() { Reserve(0); }
    TRightStripReservation(const TRightStripReservation&) = delete;
    TRightStripReservation& operator=(const TRightStripReservation&) = delete;

    // width > 0 reserves (again, with the new width); 0 gives the original work area back.
    void Reserve(int width);
    bool IsReserved() const { return FOriginal.has_value(); }

private:
    std::optional<QRect> FOriginal;
};

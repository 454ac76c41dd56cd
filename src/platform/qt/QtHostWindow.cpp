#include "QtHostWindow.h"

#include <QCursor>
#include <QExposeEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include "AlphaRegion.h"
#include "X11Window.h"

namespace {

TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState state;
    if (modifiers & Qt::ShiftModifier) state |= TShiftFlag::ssShift;
    if (modifiers & Qt::AltModifier) state |= TShiftFlag::ssAlt;
    if (modifiers & Qt::ControlModifier) state |= TShiftFlag::ssCtrl;
    if (buttons & Qt::LeftButton) state |= TShiftFlag::ssLeft;
    if (buttons & Qt::RightButton) state |= TShiftFlag::ssRight;
    if (buttons & Qt::MiddleButton) state |= TShiftFlag::ssMiddle;
    return state;
}

bool ToMouseButton(Qt::MouseButton button, TMouseButton& result) {
    switch (button) {
        case Qt::LeftButton:
            result = TMouseButton::mbLeft;
            return true;
        case Qt::RightButton:
            result = TMouseButton::mbRight;
            return true;
        case Qt::MiddleButton:
            result = TMouseButton::mbMiddle;
            return true;
        default:
            return false;
    }
}

Qt::CursorShape ToCursorShape(TCursor cursor) {
    switch (cursor) {
        case TCursor::crHandPoint:
            return Qt::PointingHandCursor;
        case TCursor::crSizeAll:
            return Qt::SizeAllCursor;
        case TCursor::crSizeNWSE:
            return Qt::SizeFDiagCursor;
        case TCursor::crSizeNESW:
            return Qt::SizeBDiagCursor;
        case TCursor::crSizeWE:
            return Qt::SizeHorCursor;
        case TCursor::crSizeNS:
            return Qt::SizeVerCursor;
        case TCursor::crIBeam:
            return Qt::IBeamCursor;
        case TCursor::crDefault:
        case TCursor::crArrow:
            break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

QtHostWindow::QtHostWindow(THostWindowKind kind) : FKind(kind) {
    setSurfaceType(QSurface::RasterSurface);
    QSurfaceFormat format;
    format.setAlphaBufferSize(8);  // asks the xcb plugin for a 32-bit visual
    setFormat(format);
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    if (kind == THostWindowKind::HW_Desktop) flags |= Qt::WindowStaysOnBottomHint;
    setFlags(flags);
    FBackingStore = std::make_unique<QBackingStore>(this);
    create();
    if (kind == THostWindowKind::HW_Desktop) X11Window::SetDesktopLevelHints(winId());
}

QtHostWindow::~QtHostWindow() = default;

void QtHostWindow::SetGeometry(const QRect& rect) {
    setGeometry(rect);
    FBackingStore->resize(rect.size());
}

void QtHostWindow::Show() {
    // Qt rewrites _NET_WM_STATE on show from its own flags; write ours again so that nothing is lost.
    if (FKind == THostWindowKind::HW_Desktop && !isVisible()) X11Window::SetDesktopLevelHints(winId());
    const bool firstShow = !isVisible();
    show();
    if (FKind != THostWindowKind::HW_Desktop) return;
    if (firstShow) X11Window::SetDesktopLevelHints(winId());
    KeepAtBottom();
}

void QtHostWindow::Raise() {
    if (FKind == THostWindowKind::HW_Desktop) return;
    raise();
    requestActivate();
}

void QtHostWindow::KeepAtBottom() {
    lower();
}

QImage* QtHostWindow::BeginPaint(const QRegion& region) {
    if (FBackingStore->size() != size()) FBackingStore->resize(size());
    FBackingStore->beginPaint(region);
    FPaintImage = dynamic_cast<QImage*>(FBackingStore->paintDevice());
    return FPaintImage;
}

void QtHostWindow::EndPaint(const QRegion& region) {
    if (FPaintImage) {
        QRegion before = FInputRegion;
        UpdateAlphaRegion(FInputRegion, *FPaintImage, region);
        if (before != FInputRegion) FShapeDirty = true;
    }
    FBackingStore->endPaint();
    FBackingStore->flush(region);
    FPaintImage = nullptr;
    ++FPresentedFrames;
    ApplyShapes();
}

void QtHostWindow::ApplyShapes() {
    // Window managers copy a client's input shape to their frame only when it changes on a mapped
    // window, so the shape waits until the window is exposed.
    if (!isExposed()) return;
    const bool compositor = X11Window::CompositorRunning();
    if (!FShapeDirty && compositor == FCompositor) return;
    X11Window::SetInputShape(winId(), FInputRegion);
    // Without a compositor X shows transparent pixels as black: show only the drawn ones.
    if (!compositor)
        X11Window::SetBoundingShape(winId(), FInputRegion);
    else if (!FCompositor)
        X11Window::ClearBoundingShape(winId());
    FCompositor = compositor;
    FShapeDirty = false;
}

void QtHostWindow::SetCursor(TCursor cursor) {
    setCursor(QCursor(ToCursorShape(cursor)));
}

bool QtHostWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Leave:
            if (FClient) FClient->HostMouseLeave();
            break;
        case QEvent::WindowActivate:
        case QEvent::Show:
            if (FKind == THostWindowKind::HW_Desktop) KeepAtBottom();
            break;
        default:
            break;
    }
    return QWindow::event(event);
}

void QtHostWindow::exposeEvent(QExposeEvent*) {
    if (!isExposed()) return;
    FShapeDirty = true;
    if (FClient) FClient->HostExposed();
    ApplyShapes();
}

void QtHostWindow::resizeEvent(QResizeEvent*) {
    FBackingStore->resize(size());
    FInputRegion = {};
    FShapeDirty = true;
    if (FClient) FClient->HostResized(size());
}

bool QtHostWindow::IsDoublePress(const QMouseEvent* event) {
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const qreal distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    const bool isDouble = FLastPressButton == event->button() && FLastPressTime.isValid() &&
                          FLastPressTime.elapsed() <= interval &&
                          (event->position() - FLastPressPos).manhattanLength() <= distance;
    FLastPressButton = isDouble ? Qt::NoButton : event->button();  // a third press starts anew
    FLastPressPos = event->position();
    FLastPressTime.start();
    return isDouble;
}

void QtHostWindow::mousePressEvent(QMouseEvent* event) {
    if (FKind == THostWindowKind::HW_Desktop) KeepAtBottom();
    TMouseButton button;
    if (!FClient || !ToMouseButton(event->button(), button)) return;
    TShiftState shift = ShiftState(event->modifiers(), event->buttons());
    if (IsDoublePress(event)) shift |= TShiftFlag::ssDouble;
    FClient->HostMouseDown(button, shift, event->position());
}

void QtHostWindow::mouseDoubleClickEvent(QMouseEvent*) {
    // Already reported as a press with ssDouble.
}

void QtHostWindow::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!FClient || !ToMouseButton(event->button(), button)) return;
    FClient->HostMouseUp(button, ShiftState(event->modifiers(), event->buttons()), event->position());
}

void QtHostWindow::mouseMoveEvent(QMouseEvent* event) {
    if (FClient) FClient->HostMouseMove(ShiftState(event->modifiers(), event->buttons()), event->position());
}

void QtHostWindow::wheelEvent(QWheelEvent* event) {
    if (FClient)
        FClient->HostMouseWheel(ShiftState(event->modifiers(), event->buttons()), event->angleDelta().y(),
                                event->position());
}

void QtHostWindow::keyPressEvent(QKeyEvent* event) {
    if (FClient)
        FClient->HostKeyDown(event->key(), event->text().isEmpty() ? QChar() : event->text().at(0),
                             ShiftState(event->modifiers(), {}));
}

void QtHostWindow::keyReleaseEvent(QKeyEvent* event) {
    if (FClient)
        FClient->HostKeyUp(event->key(), event->text().isEmpty() ? QChar() : event->text().at(0),
                           ShiftState(event->modifiers(), {}));
}

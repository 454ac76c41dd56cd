#include "QtHostWindow.h"

#include <QCursor>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QExposeEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyleHints>
#include <QSurfaceFormat>
#include <QUrl>
#include <QWheelEvent>

#include "AlphaRegion.h"

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

// File managers give file:// addresses, browsers the page's address (and its text).
TDropData DropDataOf(const QMimeData* mime) {
    TDropData data;
    if (!mime) return data;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            data.LocalFiles << url.toLocalFile();
        else if (url.isValid() && !url.scheme().isEmpty())
            data.Addresses << url.toString();
    }
    if (data.IsEmpty() && mime->hasText()) {
        const QUrl url(mime->text().trimmed(), QUrl::StrictMode);
        if (url.isValid() &&
            (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")))
            data.Addresses << url.toString();
    }
    return data;
}

}  // namespace

QtHostWindow::QtHostWindow(THostWindowKind kind) : FKind(kind) {
    setSurfaceType(QSurface::RasterSurface);
    QSurfaceFormat format;
    format.setAlphaBufferSize(8);  // asks for a visual with an alpha channel
    setFormat(format);
    // The flags hold the window's type too: without Qt::Window it would be a Qt::Widget, which
    // the Windows platform plugin registers no OLE drop target for (nothing could be dropped on it).
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (kind == THostWindowKind::HW_Desktop) flags |= Qt::WindowStaysOnBottomHint;
    setFlags(flags);
    FBackingStore = std::make_unique<QBackingStore>(this);
}

QtHostWindow::~QtHostWindow() = default;

void QtHostWindow::SetGeometry(const QRect& rect) {
    setGeometry(rect);
    if (FBackingStore) FBackingStore->resize(rect.size());
}

void QtHostWindow::Show() {
    const bool firstShow = !isVisible();
    show();
    if (!IsDesktop()) return;
    Shown(firstShow);
    KeepAtBottom();
}

void QtHostWindow::Raise() {
    if (IsDesktop()) return;
    raise();
    requestActivate();
}

QImage* QtHostWindow::BeginPaint(const QRegion& region, const QRegion& covered) {
    if (FBackingStore->size() != size()) FBackingStore->resize(size());
    // The backing store clears the pixels it prepares, which the painter is about to overwrite.
    const QRegion prepared = covered.isEmpty() ? region : region - covered;
    if (prepared != region && (region - prepared).intersects(FPresentedUnread)) {
        WaitForPresented();
        FPresentedUnread = QRect();
    }
    FBackingStore->beginPaint(prepared);
    FPaintImage = dynamic_cast<QImage*>(FBackingStore->paintDevice());
    return FPaintImage;
}

void QtHostWindow::EndPaint(const QRegion& region, const QRegion& opaque) {
    // The scene paints in logical pixels; on a screen of more device pixels per logical one the
    // painter scales into the image, whose pixels are the device's.
    const qreal ratio = FPaintImage ? FPaintImage->devicePixelRatio() : 1.0;
    const QRegion pixels = FPaintImage ? DeviceRegion(region, ratio) : QRegion();
    // A logical pixel is one device pixel only on a screen of ratio 1; elsewhere every pixel is read.
    const QRegion opaquePixels = ratio == 1.0 ? opaque & pixels : QRegion();
    const bool inputRegionChanged = FPaintImage && TakeInputRegion(*FPaintImage, pixels, opaquePixels);
    if (FPaintImage) FinishFrame(*FPaintImage, pixels, opaquePixels, inputRegionChanged);
    FBackingStore->endPaint();
    const QRegion held = FrameHeldRegion();
    FBackingStore->flush(held.isEmpty() ? region : region - held);
    FPresentedUnread |= region.boundingRect();
    FPaintImage = nullptr;
    CountPresentedFrame();
    Presented(inputRegionChanged);
}

void QtHostWindow::CountPresentedFrame() {
    if (FPresentedFrames++ == 0) {
        QElapsedTimer clock;
        clock.start();
        FFirstFramePresentedAt = static_cast<std::uint64_t>(clock.msecsSinceReference());
    }
}

bool QtHostWindow::TakeInputRegion(const QImage& image, const QRegion& region, const QRegion& opaque) {
    const QRegion before = FInputRegion;
    UpdateAlphaRegion(FInputRegion, image, region, opaque);
    return before != FInputRegion;
}

void QtHostWindow::SetCursor(TCursor cursor) {
    setCursor(QCursor(ToCursorShape(cursor)));
}

bool QtHostWindow::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Leave:
            if (FClient) FClient->HostMouseLeave();
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (FClient && FClient->HostDragOver(DropDataOf(drag->mimeData()), drag->position()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const TDropData data = DropDataOf(drop->mimeData());
            if (!FClient || !FClient->HostDragOver(data, drop->position())) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            // After the drop has been answered: adding may ask the user, and a box opened inside
            // the drag's own handling would keep the other program waiting.
            const QPointF pos = drop->position();
            QMetaObject::invokeMethod(
                this,
                [this, data, pos] {
                    if (FClient) FClient->HostDrop(data, pos);
                },
                Qt::QueuedConnection);
            return true;
        }
        case QEvent::WindowActivate:
        case QEvent::Show:
            if (IsDesktop()) KeepAtBottom();
            break;
        default:
            break;
    }
    return QWindow::event(event);
}

void QtHostWindow::focusOutEvent(QFocusEvent* event) {
    QWindow::focusOutEvent(event);
    // Qt has already set the new focus window: none of ours means another program has it.
    if (FClient && !QGuiApplication::focusWindow()) FClient->HostDeactivated();
}

void QtHostWindow::exposeEvent(QExposeEvent*) {
    if (!isExposed()) return;
    if (FClient) FClient->HostExposed();
}

void QtHostWindow::resizeEvent(QResizeEvent*) {
    if (FBackingStore) FBackingStore->resize(size());
    FInputRegion = {};
    Resized();
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
    if (IsDesktop()) KeepAtBottom();
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

#pragma once
// The host window on a real display: a frameless QWindow with an alpha channel. This part is what
// every window system shares: input reaches the client as the scene expects it, and by default the
// backing store's image is the scene's one frame buffer. The window systems derive from it for
// what they do differently (keeping the window at the bottom, the input shape, presenting).

#include <QBackingStore>
#include <QElapsedTimer>
#include <QWindow>
#include <memory>

#include "IHostWindow.h"

class QtHostWindow : public QWindow, public IHostWindow {
    Q_OBJECT
public:
    // The window system's part calls create() once its own settings are made.
    explicit QtHostWindow(THostWindowKind kind);
    ~QtHostWindow() override;

    void SetClient(IHostWindowClient* client) override { FClient = client; }
    void SetTitle(const QString& title) override { setTitle(title); }
    void SetGeometry(const QRect& rect) override;
    QRect Geometry() const override { return geometry(); }
    void Show() override;
    void Hide() override { hide(); }
    bool IsVisible() const override { return isVisible(); }
    void Raise() override;

    using IHostWindow::BeginPaint;
    QImage* BeginPaint(const QRegion& region, const QRegion& covered) override;
    using IHostWindow::EndPaint;
    void EndPaint(const QRegion& region, const QRegion& opaque) override;
    std::uint64_t PresentedFrames() const override { return FPresentedFrames; }
    std::uint64_t FirstFramePresentedAt() const override { return FFirstFramePresentedAt; }
    // In device pixels, as the window system's shapes take it.
    QRegion InputRegion() const override { return FInputRegion; }

    void SetCursor(TCursor cursor) override;
    void StartSystemMove() override { startSystemMove(); }
    void StartSystemResize(Qt::Edges edges) override { startSystemResize(edges); }
    void Activate() override { requestActivate(); }
    bool GrabKeyboard(bool grab) override { return setKeyboardGrabEnabled(grab); }

protected:
    bool IsDesktop() const { return FKind == THostWindowKind::HW_Desktop; }
    IHostWindowClient* Client() const { return FClient; }
    QBackingStore& BackingStore() { return *FBackingStore; }
    // For a window system that presents a frame buffer of its own (BeginPaint and EndPaint
    // overridden): Qt's backing store would only hold a second, unused copy of the window.
    void DropBackingStore() { FBackingStore.reset(); }
    // Takes the alpha of the painted region into the input region, the pixels of `opaque` without
    // reading them; true when it changed.
    bool TakeInputRegion(const QImage& image, const QRegion& region, const QRegion& opaque = QRegion());
    void ClearInputRegion() { FInputRegion = {}; }
    void CountPresentedFrame();
    // The frame buffer while a frame is painted.
    QImage* PaintImage() const { return FPaintImage; }
    // The part of the frame being painted that the window shows from pictures it holds rather
    // than from the frame buffer: left out when the frame buffer is presented.
    virtual QRegion FrameHeldRegion() const { return {}; }

    // Puts the desktop window back below every other window.
    virtual void KeepAtBottom() { lower(); }
    // Called after the desktop window has been shown by Show().
    virtual void Shown(bool firstShow) {}
    // The frame is painted and its input region taken, but not yet shown: the last moment to change
    // its pixels in place or to shape the window for it. `region` is in the image's (device) pixels,
    // as is `opaque`, the part of it known to hold only opaque pixels.
    virtual void FinishFrame(QImage& image, const QRegion& region, const QRegion& opaque,
                             bool inputRegionChanged) {}
    // After a frame has been presented (the input region may have changed).
    virtual void Presented(bool inputRegionChanged) {}
    // Waits until the window system has read what was presented so far: the backing store does so
    // before pixels it was given to prepare are painted again, and the pixels it was not given
    // need the same.
    virtual void WaitForPresented() {}
    virtual void Resized() {}

    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool IsDoublePress(const QMouseEvent* event);

    THostWindowKind FKind;
    IHostWindowClient* FClient = nullptr;
    std::unique_ptr<QBackingStore> FBackingStore;
    QImage* FPaintImage = nullptr;
    // What was presented since the last wait, as one rectangle around it.
    QRect FPresentedUnread;
    QRegion FInputRegion;
    std::uint64_t FPresentedFrames = 0;
    std::uint64_t FFirstFramePresentedAt = 0;
    // Our own double-click detection: the second press itself is the double press, as on Windows.
    QElapsedTimer FLastPressTime;
    QPointF FLastPressPos;
    Qt::MouseButton FLastPressButton = Qt::NoButton;
};

#pragma once
// The host window on a real display: a frameless QWindow with an alpha channel whose backing
// store image is the scene's one frame buffer. On X11 its input shape follows the drawn pixels.

#include <QBackingStore>
#include <QElapsedTimer>
#include <QWindow>
#include <memory>

#include "IHostWindow.h"

class QtHostWindow : public QWindow, public IHostWindow {
    Q_OBJECT
public:
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

    QImage* BeginPaint(const QRegion& region) override;
    void EndPaint(const QRegion& region) override;
    std::uint64_t PresentedFrames() const override { return FPresentedFrames; }
    QRegion InputRegion() const override { return FInputRegion; }

    void SetCursor(TCursor cursor) override;
    void StartSystemMove() override { startSystemMove(); }
    void StartSystemResize(Qt::Edges edges) override { startSystemResize(edges); }
    void Activate() override { requestActivate(); }

protected:
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

private:
    bool IsDoublePress(const QMouseEvent* event);
    void ApplyShapes();
    void KeepAtBottom();

    THostWindowKind FKind;
    IHostWindowClient* FClient = nullptr;
    std::unique_ptr<QBackingStore> FBackingStore;
    QImage* FPaintImage = nullptr;
    QRegion FInputRegion;
    bool FShapeDirty = true;
    bool FCompositor = true;
    std::uint64_t FPresentedFrames = 0;
    // Our own double-click detection: the second press itself is the double press, as on Windows.
    QElapsedTimer FLastPressTime;
    QPointF FLastPressPos;
    Qt::MouseButton FLastPressButton = Qt::NoButton;
};

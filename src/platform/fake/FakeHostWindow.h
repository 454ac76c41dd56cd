#pragma once
// A host window without a display: it keeps the frame buffer, records what was presented and
// the geometry it was given, and lets a test send mouse and keyboard input to its client.

#include <map>
#include <vector>

#include "IHostWindow.h"

class FakePlatform;

class FakeHostWindow : public IHostWindow {
public:
    FakeHostWindow(FakePlatform& platform, THostWindowKind kind);
    ~FakeHostWindow() override;

    void SetClient(IHostWindowClient* client) override { FClient = client; }
    void SetTitle(const QString& title) override { FTitle = title; }
    void SetGeometry(const QRect& rect) override;
    QRect Geometry() const override { return FGeometry; }
    void Show() override { FVisible = true; }
    void Hide() override { FVisible = false; }
    bool IsVisible() const override { return FVisible; }
    void Raise() override { ++FRaiseCount; }

    using IHostWindow::BeginPaint;
    QImage* BeginPaint(const QRegion& region, const QRegion& covered) override;
    using IHostWindow::EndPaint;
    void EndPaint(const QRegion& region, const QRegion& opaque) override;
    std::uint64_t PresentedFrames() const override { return FPresentedFrames; }
    // Only after SetHoldsPictures(true), as a window system that keeps pictures does.
    std::uint64_t HoldPicture(const QImage& picture) override;
    void ReleasePicture(std::uint64_t id) override;
    // Throws std::logic_error for a picture not held, or outside a paint.
    void ShowHeldPicture(std::uint64_t id, QPoint at, const QRegion& region) override;
    // In device pixels, as the window system takes it.
    QRegion InputRegion() const override { return FInputRegion; }

    void SetCursor(TCursor cursor) override { FCursor = cursor; }
    void StartSystemMove() override { ++FSystemMoves; }
    void StartSystemResize(Qt::Edges edges) override { FLastResizeEdges = edges; }
    void Activate() override { ++FActivations; }
    bool GrabKeyboard(bool grab) override {
        FKeyboardGrabbed = grab;
        return true;
    }
    bool KeyboardGrabbed() const { return FKeyboardGrabbed; }

    // --- the test's side ---
    // As on a screen with that many device pixels per logical one (2 on a doubled screen): the
    // frame buffer has the device size and carries the ratio.
    void SetDevicePixelRatio(qreal ratio);
    THostWindowKind Kind() const { return FKind; }
    QString Title() const { return FTitle; }
    // What the window shows: the frame buffer, with the parts shown from held pictures.
    const QImage& FrameBuffer() const { return FHoldsPictures ? FScreen : FBuffer; }
    // Keeps pictures as a window system would: what a frame shows from them is left out of the
    // frame buffer, which holds a marker colour there (HeldMarker) until it is painted again or
    // the picture is let go (its pixels then go into the frame buffer), so that painting that
    // relies on those pixels shows.
    void SetHoldsPictures(bool holds);
    static constexpr QRgb HeldMarker = 0xFFFF00FF;
    const QImage& PaintBuffer() const { return FBuffer; }
    std::size_t HeldPictures() const { return FHeld.size(); }
    // Per presented frame, the part shown from held pictures.
    const std::vector<QRegion>& HeldRegions() const { return FHeldRegions; }
    const std::vector<QRegion>& PresentedRegions() const { return FPresentedRegions; }
    // What each pass said at its start it would overwrite wholly itself.
    const std::vector<QRegion>& CoveredRegions() const { return FCovered; }
    // The part of each presented region that the painter declared opaque (the input region here is
    // always read from all the pixels, so that a wrong declaration shows).
    const std::vector<QRegion>& PresentedOpaqueRegions() const { return FPresentedOpaque; }
    TCursor Cursor() const { return FCursor; }
    int SystemMoves() const { return FSystemMoves; }
    int RaiseCount() const { return FRaiseCount; }
    int Activations() const { return FActivations; }
    Qt::Edges LastResizeEdges() const { return FLastResizeEdges; }
    IHostWindowClient* Client() const { return FClient; }

    void MouseDown(TMouseButton button, QPointF pos, TShiftState shift = {});
    void MouseMove(QPointF pos, TShiftState shift = {});
    void MouseUp(TMouseButton button, QPointF pos, TShiftState shift = {});
    // Press, release, press with ssDouble, release: what a double click sends.
    void DoubleClick(TMouseButton button, QPointF pos);
    void Click(TMouseButton button, QPointF pos);
    void Wheel(int delta, QPointF pos, TShiftState shift = {});
    void Leave();
    void KeyDown(int key, QChar text = {}, TShiftState shift = {});
    // Another program took the keyboard (a click into one of its windows).
    void Deactivate() {
        if (FClient) FClient->HostDeactivated();
    }
    // A drag from another program moved over pos, then dropped there when the client took it;
    // false when the client refused (nothing is dropped then).
    bool DragOver(const TDropData& data, QPointF pos);
    bool DragAndDrop(const TDropData& data, QPointF pos);

private:
    void NewBuffer();

    FakePlatform& FPlatform;
    THostWindowKind FKind;
    IHostWindowClient* FClient = nullptr;
    QString FTitle;
    QRect FGeometry;
    bool FVisible = false;
    QImage FBuffer;
    bool FHoldsPictures = false;
    bool FPainting = false;
    QImage FScreen;
    std::map<std::uint64_t, QImage> FHeld;
    std::uint64_t FNextHeldId = 1;
    struct TShownPart {
        std::uint64_t Id;
        QImage Picture;
        QPoint At;
        QRegion Region;
    };
    std::vector<TShownPart> FFrameHeld;
    // What the screen shows from held pictures and the frame buffer lacks, by picture.
    std::multimap<std::uint64_t, TShownPart> FShown;
    std::vector<QRegion> FHeldRegions;
    qreal FRatio = 1.0;
    QRegion FInputRegion;
    std::vector<QRegion> FPresentedRegions;
    std::vector<QRegion> FPresentedOpaque;
    std::vector<QRegion> FCovered;
    std::uint64_t FPresentedFrames = 0;
    TCursor FCursor = TCursor::crDefault;
    int FSystemMoves = 0;
    int FRaiseCount = 0;
    int FActivations = 0;
    bool FKeyboardGrabbed = false;
    Qt::Edges FLastResizeEdges;
    TShiftState FButtonsDown;
};

#include "FakeHostWindow.h"

#include <QPainter>

#include <algorithm>
#include <stdexcept>

#include "AlphaRegion.h"
#include "FakePlatform.h"

FakeHostWindow::FakeHostWindow(FakePlatform& platform, THostWindowKind kind)
    : FPlatform(platform), FKind(kind) {
    FPlatform.FHostWindows.push_back(this);
}

FakeHostWindow::~FakeHostWindow() {
    auto& windows = FPlatform.FHostWindows;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void FakeHostWindow::SetDevicePixelRatio(qreal ratio) {
    FRatio = ratio;
    NewBuffer();
}

void FakeHostWindow::SetGeometry(const QRect& rect) {
    const bool resized = rect.size() != FGeometry.size();
    FGeometry = rect;
    if (!resized) return;
    NewBuffer();
    if (FClient) FClient->HostResized(rect.size());
}

void FakeHostWindow::NewBuffer() {
    const QSize logical = FGeometry.size().expandedTo({1, 1});
    FBuffer = QImage((QSizeF(logical) * FRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    FBuffer.setDevicePixelRatio(FRatio);
    FBuffer.fill(Qt::transparent);
    FScreen = FBuffer.copy();
    FShown.clear();
    FInputRegion = {};
}

void FakeHostWindow::SetHoldsPictures(bool holds) {
    FHoldsPictures = holds;
    FScreen = FBuffer.copy();
}

std::uint64_t FakeHostWindow::HoldPicture(const QImage& picture) {
    if (!FHoldsPictures || picture.isNull()) return 0;
    const std::uint64_t id = FNextHeldId++;
    FHeld[id] = picture;
    return id;
}

void FakeHostWindow::ReleasePicture(std::uint64_t id) {
    FHeld.erase(id);
    const auto [first, last] = FShown.equal_range(id);
    QPainter buffer(&FBuffer);
    buffer.setCompositionMode(QPainter::CompositionMode_Source);
    for (auto it = first; it != last; ++it)
        for (const QRect& r : it->second.Region)
            buffer.drawImage(r.topLeft(), it->second.Picture, r.translated(-it->second.At));
    FShown.erase(first, last);
}

void FakeHostWindow::ShowHeldPicture(std::uint64_t id, QPoint at, const QRegion& region) {
    const auto held = FHeld.find(id);
    if (held == FHeld.end() || !FPainting) throw std::logic_error("no such held picture, or not painting");
    FFrameHeld.push_back({id, held->second, at, region});
}

QImage* FakeHostWindow::BeginPaint(const QRegion&, const QRegion& covered) {
    FCovered.push_back(covered);
    FPainting = true;
    return &FBuffer;
}

void FakeHostWindow::EndPaint(const QRegion& region, const QRegion& opaque) {
    FPresentedRegions.push_back(region);
    FPresentedOpaque.push_back(opaque);
    ++FPresentedFrames;
    FPainting = false;
    if (!FHoldsPictures) {
        UpdateAlphaRegion(FInputRegion, FBuffer, DeviceRegion(region, FRatio));
        return;
    }
    // The screen takes the painted pixels, then those of the held pictures; the frame buffer
    // keeps the marker where it was not painted.
    const QRegion device = DeviceRegion(region, FRatio);
    QRegion held;
    for (const TShownPart& part : FFrameHeld) held += part.Region;
    {
        QPainter screen(&FScreen);
        screen.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect& r : device - held) screen.drawImage(r.topLeft(), FBuffer, r);
        for (const TShownPart& part : FFrameHeld)
            for (const QRect& r : part.Region)
                screen.drawImage(r.topLeft(), part.Picture, r.translated(-part.At));
    }
    for (const QRect& r : held) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(FBuffer.scanLine(y));
            std::fill(line + r.left(), line + r.right() + 1, HeldMarker);
        }
    }
    FHeldRegions.push_back(held);
    for (auto it = FShown.begin(); it != FShown.end();) {
        it->second.Region -= device;
        it = it->second.Region.isEmpty() ? FShown.erase(it) : std::next(it);
    }
    for (TShownPart& part : FFrameHeld) FShown.emplace(part.Id, std::move(part));
    FFrameHeld.clear();
    UpdateAlphaRegion(FInputRegion, FScreen, device);
}

namespace {
TShiftState ButtonFlag(TMouseButton button) {
    switch (button) {
        case TMouseButton::mbLeft:
            return TShiftFlag::ssLeft;
        case TMouseButton::mbRight:
            return TShiftFlag::ssRight;
        case TMouseButton::mbMiddle:
            return TShiftFlag::ssMiddle;
    }
    return {};
}
}  // namespace

void FakeHostWindow::MouseDown(TMouseButton button, QPointF pos, TShiftState shift) {
    FButtonsDown |= ButtonFlag(button);
    if (FClient) FClient->HostMouseDown(button, shift | FButtonsDown, pos);
}

void FakeHostWindow::MouseMove(QPointF pos, TShiftState shift) {
    if (FClient) FClient->HostMouseMove(shift | FButtonsDown, pos);
}

void FakeHostWindow::MouseUp(TMouseButton button, QPointF pos, TShiftState shift) {
    FButtonsDown &= ~ButtonFlag(button);
    if (FClient) FClient->HostMouseUp(button, shift | FButtonsDown, pos);
}

void FakeHostWindow::Click(TMouseButton button, QPointF pos) {
    MouseDown(button, pos);
    MouseUp(button, pos);
}

void FakeHostWindow::DoubleClick(TMouseButton button, QPointF pos) {
    Click(button, pos);
    MouseDown(button, pos, TShiftFlag::ssDouble);
    MouseUp(button, pos);
}

void FakeHostWindow::Wheel(int delta, QPointF pos, TShiftState shift) {
    if (FClient) FClient->HostMouseWheel(shift | FButtonsDown, delta, pos);
}

void FakeHostWindow::Leave() {
    if (FClient) FClient->HostMouseLeave();
}

void FakeHostWindow::KeyDown(int key, QChar text, TShiftState shift) {
    if (FClient) FClient->HostKeyDown(key, text, shift);
}

bool FakeHostWindow::DragOver(const TDropData& data, QPointF pos) {
    return FClient && FClient->HostDragOver(data, pos);
}

bool FakeHostWindow::DragAndDrop(const TDropData& data, QPointF pos) {
    if (!DragOver(data, pos)) return false;
    FClient->HostDrop(data, pos);
    return true;
}

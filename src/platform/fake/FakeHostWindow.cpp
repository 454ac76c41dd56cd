#include "FakeHostWindow.h"

#include <algorithm>

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
    FInputRegion = {};
}

QImage* FakeHostWindow::BeginPaint(const QRegion&, const QRegion& covered) {
    FCovered.push_back(covered);
    return &FBuffer;
}

void FakeHostWindow::EndPaint(const QRegion& region, const QRegion& opaque) {
    FPresentedRegions.push_back(region);
    FPresentedOpaque.push_back(opaque);
    ++FPresentedFrames;
    UpdateAlphaRegion(FInputRegion, FBuffer, DeviceRegion(region, FRatio));
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

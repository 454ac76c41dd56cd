#include "X11HostWindow.h"

#include <QPaintEvent>
#include <QPointer>

#include <algorithm>
#include <cstring>

#include "BackdropBlend.h"
#include "IPlatform.h"
#include "X11Backdrop.h"
#include "X11OutsideClicks.h"
#include "X11PicturePixmap.h"
#include "X11Window.h"

X11HostWindow::X11HostWindow(THostWindowKind kind) : QtHostWindow(kind) {
    create();
    if (IsDesktop()) X11Window::SetDesktopLevelHints(winId());
    if (X11Window::IsAvailable()) {
        FCompositor = X11Backdrop::Instance().CompositorRunning();
        FBackdropListener = X11Backdrop::Instance().AddListener([this] { BackdropChanged(); });
    }
}

namespace {

// The rows of `region` (window pixels) from `picture`, its top-left pixel at `at`, into `frame`.
void WritePicture(QImage& frame, const QImage& picture, QPoint at, const QRegion& region) {
    const QRegion written = region & frame.rect() & QRect(at, picture.size());
    for (const QRect& r : written)
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(frame.scanLine(y) + static_cast<std::size_t>(r.left()) * 4,
                        picture.constScanLine(y - at.y()) + static_cast<std::size_t>(r.left() - at.x()) * 4,
                        static_cast<std::size_t>(r.width()) * 4);
}

}  // namespace

X11HostWindow::~X11HostWindow() {
    if (FBackdropListener) X11Backdrop::Instance().RemoveListener(FBackdropListener);
}

bool X11HostWindow::GrabKeyboard(bool grab) {
    const bool held = QtHostWindow::GrabKeyboard(grab);
    if (grab && !FOutsideClicks) {
        FOutsideClicks = std::make_unique<X11OutsideClicks>([self = QPointer<X11HostWindow>(this)] {
            if (self && self->Client()) self->Client()->HostDeactivated();
        });
    }
    if (FOutsideClicks) FOutsideClicks->SetWatching(grab);
    return held;
}

void X11HostWindow::Show() {
    // Qt rewrites _NET_WM_STATE on show from its own flags; write ours again so that nothing is lost.
    if (IsDesktop() && !isVisible()) X11Window::SetDesktopLevelHints(winId());
    QtHostWindow::Show();
}

void X11HostWindow::Shown(bool firstShow) {
    if (firstShow) X11Window::SetDesktopLevelHints(winId());
}

std::uint64_t X11HostWindow::HoldPicture(const QImage& picture) {
    if (!X11Window::IsAvailable() || devicePixelRatio() != 1.0) return 0;
    auto pixmap = std::make_unique<X11PicturePixmap>(winId(), picture);
    if (!pixmap->IsValid()) return 0;
    const std::uint64_t id = FNextHeldId++;
    FHeld.emplace(id, std::move(pixmap));
    return id;
}

void X11HostWindow::ReleasePicture(std::uint64_t id) {
    const auto held = FHeld.find(id);
    if (held == FHeld.end()) return;
    std::erase_if(FFrameHeld, [id](const THeldPart& part) { return part.Id == id; });
    // Still shown: kept until the next frame, which mostly paints those pixels anew (the end of a
    // slide paints the whole panel); what it leaves goes into the frame buffer then.
    if (std::any_of(FShownHeld.begin(), FShownHeld.end(),
                    [id](const THeldPart& part) { return part.Id == id; })) {
        FReleased.push_back(id);
        return;
    }
    FHeld.erase(held);
}

void X11HostWindow::WriteReleasedParts(QImage& image) {
    bool waited = false;
    for (const THeldPart& part : FShownHeld) {
        if (std::find(FReleased.begin(), FReleased.end(), part.Id) == FReleased.end()) continue;
        const auto held = FHeld.find(part.Id);
        if (held == FHeld.end()) continue;
        // Once the server has read what was presented from the frame buffer so far.
        if (!waited) WaitForPresented();
        waited = true;
        WritePicture(image, held->second->Picture(), part.At, part.Region);
    }
    std::erase_if(FShownHeld, [this](const THeldPart& part) {
        return std::find(FReleased.begin(), FReleased.end(), part.Id) != FReleased.end();
    });
    for (const std::uint64_t id : FReleased) FHeld.erase(id);
    FReleased.clear();
}

void X11HostWindow::ShowHeldPicture(std::uint64_t id, QPoint at, const QRegion& region) {
    const auto held = FHeld.find(id);
    if (held == FHeld.end()) return;
    // Not a frame of one pixel per device pixel: the frame buffer takes the pixels after all.
    if (!PaintImage() || PaintImage()->devicePixelRatio() != 1.0) {
        if (PaintImage()) WritePicture(*PaintImage(), held->second->Picture(), at, region);
        return;
    }
    FFrameHeld.push_back({id, at, region});
}

QRegion X11HostWindow::FrameHeldRegion() const {
    QRegion held;
    for (const THeldPart& part : FFrameHeld) held += part.Region;
    return held;
}

void X11HostWindow::Presented(bool) {
    if (FFrameHeld.empty()) return;
    for (const THeldPart& part : FFrameHeld) {
        const auto held = FHeld.find(part.Id);
        if (held != FHeld.end()) held->second->CopyTo(part.Region, part.At);
        FShownHeld.push_back(part);
    }
    FFrameHeld.clear();
}

void X11HostWindow::ShowHeldParts(const QRegion& region) {
    for (const THeldPart& part : FShownHeld) {
        const auto held = FHeld.find(part.Id);
        if (held != FHeld.end()) held->second->CopyTo(part.Region & region, part.At);
    }
}

void X11HostWindow::WaitForPresented() {
    X11Window::Sync();
}

void X11HostWindow::Resized() {
    // The frame buffer starts anew: the next frame paints all of it.
    FShownHeld.clear();
    for (const std::uint64_t id : FReleased) FHeld.erase(id);
    FReleased.clear();
    FShapeDirty = true;
    FHasFrame = false;
}

void X11HostWindow::FinishFrame(QImage& image, const QRegion& region, const QRegion& opaque,
                                bool inputRegionChanged) {
    if (inputRegionChanged) FShapeDirty = true;
    // What this frame paints no longer shows a held picture from before.
    for (THeldPart& part : FShownHeld) part.Region -= region;
    std::erase_if(FShownHeld, [](const THeldPart& part) { return part.Region.isEmpty(); });
    if (!FReleased.empty()) WriteReleasedParts(image);
    // Opaque pixels come out of the blend as they went in.
    if (BlendsItself()) BlendOverBackdrop(image, opaque.isEmpty() ? region : region - opaque);
    // Shaped before the pixels are sent, so that a growing shape already shows them.
    ApplyShapes();
    if ((QRegion(image.rect()) - region).isEmpty()) FHasFrame = true;
}

bool X11HostWindow::BlendsItself() const {
    return FBackdropListener && !X11Backdrop::Instance().CompositorRunning();
}

void X11HostWindow::moveEvent(QMoveEvent* event) {
    QtHostWindow::moveEvent(event);
    // The blended frame holds the wallpaper of the old place: a moved window is drawn anew.
    if (BlendsItself() && FHasFrame) BackdropChanged();
}

void X11HostWindow::BlendOverBackdrop(QImage& image, const QRegion& region) {
    // The frame is blended in place: the backing store's image stays the one frame buffer. What was
    // blended is repainted whole when the backdrop or the compositor changes (BackdropChanged).
    if (!FDesktopColorKnown) {
        FDesktopColor = Platform().Shell().DesktopColor();
        FDesktopColorKnown = true;
    }
    const QRgb color =
        qRgb(static_cast<int>(FDesktopColor & 0xFF), static_cast<int>((FDesktopColor >> 8) & 0xFF),
             static_cast<int>((FDesktopColor >> 16) & 0xFF));
    const QPoint origin = mapToGlobal(QPoint(0, 0)) * devicePixelRatio();
    ::BlendOverBackdrop(image, region, X11Backdrop::Instance().Picture(), origin, color);
}

void X11HostWindow::BackdropChanged() {
    FShapeDirty = true;
    FHasFrame = false;
    FDesktopColorKnown = false;
    // The frame in the backing store was blended for the old backdrop, or not at all: draw it anew.
    if (Client()) Client()->HostExposed();
}

void X11HostWindow::exposeEvent(QExposeEvent* event) {
    if (!isExposed()) return;
    // A whole frame is at hand: paintEvent shows the exposed part again, with no drawing (without a
    // compositor every growing bounding shape exposes the part it adds).
    if (FHasFrame) {
        ApplyShapes();
        return;
    }
    FShapeDirty = true;
    QtHostWindow::exposeEvent(event);
    ApplyShapes();
}

void X11HostWindow::paintEvent(QPaintEvent* event) {
    if (!FHasFrame || !isExposed()) return;
    QRegion shown;
    for (const THeldPart& part : FShownHeld) shown += part.Region;
    BackingStore().flush(shown.isEmpty() ? event->region() : event->region() - shown);
    if (!shown.isEmpty()) ShowHeldParts(event->region());
}

void X11HostWindow::ApplyShapes() {
    // Window managers copy a client's input shape to their frame only when it changes on a mapped
    // window, so the shape waits until the window is exposed.
    if (!isExposed()) return;
    const bool compositor = !FBackdropListener || X11Backdrop::Instance().CompositorRunning();
    if (!FShapeDirty && compositor == FCompositor) return;
    X11Window::SetInputShape(winId(), InputRegion());
    // Without a compositor X shows transparent pixels as black: show only the drawn ones.
    if (!compositor)
        X11Window::SetBoundingShape(winId(), InputRegion());
    else if (!FCompositor)
        X11Window::ClearBoundingShape(winId());
    FCompositor = compositor;
    FShapeDirty = false;
}

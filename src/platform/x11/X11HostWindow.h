#pragma once
// The host window on X11: the EWMH hints that keep it on the desktop, and the Shape extension's
// input shape (and, without a compositor, bounding shape) following the drawn pixels. Without a
// compositor every host window also blends its frame over the root's picture itself, so that the
// desktop window looks as it does with one and a floating window's translucent parts show the
// wallpaper rather than black.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "QtHostWindow.h"

class X11OutsideClicks;
class X11PicturePixmap;

class X11HostWindow : public QtHostWindow {
    Q_OBJECT
public:
    explicit X11HostWindow(THostWindowKind kind);
    ~X11HostWindow() override;

    void Show() override;
    // While the keyboard is held, a click into another program deactivates the window as losing
    // the focus would: the window holding the keyboard is not the focus window.
    bool GrabKeyboard(bool grab) override;
    // Pictures go to pixmaps of the X server, which copies from them into the window.
    std::uint64_t HoldPicture(const QImage& picture) override;
    void ReleasePicture(std::uint64_t id) override;
    void ShowHeldPicture(std::uint64_t id, QPoint at, const QRegion& region) override;

protected:
    void Shown(bool firstShow) override;
    void FinishFrame(QImage& image, const QRegion& region, const QRegion& opaque,
                     bool inputRegionChanged) override;
    void Resized() override;
    QRegion FrameHeldRegion() const override;
    void Presented(bool inputRegionChanged) override;
    void WaitForPresented() override;
    void exposeEvent(QExposeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyShapes();
    void BackdropChanged();
    void BlendOverBackdrop(QImage& image, const QRegion& region);
    bool BlendsItself() const;
    void ShowHeldParts(const QRegion& region);
    // Puts what is still shown of the pictures let go into the frame buffer, and drops them.
    void WriteReleasedParts(QImage& image);

    // A part of the window that shows a held picture rather than the frame buffer's pixels.
    struct THeldPart {
        std::uint64_t Id;
        QPoint At;
        QRegion Region;
    };
    std::map<std::uint64_t, std::unique_ptr<X11PicturePixmap>> FHeld;
    std::uint64_t FNextHeldId = 1;
    // This frame's parts, then those shown since and not painted over.
    std::vector<THeldPart> FFrameHeld;
    std::vector<THeldPart> FShownHeld;
    // Let go by the scene, still shown until the next frame.
    std::vector<std::uint64_t> FReleased;

    std::unique_ptr<X11OutsideClicks> FOutsideClicks;
    bool FShapeDirty = true;
    bool FCompositor = true;
    // The backing store holds a whole frame, so an expose only needs it shown again.
    bool FHasFrame = false;
    int FBackdropListener = 0;
    bool FDesktopColorKnown = false;
    unsigned FDesktopColor = 0;
};

#pragma once
// A borderless window with per-pixel alpha on which a scene draws. The window owns the one
// frame buffer: the scene paints into it between BeginPaint and EndPaint, then the window shows
// the changed part. Mouse and keyboard input reach the scene through IHostWindowClient.

#include <QFlags>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <cstdint>

enum class THostWindowKind {
    HW_Desktop,  // the main form: below every window, on every workspace, absent from the taskbar
    HW_Tool      // an ordinary movable frameless window (the desktop file window)
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum class TShiftFlag {
    ssShift = 0x1,
    ssAlt = 0x2,
    ssCtrl = 0x4,
    ssLeft = 0x8,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40
};
Q_DECLARE_FLAGS(TShiftState, TShiftFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

enum class TCursor {
    crDefault,
    crArrow,
    crHandPoint,
    crSizeAll,
    crSizeNWSE,
    crSizeNESW,
    crSizeWE,
    crSizeNS,
    crIBeam
};

// What a drag from another program (a file manager, a browser) carries, as far as the program can
// use it: local files and folders, and addresses.
struct TDropData {
    QStringList LocalFiles;  // local paths, from file:// addresses
    QStringList Addresses;   // other addresses (web pages), and a dragged text that is one
    bool IsEmpty() const { return LocalFiles.isEmpty() && Addresses.isEmpty(); }
};

class IHostWindowClient {
public:
    virtual ~IHostWindowClient() = default;
    // Positions are in window pixels. A double press arrives as a press with ssDouble set.
    virtual void HostMouseDown(TMouseButton button, TShiftState shift, QPointF pos) = 0;
    virtual void HostMouseMove(TShiftState shift, QPointF pos) = 0;
    virtual void HostMouseUp(TMouseButton button, TShiftState shift, QPointF pos) = 0;
    virtual void HostMouseWheel(TShiftState shift, int delta, QPointF pos) = 0;
    virtual void HostMouseLeave() = 0;
    virtual void HostKeyDown(int key, QChar text, TShiftState shift) = 0;
    virtual void HostKeyUp(int key, QChar text, TShiftState shift) = 0;
    // A drag from another program is over the window at pos (window pixels): true when a drop
    // there would be taken. A drop follows only after a true answer.
    virtual bool HostDragOver(const TDropData& data, QPointF pos) { return false; }
    virtual void HostDrop(const TDropData& data, QPointF pos) {}
    // Another program took the keyboard from the window (the user clicked into it or switched to
    // it); not sent when it goes to another window of this program.
    virtual void HostDeactivated() {}
    // The window's size changed (by the program or the window manager).
    virtual void HostResized(QSize size) = 0;
    // The window system lost the picture (mapped again, exposed): redraw all of it.
    virtual void HostExposed() = 0;
};

class IHostWindow {
public:
    virtual ~IHostWindow() = default;

    virtual void SetClient(IHostWindowClient* client) = 0;
    virtual void SetTitle(const QString& title) = 0;
    virtual void SetGeometry(const QRect& rect) = 0;
    virtual QRect Geometry() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    virtual void Raise() = 0;  // brings an ordinary window forward; the desktop window stays below

    // The frame buffer, premultiplied ARGB of the window's size. Paint the region, then present it.
    // `covered` is a part of the region that the painter will overwrite wholly itself: the window
    // need not prepare (clear) those pixels. `opaque` is a part of the region that the painting is
    // known to have covered with fully opaque pixels (it may be less than all of them): the window
    // takes those pixels as drawn, without reading their alpha again.
    virtual QImage* BeginPaint(const QRegion& region, const QRegion& covered) = 0;
    QImage* BeginPaint(const QRegion& region) { return BeginPaint(region, QRegion()); }
    virtual void EndPaint(const QRegion& region, const QRegion& opaque) = 0;
    void EndPaint(const QRegion& region) { EndPaint(region, QRegion()); }
    // A large opaque picture that the next frames show unchanged, only at other places (a sliding
    // panel): the window may keep a copy of it with the window system, so that a frame shows part
    // of it from there rather than from pixels copied into the frame buffer. 0 where the window
    // keeps none; the id otherwise, until ReleasePicture.
    virtual std::uint64_t HoldPicture(const QImage& picture) { return 0; }
    virtual void ReleasePicture(std::uint64_t id) {}
    // Between BeginPaint and EndPaint: the frame's pixels of `region` (device pixels, opaque and
    // inside the painted region) are those of the held picture with its top-left pixel at `at`.
    // The painter left them out of the frame buffer; the window shows them from its copy.
    virtual void ShowHeldPicture(std::uint64_t id, QPoint at, const QRegion& region) {}
    // The frames presented so far (for measurements).
    virtual std::uint64_t PresentedFrames() const = 0;
    // When the first of them was presented, in milliseconds of the monotonic clock QElapsedTimer
    // reads; 0 before it, or where the window does not keep it.
    virtual std::uint64_t FirstFramePresentedAt() const { return 0; }
    // The set of window pixels that take mouse input (the pixels whose alpha is above 0).
    virtual QRegion InputRegion() const = 0;

    virtual void SetCursor(TCursor cursor) = 0;
    // Lets the window system move the window with the pointer (a drag on an empty spot).
    virtual void StartSystemMove() = 0;
    virtual void StartSystemResize(Qt::Edges edges) = 0;
    // Keyboard focus to this window.
    virtual void Activate() = 0;
    // While on, every key goes to this window whatever has the focus (the launch key's search);
    // false when the window system refused.
    virtual bool GrabKeyboard(bool grab) { return false; }
};

#pragma once
// The scene host: a platform window showing a scene tree. It collects dirty rectangles and redraws
// them once per posted task straight into the window's frame buffer, presents the changed part,
// and turns the window's mouse input into the objects' mouse events (hover, capture, cursor,
// dragging or resizing the window from empty spots and size grips).

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "IPlatform.h"
#include "IvgScene.h"
#include "vgBrush.h"
#include "vgQtCanvas.h"
#include "vgTypes.h"

class TvgObject;
#include "vgResources.h"
class TvgVisualObject;

// When effects of an object are painted: under it (before its own painting) or on top (after).
enum class TvgEffectStage { esBeforePaint, esAfterPaint };
// Paints the effects of an object that has some, at one stage; installed by the effects unit.
using TvgEffectPainter =
    std::function<void(TvgVisualObject& AObject, TvgCanvas& Canvas, TvgEffectStage AStage)>;

// Asked while a drag from another program is over the scene (ADrop false: would it be taken?) and
// when it is dropped (ADrop true). P is in scene coordinates.
using TvgDropHandler = std::function<bool(const TDropData& AData, const TvgPoint& P, bool ADrop)>;

class TvgScene : public QObject, public IvgScene, public IHostWindowClient {
    Q_OBJECT
    Q_PROPERTY(bool Transparency READ Transparency WRITE SetTransparency)
    Q_PROPERTY(TvgBrush* Fill READ Fill CONSTANT)
    Q_PROPERTY(bool AlignRoot READ AlignRoot WRITE SetAlignRoot)

public:
    // Rectangles beyond this count are merged into their union before a draw.
    static constexpr int MaxUpdateRects = 20;
    // A window's parent with this tag keeps its form from being dragged by empty spots.
    static constexpr int NoDragTag = 65535;

    explicit TvgScene(QObject* AOwner = nullptr, THostWindowKind AKind = THostWindowKind::HW_Desktop);
    ~TvgScene() override;

    IHostWindow* HostWindow() const { return FHostWindow.get(); }
    // Places and sizes the window; a new size realigns the root.
    void SetBounds(const QRect& ARect);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void Show();
    void Hide();

    bool Transparency() const { return FTransparency; }
    void SetTransparency(bool value);
    TvgBrush* Fill() const { return FFill; }
    bool AlignRoot() const { return FAlignRoot; }
    void SetAlignRoot(bool value) { FAlignRoot = value; }
    // The Tag of the scene's parent control (NoDragTag keeps the window from being dragged).
    int ParentTag() const { return FParentTag; }
    void SetParentTag(int value) { FParentTag = value; }
    TvgResources* Style() const { return FStyle; }
    void SetStyle(TvgResources* value);
    void SetDisableUpdate(bool value) { FDisableUpdate = value; }

    // --- IvgScene ---
    void AddUpdateRect(const TvgRect& R) override;
    bool GetDisableUpdate() const override { return FDisableUpdate; }
    TvgObject* GetRoot() const override;
    void AddObject(TvgObject* AObject) override;
    void RemoveObject(TvgObject* AObject) override;
    TvgResources* GetStyle() const override { return FStyle; }
    TvgCanvas* GetCanvas() const override { return FCanvas.get(); }
    TvgVisualObject* GetCaptured() const override;
    void SetCaptured(TvgVisualObject* AObject) override;
    TvgVisualObject* GetFocused() const override;
    void SetFocused(TvgVisualObject* AObject) override;
    QPoint LocalToScreen(const TvgPoint& P) const override;

    // --- drawing ---
    const std::vector<TvgRect>& UpdateRects() const { return FUpdateRects; }
    bool Drawing() const { return FDrawing; }
    // Draws the dirty rectangles now (normally run by the posted redraw task).
    void DrawUpdateRects();
    // Paints the children of an object with the skip and clip rules (the tree's child painter).
    void PaintChildrenOf(TvgVisualObject& AObject, TvgCanvas& Canvas);
    static void SetEffectPainter(TvgEffectPainter APainter);

    // --- kept pictures ---
    // Paints the object (with everything under it) once into a picture of its own; until the
    // picture is let go, the passes that follow copy it to wherever the object has been moved
    // instead of painting the object again. Anything inside the object that changes its look lets
    // the picture go, as does a scale, rotation or opacity reaching it from above. False (nothing
    // kept) for a root, an object that is not shown in this scene, one that is scaled or rotated,
    // or during a pass.
    bool KeepPicture(TvgVisualObject& AObject);
    // Lets the picture go at once.
    void DropPicture(TvgVisualObject& AObject);
    // Lets the picture go after the pass already due has used it (at once when none is due).
    void ReleasePicture(TvgVisualObject& AObject);
    // The picture kept for the object (device pixels), or null.
    const QImage* KeptPicture(const TvgVisualObject& AObject) const;
    // How many passes drew an object from its kept picture (for measurements and tests).
    int KeptPictureDraws() const { return FKeptPictureDraws; }
    void LookChanged(TvgVisualObject& AObject) override;

    // --- mouse state ---
    TvgVisualObject* Hovered() const;
    // The topmost hit-testable object at a scene point, over the roots from the last one.
    TvgVisualObject* ObjectAtPoint(const TvgPoint& P) const;
    TvgPoint MousePos() const { return FMousePos; }
    TvgPoint DownPos() const { return FDownPos; }
    bool Dragging() const { return FDragging; }
    bool Resizing() const { return FResizing; }
    QString HintText() const { return FHintText; }
    void SetLoadCursor(int value) { FLoadCursor = value; }

    // --- IHostWindowClient ---
    void HostMouseDown(TMouseButton button, TShiftState shift, QPointF pos) override;
    void HostMouseMove(TShiftState shift, QPointF pos) override;
    void HostMouseUp(TMouseButton button, TShiftState shift, QPointF pos) override;
    void HostMouseWheel(TShiftState shift, int delta, QPointF pos) override;
    void HostMouseLeave() override;
    void HostKeyDown(int key, QChar text, TShiftState shift) override;
    void HostKeyUp(int key, QChar text, TShiftState shift) override;
    bool HostDragOver(const TDropData& data, QPointF pos) override;
    void HostDrop(const TDropData& data, QPointF pos) override;
    void SetOnDrop(TvgDropHandler AHandler) { FOnDrop = std::move(AHandler); }
    void HostDeactivated() override;
    // Runs when another program takes the keyboard from the window.
    void SetOnDeactivated(std::function<void()> AHandler) { FOnDeactivated = std::move(AHandler); }
    void HostResized(QSize size) override;
    void HostExposed() override;

private:
    void PostRedraw();
    std::vector<TvgRect> UncoveredLateRects();
    void InvalidateAll();
    void RealignRoot();
    // Paints the background and the roots over it; the pixels of ACovered are not cleared first.
    void PaintPass(const QRegion& ACovered);
    bool ClearsOnly() const;
    void PaintBackground(const QRegion& ACovered);
    void PaintRoot(TvgVisualObject& ARoot);
    void PaintChild(TvgVisualObject& AParent, TvgVisualObject& AChild, TvgCanvas& Canvas);
    // The object and its subtree, without its parent's clip and its after-paint effects.
    void PaintObject(TvgVisualObject& AChild, TvgCanvas& Canvas);
    bool TouchesUpdateRects(const TvgRect& R) const;
    // Marks the children that those painted after them hide wholly behind opaque pixels within
    // this pass's dirty area; empty when none is hidden.
    std::vector<char> HiddenChildren(TvgVisualObject& AParent, const std::vector<TvgObject*>& AChildren,
                                     const TvgObject* ASkipped);
    void ApplyEffects(TvgVisualObject& AObject, TvgCanvas& Canvas, TvgEffectStage AStage);
    void ShowCursor(int ACursor);
    void SetHovered(TvgVisualObject* AObject);
    void StartFirstDrawTimer();
    struct TKeptPicture {
        QPointer<TvgVisualObject> Object;
        QImage Picture;     // premultiplied, device pixels
        QImage OpaqueView;  // the same pixels as opaque ones, when every one is: copied, not blended
        QPoint Origin;      // the picture's top-left corner in device pixels when it was made
        QPointF MadeAt;     // the object's absolute translation then, in scene units
        float Opacity = 1;  // its absolute opacity then
        bool Released = false;
        std::uint64_t HeldId = 0;  // the window's copy of the picture, when it keeps one
        // Of a picture with see-through pixels: its pixels that are neither fully see-through nor
        // opaque, and its opaque ones (picture pixels), once a held picture lay under it.
        QRegion Partial;
        QRegion Solid;
        bool AlphaRegionsFound = false;
    };
    // A part of the frame that a held picture fills: left out of the frame buffer until something
    // is painted over it, and shown by the window from its copy.
    struct THeldPart {
        std::uint64_t Id;
        QImage Picture;
        QPoint At;
        QRegion Region;
    };
    // Writes the pixels of `area` (device pixels) that held pictures fill into the frame buffer,
    // before something is painted over them.
    void WriteHeldParts(const QRegion& area);
    void WriteHeldParts(const QRect& area) { WriteHeldParts(QRegion(area)); }
    void WriteAllHeldParts();
    QRect DeviceArea(const TvgRect& AArea) const;
    static bool PaintsOnlyChildren(const TvgVisualObject& AObject);
    // Removes the kept pictures `which` selects, letting the window's copies go.
    void EraseKept(const std::function<bool(const TKeptPicture&)>& which);
    TKeptPicture* FindKept(const TvgVisualObject& AObject);
    // Copies the object's kept picture to its place, inside the parent's clip already set; false
    // (nothing drawn) when it has none or the picture no longer shows it.
    bool DrawKept(TvgVisualObject& AChild, TvgCanvas& Canvas);
    // The device pixels of a kept picture at `area` that the pass's clip and the clips of the
    // object's parents surely let through (rounded inwards); empty when a parent is turned.
    // AExact, when given, is cleared if a clip has an edge between pixels.
    QRegion SurelyUnclipped(TvgVisualObject& AChild, const QRect& area, bool* AExact = nullptr) const;
    // What the pass about to start will surely cover by copying opaque kept pictures, as far as
    // can be told before it paints (SurelyUnclipped of every one that shows its object).
    QRegion CoverOfKeptPictures();
    // Where the picture goes now: its corner when made, moved as far as the object has moved.
    QPoint KeptPicturePlace(const TKeptPicture& AKept, const QTransform& AMatrix) const;
    void DropReleasedPictures();

    std::unique_ptr<IHostWindow> FHostWindow;
    std::unique_ptr<TvgQtCanvas> FCanvas;
    std::vector<TvgObject*> FChildren;
    std::vector<TvgRect> FUpdateRects;
    // Invalidations raised while a pass paints.
    std::vector<TvgRect> FLateRects;
    bool FRedrawPosted = false;
    std::shared_ptr<bool> FAlive;
    bool FDrawing = false;
    bool FDisableUpdate = false;
    bool FDestroying = false;
    bool FTransparency = false;
    bool FAlignRoot = true;
    int FParentTag = 0;
    int FWidth = 0;
    int FHeight = 0;
    TvgBrush* FFill;
    QPointer<TvgResources> FStyle;
    QPointer<TvgVisualObject> FHovered;
    QPointer<TvgVisualObject> FCaptured;
    QPointer<TvgVisualObject> FFocused;
    TvgPoint FMousePos;
    TvgPoint FDownPos;
    bool FDragging = false;
    bool FResizing = false;
    QSize FResizeSize;
    int FLoadCursor = 0;
    int FShownCursor = 0;
    QString FHintText;
    TimerId FShowTimer = 0;
    TvgDropHandler FOnDrop;
    std::vector<TKeptPicture> FKept;
    // The pixels this pass has covered with opaque kept pictures (what is painted over them later
    // leaves them opaque), passed on to the window so that it need not read them again.
    QRegion FPassOpaque;
    // The pixels opaque kept pictures were copied to (whatever was painted over them later).
    QRegion FPassCopied;
    QRegion FPassRegion;
    std::vector<THeldPart> FPassHeld;
    int FKeptPictureDraws = 0;
    // Device pixels per scene unit of the frame buffer the last pass painted into.
    qreal FDeviceRatio = 1.0;
    std::function<void()> FOnDeactivated;
};

// The framework cursor id of a scene object (0 default, −21 hand, −22 size-all, −8 diagonal size…)
// as a window cursor.
TCursor vgCursorFromId(int ACursor);

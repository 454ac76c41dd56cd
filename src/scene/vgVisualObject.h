#pragma once
// A scene object with geometry: position, size, scale and rotation, visibility, enabled state,
// opacity, hit testing, the mouse event model, invalidation and the layout pass over its children.
// Absolute opacity, enabled state, matrix and update rectangle are cached and recomputed only
// after an input changes (the invalidation reaches the whole subtree).

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "IHostWindow.h"
#include "vgEnums.h"
#include "vgObject.h"
#include "vgTypes.h"

class TvgBounds;
class TvgCanvas;
class TvgPosition;
class IPopupMenu;

using TNotifyEvent = std::function<void(TvgObject* Sender)>;
using TvgMouseEvent =
    std::function<void(TvgObject* Sender, TMouseButton Button, TShiftState Shift, float X, float Y)>;
using TvgMouseMoveEvent =
    std::function<void(TvgObject* Sender, TShiftState Shift, float X, float Y, float Dx, float Dy)>;
using TvgMouseWheelEvent = std::function<void(TvgObject* Sender, TShiftState Shift, int WheelDelta,
                                              const TvgPoint& MousePos, bool& Handled)>;
using TvgKeyEvent = std::function<void(TvgObject* Sender, int& Key, QChar& KeyChar, TShiftState Shift)>;
using TvgPaintEvent = std::function<void(TvgObject* Sender, TvgCanvas& Canvas, const TvgRect& ARect)>;
using TvgCanFocusedEvent = std::function<void(TvgObject* Sender, bool& ACanFocused)>;

// Paints the children of an object (the scene host installs it: it knows the canvas, the dirty
// rectangles and the clip rules).
using TvgChildPainter = void (*)(TvgVisualObject& AObject, TvgCanvas& Canvas);

// Why an object's area is drawn again: its look changed, or only its place.
enum class TvgRepaintCause { rcLook, rcMoved };

class TvgVisualObject : public TvgObject {
    Q_OBJECT
    Q_PROPERTY(TvgPosition* Position READ Position CONSTANT)
    Q_PROPERTY(float Width READ Width WRITE SetWidth)
    Q_PROPERTY(float Height READ Height WRITE SetHeight)
    Q_PROPERTY(TvgPosition* Scale READ Scale CONSTANT)
    Q_PROPERTY(float RotateAngle READ RotateAngle WRITE SetRotateAngle)
    Q_PROPERTY(TvgPosition* RotateCenter READ RotateCenter CONSTANT)
    Q_PROPERTY(Vg::TvgAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(TvgBounds* Padding READ Padding CONSTANT)
    Q_PROPERTY(TvgBounds* Margins READ Margins CONSTANT)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool HitTest READ HitTest WRITE SetHitTest)
    Q_PROPERTY(float Opacity READ Opacity WRITE SetOpacity)
    Q_PROPERTY(bool ClipChildren READ ClipChildren WRITE SetClipChildren)
    Q_PROPERTY(bool ClipParent READ ClipParent WRITE SetClipParent)
    Q_PROPERTY(bool CanClipped READ CanClipped WRITE SetCanClipped)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(Vg::TvgDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool AutoCapture READ AutoCapture WRITE SetAutoCapture)
    Q_PROPERTY(bool CanFocused READ CanFocused WRITE SetCanFocused)
    Q_PROPERTY(bool DesignHide READ DesignHide WRITE SetDesignHide)
    Q_PROPERTY(bool DisableDefaultAlign READ DisableDefaultAlign WRITE SetDisableDefaultAlign)
    // Read-only state that animation and effect triggers test by name.
    Q_PROPERTY(bool IsMouseOver READ IsMouseOver STORED false)
    Q_PROPERTY(bool IsFocused READ IsFocused STORED false)
    Q_PROPERTY(bool IsDragOver READ IsDragOver STORED false)
    Q_PROPERTY(bool IsVisible READ Visible STORED false)
    Q_PROPERTY(float AbsoluteOpacity READ AbsoluteOpacity STORED false)
    Q_PROPERTY(bool AbsoluteEnabled READ AbsoluteEnabled STORED false)

public:
    explicit TvgVisualObject(QObject* AOwner = nullptr);
    ~TvgVisualObject() override;

    // --- geometry ---
    TvgPosition* Position() const { return FPosition.get(); }
    float Width() const { return FWidth; }
    float Height() const { return FHeight; }
    virtual void SetWidth(float value);
    virtual void SetHeight(float value);
    TvgPosition* Scale() const { return FScale.get(); }
    float RotateAngle() const { return FRotateAngle; }
    void SetRotateAngle(float value);
    TvgPosition* RotateCenter() const { return FRotateCenter.get(); }
    TvgAlign Align() const { return FAlign; }
    virtual void SetAlign(TvgAlign value);
    TvgBounds* Padding() const { return FPadding.get(); }
    TvgBounds* Margins() const { return FMargins.get(); }
    // Position and size in one step.
    virtual void SetBounds(float X, float Y, float AWidth, float AHeight);

    // --- appearance and input ---
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool HitTest() const { return FHitTest; }
    void SetHitTest(bool value) { FHitTest = value; }
    float Opacity() const { return FOpacity; }
    // Clamped to 0..1.
    void SetOpacity(float value);
    bool ClipChildren() const { return FClipChildren; }
    void SetClipChildren(bool value);
    bool ClipParent() const { return FClipParent; }
    void SetClipParent(bool value);
    bool CanClipped() const { return FCanClipped; }
    void SetCanClipped(bool value) { FCanClipped = value; }
    bool Locked() const { return FLocked; }
    void SetLocked(bool value) { FLocked = value; }
    int Cursor() const { return FCursor; }
    void SetCursor(int value) { FCursor = value; }
    QString Hint() const { return FHint; }
    void SetHint(const QString& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }
    // Borrowed; shown on a right-button press.
    IPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(IPopupMenu* value) { FPopupMenu = value; }
    TvgDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TvgDragMode value) { FDragMode = value; }
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int value) { FTabOrder = value; }
    bool AutoCapture() const { return FAutoCapture; }
    void SetAutoCapture(bool value) { FAutoCapture = value; }
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool value) { FCanFocused = value; }
    bool DesignHide() const { return FDesignHide; }
    void SetDesignHide(bool value) { FDesignHide = value; }
    bool DisableDefaultAlign() const { return FDisableDefaultAlign; }
    void SetDisableDefaultAlign(bool value) { FDisableDefaultAlign = value; }

    // --- state ---
    bool IsMouseOver() const { return FIsMouseOver; }
    bool IsFocused() const { return FIsFocused; }
    bool IsDragOver() const { return FIsDragOver; }
    bool MouseInObject() const { return FMouseInObject; }
    void SetMouseInObject(bool value) { FMouseInObject = value; }
    bool Pressed() const { return FPressed; }
    bool DoubleClick() const { return FDoubleClick; }
    bool NeedAlign() const { return FNeedAlign; }
    bool DisableAlign() const { return FDisableAlign; }
    int Updating() const { return FUpdating; }
    float LastWidth() const { return FLastWidth; }
    float LastHeight() const { return FLastHeight; }
    const std::vector<TvgVisualObject*>& TabList() const { return FTabList; }

    // --- derived geometry (virtual so that subclasses can widen or move them) ---
    virtual TvgRect AbsoluteRect();
    virtual TvgMatrix AbsoluteMatrix();
    virtual TvgPoint AbsoluteScale();
    virtual TvgRect LocalRect();
    // The scene area the object and what it draws around it occupy; cached.
    virtual TvgRect UpdateRect();
    // Position and size in the parent's coordinates.
    virtual TvgRect BoundsRect();
    // The local rectangle mapped into the parent's coordinates.
    virtual TvgRect ParentedRect();
    virtual TvgRect ClipRect();
    const TvgMatrix& LocalMatrix() const { return FLocalMatrix; }
    virtual bool AbsoluteEnabled();
    virtual float AbsoluteOpacity();
    virtual TvgPoint AbsoluteToLocal(const TvgPoint& P);
    virtual TvgPoint LocalToAbsolute(const TvgPoint& P);
    // X, Y in scene coordinates; strictly inside (a point on the left or top edge is outside).
    virtual bool PointInObject(float X, float Y);
    // The topmost hit-testable object under a scene point, or null.
    virtual TvgVisualObject* ObjectByPoint(float X, float Y);
    // False when the object or a visual ancestor is hidden.
    virtual bool CheckParentVisible();

    // --- invalidation and layout ---
    virtual void Repaint();
    // R in local coordinates.
    void InvalidateRect(const TvgRect& R);
    virtual void BeginUpdate();
    virtual void EndUpdate();
    // The layout pass over the children.
    virtual void Realign();
    // Rebuilds the local matrix from position, scale and rotation and invalidates what depends on it.
    void RecalcMatrix();
    // Marks the cached opacity, enabled state, matrix and update rectangle of the subtree stale.
    void InvalidateCaches();
    void RecalcUpdateRect();
    void RecalcOpacity();
    void RecalcEnabled();

    // --- effects (found among the children) ---
    bool HasEffect() const { return FHasEffect; }
    void RecalcHasEffect();
    // The effects' cached pictures must be rendered again.
    void UpdateEffects();
    // Only which effects are enabled (or how they are drawn) changed: the next paint looks at the
    // effects again, but a picture rendered since the last UpdateEffects is still the object's.
    void RecheckEffects() { FUpdateEffects = true; }
    bool EffectsStale() const { return FUpdateEffects; }
    void SetEffectsStale(bool value) { FUpdateEffects = value; }
    // Counts the UpdateEffects calls: a picture rendered at another count shows an older look.
    std::uint64_t EffectsContent() const { return FEffectsContent; }
    QImage& EffectBitmap() { return FEffectBitmap; }
    // The union of the enabled effects' areas in local units (empty without effects).
    TvgRect EffectsRect();

    // --- focus and style parts ---
    void SetFocus();
    // Sets Locked on the object and all visual descendants.
    void Lock();

    // --- input steps (the scene calls these; X, Y are local coordinates) ---
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y);
    virtual void MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y);
    // MousePos is the current mouse position in scene coordinates.
    virtual void MouseWheel(TShiftState Shift, int WheelDelta, const TvgPoint& MousePos, bool& Handled);
    virtual void KeyDown(int& Key, QChar& KeyChar, TShiftState Shift);
    virtual void KeyUp(int& Key, QChar& KeyChar, TShiftState Shift);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // X, Y local; opens the popup menu at the screen point.
    virtual void ContextMenu(float X, float Y);
    virtual void EnterFocus();
    virtual void KillFocus();
    virtual void ApplyResource() {}

    // --- painting (the canvas holds the object's absolute matrix) ---
    // The part of the local rectangle that Paint fills with fully opaque pixels when the object is
    // drawn at full opacity, whatever lies beneath; empty (the default) when the object does not
    // know of one. A pass need not paint what such parts of later objects hide.
    virtual TvgRect OpaqueRect() { return {}; }
    virtual void BeforePaintStep(TvgCanvas& Canvas) {}
    virtual void Paint(TvgCanvas& Canvas) {}
    virtual void AfterPaintStep(TvgCanvas& Canvas) {}
    virtual void PaintChildren(TvgCanvas& Canvas);
    static void SetChildPainter(TvgChildPainter APainter);
    static TvgChildPainter ChildPainter();

    // --- events ---
    void SetOnMouseDown(TvgMouseEvent h) { Handlers().MouseDown = std::move(h); }
    void SetOnMouseUp(TvgMouseEvent h) { Handlers().MouseUp = std::move(h); }
    void SetOnMouseMove(TvgMouseMoveEvent h) { Handlers().MouseMove = std::move(h); }
    void SetOnMouseWheel(TvgMouseWheelEvent h) { Handlers().MouseWheel = std::move(h); }
    void SetOnClick(TNotifyEvent h) { Handlers().Click = std::move(h); }
    void SetOnDblClick(TNotifyEvent h) { Handlers().DblClick = std::move(h); }
    void SetOnMouseEnter(TNotifyEvent h) { Handlers().MouseEnter = std::move(h); }
    void SetOnMouseLeave(TNotifyEvent h) { Handlers().MouseLeave = std::move(h); }
    void SetOnKeyDown(TvgKeyEvent h) { Handlers().KeyDown = std::move(h); }
    void SetOnKeyUp(TvgKeyEvent h) { Handlers().KeyUp = std::move(h); }
    void SetOnEnterFocus(TNotifyEvent h) { Handlers().EnterFocus = std::move(h); }
    void SetOnKillFocus(TNotifyEvent h) { Handlers().KillFocus = std::move(h); }
    void SetOnCanFocused(TvgCanFocusedEvent h) { Handlers().CanFocused = std::move(h); }
    void SetOnBeforePaint(TvgPaintEvent h) { Handlers().BeforePaint = std::move(h); }
    void SetOnPaint(TvgPaintEvent h) { Handlers().Paint = std::move(h); }
    void SetOnApplyResource(TNotifyEvent h) { Handlers().ApplyResource = std::move(h); }
    const TvgPaintEvent& OnBeforePaint() const;
    const TvgPaintEvent& OnPaint() const;

    void Loaded() override;

protected:
    // A container whose size follows its children (a scroll box's content) answers true, so that
    // a child's size change lays it out even when the child is not aligned.
    virtual bool RealignsOnChildResize() const { return false; }
    virtual void MarginsChanged();
    virtual void PaddingChanged();
    virtual void MatrixChanged();
    void RepaintArea(TvgRepaintCause ACause);
    void ParentChanged() override;
    // The parent as a visual object (null when it is not one).
    TvgVisualObject* VisualParent() const;
    // The object that counts as the scene's root for the disabled look.
    bool IsRootOrRootChild() const;
    // Stores a size the layout pass or SetBounds computed; true when it changed.
    bool StoreSize(float AWidth, float AHeight);
    void PositionChanged();
    // The object is attached to a scene and not loading: changes must be shown and laid out.
    bool Live() const;

    // Empty when none was set.
    const TNotifyEvent& OnApplyResource() const;

private:
    friend class TvgObject;
    friend class TvgAligner;

    void SetUpdatingRecursive(int AValue);
    void RealignParentAfterResize();
    // What a new width or height sets off once stored: matrix, caches, layout and repaint.
    void SizeChanged();
    void InvalidateUpdateRectUp();
    void LoseFocusIfDisabled();
    TvgRect ComputeUpdateRect();

    // Sub-objects are held here rather than owned as QObject children: an object is made with
    // five of them, and each child added to a QObject is announced to it by an event.
    std::unique_ptr<TvgPosition> FPosition;
    std::unique_ptr<TvgPosition> FScale;
    std::unique_ptr<TvgPosition> FRotateCenter;
    std::unique_ptr<TvgBounds> FPadding;
    std::unique_ptr<TvgBounds> FMargins;
    float FWidth = 50;
    float FHeight = 50;
    float FRotateAngle = 0;
    TvgAlign FAlign = vaNone;
    bool FVisible = true;
    bool FEnabled = true;
    bool FHitTest = true;
    float FOpacity = 1;
    bool FClipChildren = false;
    bool FClipParent = false;
    bool FCanClipped = true;
    bool FLocked = false;
    int FCursor = 0;
    QString FHint;
    bool FShowHint = false;
    IPopupMenu* FPopupMenu = nullptr;
    TvgDragMode FDragMode = vgDragManual;
    int FTabOrder = -1;
    bool FAutoCapture = false;
    bool FCanFocused = false;
    bool FDesignHide = false;
    bool FDisableDefaultAlign = false;

    bool FIsMouseOver = false;
    bool FIsFocused = false;
    bool FIsDragOver = false;
    bool FMouseInObject = false;
    bool FPressed = false;
    bool FDoubleClick = false;

    float FLastWidth = 50;
    float FLastHeight = 50;
    bool FNeedAlign = false;
    bool FDisableAlign = false;
    int FUpdating = 0;

    TvgMatrix FLocalMatrix;
    TvgMatrix FAbsoluteMatrix;
    TvgRect FUpdateRect;
    float FAbsoluteOpacity = 1;
    bool FAbsoluteEnabled = true;
    bool FRecalcAbsolute = true;
    bool FRecalcOpacity = true;
    bool FRecalcEnabled = true;
    bool FRecalcUpdateRect = true;

    bool FHasEffect = false;
    bool FUpdateEffects = true;
    std::uint64_t FEffectsContent = 1;
    QImage FEffectBitmap;

    std::vector<TvgVisualObject*> FTabList;

    // The event handlers, kept apart and made when the first is set: most objects of a scene (the
    // parts of thousands of notes) take none, and sixteen empty handlers cost half a kilobyte.
    struct THandlers {
        TvgMouseEvent MouseDown;
        TvgMouseEvent MouseUp;
        TvgMouseMoveEvent MouseMove;
        TvgMouseWheelEvent MouseWheel;
        TNotifyEvent Click;
        TNotifyEvent DblClick;
        TNotifyEvent MouseEnter;
        TNotifyEvent MouseLeave;
        TvgKeyEvent KeyDown;
        TvgKeyEvent KeyUp;
        TNotifyEvent EnterFocus;
        TNotifyEvent KillFocus;
        TvgCanFocusedEvent CanFocused;
        TvgPaintEvent BeforePaint;
        TvgPaintEvent Paint;
        TNotifyEvent ApplyResource;
    };
    THandlers& Handlers();
    std::unique_ptr<THandlers> FHandlers;
};

#pragma once
// A selection frame: dragging its body moves it, dragging one of its four corner grips resizes it,
// kept inside its parent and never below a minimum size. With HideSelection it draws nothing but
// still moves and resizes, which is how the dock and the notes become draggable. Its grip squares
// are always covered at alpha 1, so that the host window takes presses there.

#include <functional>

#include "vgVisualObject.h"

class TvgSelection : public TvgVisualObject {
    Q_OBJECT
    Q_PROPERTY(bool ParentBounds READ ParentBounds WRITE SetParentBounds)
    Q_PROPERTY(bool HideSelection READ HideSelection WRITE SetHideSelection)
    Q_PROPERTY(int MinSize READ MinSize WRITE SetMinSize)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(float GripSize READ GripSize WRITE SetGripSize)

public:
    Q_INVOKABLE explicit TvgSelection(QObject* AOwner = nullptr);

    bool ParentBounds() const { return FParentBounds; }
    void SetParentBounds(bool value) { FParentBounds = value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool value);
    int MinSize() const { return FMinSize; }
    // Values of 0 or less are stored as 1; an existing size is not corrected.
    void SetMinSize(int value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool value) { FProportional = value; }
    float GripSize() const { return FGripSize; }
    // Clamped to 1..20.
    void SetGripSize(float value);

    void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
    void SetOnTrack(TNotifyEvent handler) { FOnTrack = std::move(handler); }

    // The grips reach GripSize beyond the frame, so they are part of its hit area and its repaints.
    bool PointInObject(float X, float Y) override;
    TvgRect AbsoluteRect() override;

    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void MouseLeave() override;
    void Paint(TvgCanvas& Canvas) override;

    // Drag and hover state, for the look and for tests.
    bool Moving() const { return FMove; }
    bool LeftTopHot() const { return FLeftTopHot; }
    bool RightTopHot() const { return FRightTopHot; }
    bool RightBottomHot() const { return FRightBottomHot; }
    bool LeftBottomHot() const { return FLeftBottomHot; }

protected:
    // The part of the frame, in its local coordinates, that a drag keeps inside the parent: the
    // frame's own rectangle, unless the frame shows things beyond it.
    virtual TvgRect ShownRect();
    // Ends the drag that the current press started; its release raises no OnChange.
    void CancelDrag() { FMove = FLeftTop = FLeftBottom = FRightTop = FRightBottom = false; }

private:
    enum class TCorner { LeftTop, RightTop, RightBottom, LeftBottom };

    TvgPoint CornerPoint(TCorner corner) const;
    bool InGrip(TCorner corner, const TvgPoint& P) const;
    void UpdateHover();
    // The grip squares, barely opaque, so that the window takes the mouse there.
    void PaintGripCatchers(TvgCanvas& Canvas);
    void MoveStep();
    void ResizeStep(float X, float Y);
    // A direction in the parent's space, expressed in the frame's own space.
    TvgPoint ParentVectorToLocal(float dx, float dy);
    bool AnyDrag() const { return FMove || FLeftTop || FLeftBottom || FRightTop || FRightBottom; }
    float ParentWidth() const;
    float ParentHeight() const;

    bool FParentBounds = true;
    bool FHideSelection = false;
    int FMinSize = 15;
    bool FProportional = false;
    float FGripSize = 3;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnTrack;

    float FRatio = 1;
    bool FMove = false;
    bool FLeftTop = false;
    bool FLeftBottom = false;
    bool FRightTop = false;
    bool FRightBottom = false;
    bool FLeftTopHot = false;
    bool FLeftBottomHot = false;
    bool FRightTopHot = false;
    bool FRightBottomHot = false;
    TvgPoint FDownPos;
    TvgPoint FMovePos;
};

#include "vgSelection.h"

#include <algorithm>

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgPosition.h"

VG_REGISTER_CLASS(TvgSelection)

namespace {
constexpr TvgColor FrameColor = 0xFF1072C5u;
constexpr TvgColor GripColor = 0xFFFFFFFFu;
constexpr TvgColor HotGripColor = 0xFFFF0000u;
// White at alpha 1 of 255.
constexpr TvgColor GripCatcherColor = 0x01FFFFFFu;

float R(float value) {
    return static_cast<float>(RoundHalfEven(value));
}
}  // namespace

TvgSelection::TvgSelection(QObject* AOwner) : TvgVisualObject(AOwner) {
    SetAutoCapture(true);
}

void TvgSelection::SetHideSelection(bool value) {
    if (FHideSelection == value) return;
    FHideSelection = value;
    Repaint();
}

void TvgSelection::SetMinSize(int value) {
    FMinSize = value <= 0 ? 1 : value;
}

void TvgSelection::SetGripSize(float value) {
    value = std::clamp(value, 1.0f, 20.0f);
    if (FGripSize == value) return;
    FGripSize = value;
    Repaint();
}

TvgPoint TvgSelection::CornerPoint(TCorner corner) const {
    switch (corner) {
        case TCorner::LeftTop:
            return {0, 0};
        case TCorner::RightTop:
            return {Width(), 0};
        case TCorner::RightBottom:
            return {Width(), Height()};
        case TCorner::LeftBottom:
            return {0, Height()};
    }
    return {};
}

bool TvgSelection::InGrip(TCorner corner, const TvgPoint& P) const {
    const TvgPoint c = CornerPoint(corner);
    return P.X >= c.X - FGripSize && P.X <= c.X + FGripSize && P.Y >= c.Y - FGripSize &&
           P.Y <= c.Y + FGripSize;
}

bool TvgSelection::PointInObject(float X, float Y) {
    if (TvgVisualObject::PointInObject(X, Y)) return true;
    const TvgPoint local = AbsoluteToLocal({X, Y});
    for (TCorner corner : {TCorner::LeftTop, TCorner::RightTop, TCorner::RightBottom, TCorner::LeftBottom})
        if (InGrip(corner, local)) return true;
    return false;
}

TvgRect TvgSelection::AbsoluteRect() {
    const float grow = FGripSize + 4;
    return TvgVisualObject::AbsoluteRect().Inflate(grow, grow);
}

TvgRect TvgSelection::ShownRect() {
    return {0, 0, Width(), Height()};
}

float TvgSelection::ParentWidth() const {
    const TvgObject* parent = Parent();
    return parent && parent->Visual() ? parent->Visual()->Width() : 0;
}

float TvgSelection::ParentHeight() const {
    const TvgObject* parent = Parent();
    return parent && parent->Visual() ? parent->Visual()->Height() : 0;
}

void TvgSelection::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgVisualObject::MouseDown(Button, Shift, X, Y);
    FDownPos = {X, Y};
    if (Button != TMouseButton::mbLeft) return;
    FRatio = Width() / Height();
    if (InGrip(TCorner::LeftTop, FDownPos)) {
        FLeftTop = true;
    } else if (InGrip(TCorner::RightTop, FDownPos)) {
        FRightTop = true;
    } else if (InGrip(TCorner::RightBottom, FDownPos)) {
        FRightBottom = true;
    } else if (InGrip(TCorner::LeftBottom, FDownPos)) {
        FLeftBottom = true;
    } else {
        FMove = true;
    }
}

void TvgSelection::UpdateHover() {
    struct THover {
        TCorner Corner;
        bool& Flag;
    };
    const THover hovers[] = {{TCorner::LeftTop, FLeftTopHot},
                             {TCorner::RightTop, FRightTopHot},
                             {TCorner::RightBottom, FRightBottomHot},
                             {TCorner::LeftBottom, FLeftBottomHot}};
    for (const THover& hover : hovers) {
        const bool inside = InGrip(hover.Corner, FMovePos);
        if (inside == hover.Flag) continue;
        hover.Flag = inside;
        Repaint();
    }
}

void TvgSelection::MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) {
    TvgVisualObject::MouseMove(Shift, X, Y, Dx, Dy);
    // Hover follows the pointer only while nothing is held, so a drag does not light other grips.
    if (Shift == TShiftState()) {
        FMovePos = {X, Y};
        UpdateHover();
        return;
    }
    if (!Shift.testFlag(TShiftFlag::ssLeft)) return;
    FMovePos = {X, Y};
    if (FMove) {
        MoveStep();
    } else if (FLeftTop || FRightTop || FRightBottom || FLeftBottom) {
        ResizeStep(X, Y);
    }
}

void TvgSelection::MoveStep() {
    float x = Position()->X() + FMovePos.X - FDownPos.X;
    float y = Position()->Y() + FMovePos.Y - FDownPos.Y;
    if (FParentBounds && Parent() && Parent()->Visual()) {
        // The right and bottom rules come last, so a frame wider than its parent ends at a
        // negative position with its right edge on the parent's.
        const TvgRect shown = ShownRect();
        if (x + shown.Left < 0) x = -shown.Left;
        if (y + shown.Top < 0) y = -shown.Top;
        if (x + shown.Right > ParentWidth()) x = ParentWidth() - shown.Right;
        if (y + shown.Bottom > ParentHeight()) y = ParentHeight() - shown.Bottom;
    }
    Position()->SetPoint({x, y});
    if (FOnTrack) FOnTrack(this);
}

TvgPoint TvgSelection::ParentVectorToLocal(float dx, float dy) {
    TvgPoint absolute{dx, dy};
    if (const TvgObject* parent = Parent(); parent && parent->Visual()) {
        const TvgMatrix m = parent->Visual()->AbsoluteMatrix();
        absolute = {dx * m.m11 + dy * m.m21, dx * m.m12 + dy * m.m22};
    }
    const TvgMatrix inverse = InvertMatrix(AbsoluteMatrix());
    return {absolute.X * inverse.m11 + absolute.Y * inverse.m21,
            absolute.X * inverse.m12 + absolute.Y * inverse.m22};
}

void TvgSelection::ResizeStep(float X, float Y) {
    TvgPoint pointer = LocalToAbsolute({X, Y});
    if (const TvgObject* parent = Parent(); parent && parent->Visual())
        pointer = parent->Visual()->AbsoluteToLocal(pointer);
    float q = pointer.X;
    float r = pointer.Y;
    if (FParentBounds && Parent() && Parent()->Visual()) {
        r = std::clamp(r, 0.0f, ParentHeight());
        q = std::clamp(q, 0.0f, ParentWidth());
    }
    const float x0 = Position()->X();
    const float y0 = Position()->Y();
    float x = x0, y = y0, w = Width(), h = Height();
    const auto minSize = static_cast<float>(FMinSize);
    auto clampFree = [&] {
        if (minSize > w) w = minSize;
        if (minSize > h) h = minSize;
    };
    auto clampProportional = [&] {
        if (minSize > w) w = minSize;
        if (minSize > w / FRatio) w = R(minSize * FRatio);
    };

    Repaint();
    if (FLeftTop) {
        const TvgPoint d = ParentVectorToLocal(x0 - (q + FDownPos.X), y0 - (r + FDownPos.Y));
        if (!FProportional) {
            w += d.X;
            h += d.Y;
            x = q + FDownPos.X;
            y = r + FDownPos.Y;
            clampFree();
        } else {
            w += d.X;
            const float w1 = w;
            clampProportional();
            x = q + FDownPos.X - (w - w1);
            y = y0 + h - R(w / FRatio);
            h = R(w / FRatio);
        }
    } else if (FRightTop) {
        const TvgPoint d = ParentVectorToLocal(q - x0, y0 - (r + FDownPos.Y));
        if (!FProportional) {
            w = d.X;
            h += d.Y;
            y = r + FDownPos.Y;
            clampFree();
        } else {
            w = d.X;
            clampProportional();
            y = y0 + h - R(w / FRatio);
            h = R(w / FRatio);
        }
    } else if (FRightBottom) {
        const TvgPoint d = ParentVectorToLocal(q - x0, r - y0);
        w = d.X;
        if (!FProportional) {
            h = d.Y;
            clampFree();
        } else {
            clampProportional();
            h = R(w / FRatio);
        }
    } else if (FLeftBottom) {
        const TvgPoint d = ParentVectorToLocal(x0 - (q + FDownPos.X), r - y0);
        if (!FProportional) {
            w += d.X;
            x = q + FDownPos.X;
            h = d.Y;
            clampFree();
        } else {
            w += d.X;
            const float w1 = w;
            clampProportional();
            x = q + FDownPos.X - (w - w1);
            h = R(w / FRatio);
        }
    }
    SetBounds(x, y, w, h);
    Repaint();
    if (FOnTrack) FOnTrack(this);
}

void TvgSelection::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgVisualObject::MouseUp(Button, Shift, X, Y);
    if (AnyDrag() && FOnChange) FOnChange(this);
    FMove = FLeftTop = FLeftBottom = FRightTop = FRightBottom = false;
}

void TvgSelection::MouseLeave() {
    TvgVisualObject::MouseLeave();
    FLeftTopHot = FLeftBottomHot = FRightTopHot = FRightBottomHot = false;
    Repaint();
}

void TvgSelection::PaintGripCatchers(TvgCanvas& Canvas) {
    // A window takes the mouse only where its pixels are not fully transparent. The grips often
    // lie on transparent corners of the frame's picture (the dock's rounded ends), so each grip
    // square is covered with white at the least alpha there is: invisible on any background, yet
    // a press anywhere in the square reaches the frame and resizes it.
    if (AbsoluteOpacity() <= 0) return;
    Canvas.Fill().SetStyle(vgBrushSolid);
    Canvas.Fill().SetSolidColor(GripCatcherColor);
    for (TCorner corner : {TCorner::LeftTop, TCorner::RightTop, TCorner::RightBottom, TCorner::LeftBottom}) {
        const TvgPoint c = CornerPoint(corner);
        Canvas.FillRect(QRectF(c.X - FGripSize, c.Y - FGripSize, 2 * FGripSize, 2 * FGripSize), 0, 0,
                        TvgCorners(), 1, vgCornerRound);
    }
}

void TvgSelection::Paint(TvgCanvas& Canvas) {
    // The drawn grips are circles: the corners of their squares take the mouse through these too.
    PaintGripCatchers(Canvas);
    if (FHideSelection) return;
    const float opacity = AbsoluteOpacity();
    const TvgCorners allCorners =
        vgCornerTopLeft | vgCornerTopRight | vgCornerBottomLeft | vgCornerBottomRight;
    Canvas.Stroke().SetStyle(vgBrushSolid);
    Canvas.Stroke().SetSolidColor(FrameColor);
    Canvas.SetStrokeThickness(1);
    Canvas.SetStrokeDash(vgDashDash);
    Canvas.DrawRect(QRectF(QPointF(0.5, 0.5), QPointF(Width() - 0.5, Height() - 0.5)), 0, 0, allCorners,
                    opacity, vgCornerRound);
    Canvas.SetStrokeDash(vgDashSolid);

    struct TGrip {
        TCorner Corner;
        bool Hot;
    };
    const TGrip grips[] = {{TCorner::LeftTop, FLeftTopHot},
                           {TCorner::RightTop, FRightTopHot},
                           {TCorner::LeftBottom, FLeftBottomHot},
                           {TCorner::RightBottom, FRightBottomHot}};
    Canvas.Fill().SetStyle(vgBrushSolid);
    for (const TGrip& grip : grips) {
        const TvgPoint c = CornerPoint(grip.Corner);
        const QRectF circle(c.X - FGripSize, c.Y - FGripSize, 2 * FGripSize, 2 * FGripSize);
        Canvas.Fill().SetSolidColor(grip.Hot ? HotGripColor : GripColor);
        Canvas.FillEllipse(circle, opacity);
        Canvas.DrawEllipse(circle, opacity);
    }
}

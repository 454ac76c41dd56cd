#include "vgVisualObject.h"

#include <algorithm>
#include <cmath>

#include "IvgScene.h"
#include "vgBounds.h"
#include "vgClassRegistry.h"
#include "vgPosition.h"

VG_REGISTER_CLASS(TvgVisualObject)

namespace {

TvgChildPainter gChildPainter = nullptr;

// A disabled object that is neither the root nor directly under it is drawn at this share of its
// parent's opacity, so nested disabled parts fade a little more at every level.
constexpr float kDisabledOpacity = 0.8f;
// Focused objects draw a glow just outside their rectangle.
constexpr float kFocusMargin = 5;

}  // namespace

TvgVisualObject::TvgVisualObject(QObject* AOwner)
    : TvgObject(AOwner),
      FPosition(std::make_unique<TvgPosition>(TvgPoint{0, 0})),
      FScale(std::make_unique<TvgPosition>(TvgPoint{1, 1})),
      FRotateCenter(std::make_unique<TvgPosition>(TvgPoint{0.5f, 0.5f})),
      FPadding(std::make_unique<TvgBounds>()),
      FMargins(std::make_unique<TvgBounds>()) {
    MarkVisual(this);
    FPosition->SetOnChange([this] { PositionChanged(); });
    FScale->SetOnChange([this] {
        Repaint();
        RecalcMatrix();
        Repaint();
    });
    FRotateCenter->SetOnChange([this] {
        Repaint();
        RecalcMatrix();
        Repaint();
    });
    FPadding->SetOnChange([this] { PaddingChanged(); });
    FMargins->SetOnChange([this] { MarginsChanged(); });
    RecalcMatrix();
}

TvgVisualObject::~TvgVisualObject() {
    SetDestroying();
    Detach();
    DeleteChildren();
}

TvgVisualObject* TvgVisualObject::VisualParent() const {
    return Parent() ? Parent()->Visual() : nullptr;
}

bool TvgVisualObject::Live() const {
    return Scene() && !Loading();
}

// --- geometry ---

void TvgVisualObject::SetWidth(float value) {
    if (FWidth == value) return;
    Repaint();
    FWidth = value;
    SizeChanged();
}

void TvgVisualObject::SetHeight(float value) {
    if (FHeight == value) return;
    Repaint();
    FHeight = value;
    SizeChanged();
}

void TvgVisualObject::SizeChanged() {
    if (FRotateAngle != 0) RecalcMatrix();
    if (!Live()) return;
    UpdateEffects();
    InvalidateCaches();
    InvalidateUpdateRectUp();
    RealignParentAfterResize();
    if (ChildrenCount() > 0) Realign();
    // The grown part must be drawn too.
    Repaint();
}

void TvgVisualObject::RealignParentAfterResize() {
    TvgVisualObject* parent = VisualParent();
    if (parent && (FAlign != vaNone || parent->RealignsOnChildResize())) parent->Realign();
}

bool TvgVisualObject::StoreSize(float AWidth, float AHeight) {
    if (FWidth == AWidth && FHeight == AHeight) return false;
    FWidth = AWidth;
    FHeight = AHeight;
    return true;
}

void TvgVisualObject::SetBounds(float X, float Y, float AWidth, float AHeight) {
    Repaint();
    const bool sizeChanged = StoreSize(AWidth, AHeight);
    const bool moved = FPosition->X() != X || FPosition->Y() != Y;
    if (moved) FPosition->StorePoint({X, Y});
    if (moved || (sizeChanged && FRotateAngle != 0)) RecalcMatrix();
    if (sizeChanged && !Loading()) {
        UpdateEffects();
        if (FAlign != vaNone && VisualParent()) VisualParent()->Realign();
        if (ChildrenCount() > 0) Realign();
    }
    InvalidateCaches();
    InvalidateUpdateRectUp();
    Repaint();
}

void TvgVisualObject::SetRotateAngle(float value) {
    if (FRotateAngle == value) return;
    Repaint();
    FRotateAngle = value;
    RecalcMatrix();
    Repaint();
}

void TvgVisualObject::PositionChanged() {
    // The old area is still described by the old matrix until it is rebuilt. A move changes where
    // the object is drawn, not how it looks.
    RepaintArea(TvgRepaintCause::rcMoved);
    RecalcMatrix();
    RepaintArea(TvgRepaintCause::rcMoved);
}

void TvgVisualObject::SetAlign(TvgAlign value) {
    if (FAlign == value) return;
    FAlign = value;
    TvgVisualObject* parent = VisualParent();
    if (!parent) return;
    parent->FNeedAlign =
        std::any_of(parent->ChildList().begin(), parent->ChildList().end(),
                    [](TvgObject* c) { return c->Visual() && c->Visual()->Align() != vaNone; });
    if (!Loading()) parent->Realign();
}

void TvgVisualObject::PaddingChanged() {
    if (Loading()) return;
    if (TvgVisualObject* parent = VisualParent()) parent->Realign();
}

void TvgVisualObject::MarginsChanged() {
    if (Loading()) return;
    Realign();
}

void TvgVisualObject::RecalcMatrix() {
    TvgMatrix m = TvgMatrix::Scaling(FScale->X(), FScale->Y());
    if (FRotateAngle != 0) {
        const float cx = FRotateCenter->X() * FWidth;
        const float cy = FRotateCenter->Y() * FHeight;
        m = TvgMatrix::Translation(-cx, -cy) * TvgMatrix::Rotation(FRotateAngle) *
            TvgMatrix::Translation(cx, cy) * m;
    }
    FLocalMatrix = m * TvgMatrix::Translation(FPosition->X(), FPosition->Y());
    MatrixChanged();
}

void TvgVisualObject::MatrixChanged() {
    InvalidateCaches();
    InvalidateUpdateRectUp();
}

// --- caches ---

void TvgVisualObject::InvalidateCaches() {
    FRecalcAbsolute = true;
    FRecalcOpacity = true;
    FRecalcEnabled = true;
    FRecalcUpdateRect = true;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->InvalidateCaches();
}

void TvgVisualObject::RecalcUpdateRect() {
    FRecalcUpdateRect = true;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->RecalcUpdateRect();
    InvalidateUpdateRectUp();
}

void TvgVisualObject::InvalidateUpdateRectUp() {
    for (TvgVisualObject* p = this; p; p = p->VisualParent()) p->FRecalcUpdateRect = true;
}

void TvgVisualObject::RecalcOpacity() {
    FRecalcOpacity = true;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->RecalcOpacity();
}

void TvgVisualObject::RecalcEnabled() {
    FRecalcEnabled = true;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->RecalcEnabled();
}

void TvgVisualObject::ParentChanged() {
    InvalidateCaches();
}

TvgMatrix TvgVisualObject::AbsoluteMatrix() {
    if (FRecalcAbsolute) {
        TvgVisualObject* parent = VisualParent();
        FAbsoluteMatrix = parent ? FLocalMatrix * parent->AbsoluteMatrix() : FLocalMatrix;
        FRecalcAbsolute = false;
    }
    return FAbsoluteMatrix;
}

TvgPoint TvgVisualObject::AbsoluteScale() {
    TvgPoint s{FScale->X(), FScale->Y()};
    if (TvgVisualObject* parent = VisualParent()) {
        const TvgPoint ps = parent->AbsoluteScale();
        s = {s.X * ps.X, s.Y * ps.Y};
    }
    return s;
}

TvgRect TvgVisualObject::LocalRect() {
    return {0, 0, FWidth, FHeight};
}

TvgRect TvgVisualObject::AbsoluteRect() {
    return MapRect(LocalRect(), AbsoluteMatrix());
}

TvgRect TvgVisualObject::BoundsRect() {
    return {FPosition->X(), FPosition->Y(), FPosition->X() + FWidth, FPosition->Y() + FHeight};
}

TvgRect TvgVisualObject::ParentedRect() {
    return MapRect(LocalRect(), FLocalMatrix);
}

TvgRect TvgVisualObject::ClipRect() {
    return LocalRect();
}

TvgPoint TvgVisualObject::LocalToAbsolute(const TvgPoint& P) {
    return MapPoint(P, AbsoluteMatrix());
}

TvgPoint TvgVisualObject::AbsoluteToLocal(const TvgPoint& P) {
    return UnmapPoint(P, AbsoluteMatrix());
}

bool TvgVisualObject::IsRootOrRootChild() const {
    const TvgObject* root = Scene() ? Scene()->GetRoot() : nullptr;
    if (!root) {
        // Outside a scene the top of the tree plays the root.
        root = this;
        while (root->Parent()) root = root->Parent();
    }
    return this == root || Parent() == root;
}

bool TvgVisualObject::AbsoluteEnabled() {
    if (FRecalcEnabled) {
        TvgVisualObject* parent = VisualParent();
        FAbsoluteEnabled = FEnabled && (!parent || parent->AbsoluteEnabled());
        FRecalcEnabled = false;
    }
    return FAbsoluteEnabled;
}

float TvgVisualObject::AbsoluteOpacity() {
    if (FRecalcOpacity) {
        TvgVisualObject* parent = VisualParent();
        float opacity = parent ? parent->AbsoluteOpacity() * FOpacity : FOpacity;
        if (!AbsoluteEnabled() && !IsRootOrRootChild()) opacity *= kDisabledOpacity;
        FAbsoluteOpacity = opacity;
        FRecalcOpacity = false;
    }
    return FAbsoluteOpacity;
}

TvgRect TvgVisualObject::EffectsRect() {
    TvgRect r;
    for (TvgObject* child : ChildList())
        if (child->IsEffect() && child->EffectEnabled()) r = UnionRect(r, child->EffectRect(LocalRect()));
    return r;
}

TvgRect TvgVisualObject::ComputeUpdateRect() {
    TvgRect r = AbsoluteRect();
    for (TvgVisualObject* p = VisualParent(); p; p = p->VisualParent())
        if (p->FClipChildren) r = IntersectRect(r, p->UpdateRect());
    if (FIsFocused) r = r.Inflate(kFocusMargin, kFocusMargin);
    if (!FClipChildren) {
        if (FHasEffect) r = UnionRect(r, MapRect(EffectsRect(), AbsoluteMatrix()));
        for (TvgObject* child : ChildList()) {
            TvgVisualObject* v = child->Visual();
            if (v && v->FVisible) r = UnionRect(r, v->UpdateRect());
        }
    }
    return r;
}

TvgRect TvgVisualObject::UpdateRect() {
    if (FRecalcUpdateRect) {
        FUpdateRect = ComputeUpdateRect();
        FRecalcUpdateRect = false;
    }
    return FUpdateRect;
}

// --- hit testing ---

bool TvgVisualObject::PointInObject(float X, float Y) {
    const TvgPoint p = AbsoluteToLocal({X, Y});
    return p.X > 0 && p.X < FWidth && p.Y > 0 && p.Y < FHeight;
}

TvgVisualObject* TvgVisualObject::ObjectByPoint(float X, float Y) {
    if (!FVisible) return nullptr;
    if (FClipChildren && !PointInObject(X, Y)) return nullptr;
    const auto& children = ChildList();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        TvgVisualObject* v = (*it)->Visual();
        if (!v || !v->FVisible) continue;
        if (TvgVisualObject* hit = v->ObjectByPoint(X, Y)) return hit;
    }
    return FHitTest && PointInObject(X, Y) ? this : nullptr;
}

bool TvgVisualObject::CheckParentVisible() {
    for (TvgVisualObject* p = this; p; p = p->VisualParent())
        if (!p->FVisible) return false;
    return true;
}

// --- state setters ---

void TvgVisualObject::SetVisible(bool value) {
    if (FVisible == value) return;
    Repaint();
    FVisible = value;
    InvalidateUpdateRectUp();
    if (FAlign != vaNone && !Loading())
        if (TvgVisualObject* parent = VisualParent()) parent->Realign();
    if (value) {
        InvalidateCaches();
        Repaint();
        StartTriggerAnimation(this, QStringLiteral("IsVisible"));
    } else if (FIsFocused && Scene()) {
        Scene()->SetFocused(nullptr);
    }
}

void TvgVisualObject::LoseFocusIfDisabled() {
    IvgScene* scene = Scene();
    if (!scene) return;
    TvgVisualObject* focused = scene->GetFocused();
    if (!focused) return;
    for (TvgVisualObject* p = focused; p; p = p->VisualParent())
        if (p == this) {
            if (!focused->AbsoluteEnabled()) scene->SetFocused(nullptr);
            return;
        }
}

void TvgVisualObject::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    RecalcEnabled();
    RecalcOpacity();
    Repaint();
    LoseFocusIfDisabled();
}

void TvgVisualObject::SetOpacity(float value) {
    value = std::clamp(value, 0.0f, 1.0f);
    if (FOpacity == value) return;
    FOpacity = value;
    RecalcOpacity();
    Repaint();
}

void TvgVisualObject::SetClipChildren(bool value) {
    if (FClipChildren == value) return;
    Repaint();
    FClipChildren = value;
    RecalcUpdateRect();
    Repaint();
}

void TvgVisualObject::SetClipParent(bool value) {
    if (FClipParent == value) return;
    FClipParent = value;
    if (TvgVisualObject* parent = VisualParent()) parent->Repaint();
}

// --- invalidation ---

void TvgVisualObject::Repaint() {
    RepaintArea(TvgRepaintCause::rcLook);
}

void TvgVisualObject::RepaintArea(TvgRepaintCause ACause) {
    IvgScene* scene = Scene();
    if (!FVisible || !scene || FUpdating > 0 || scene->GetDisableUpdate() || !CheckParentVisible()) return;
    if (FHasEffect) {
        for (TvgObject* child : ChildList())
            if (child->IsEffect() && child->EffectEnabled() && child->EffectDisablesPaint()) {
                UpdateEffects();
                break;
            }
    }
    // A moved object leaves its own look as it was, but changes the look of what holds it.
    if (ACause == TvgRepaintCause::rcLook)
        scene->LookChanged(*this);
    else if (TvgVisualObject* parent = VisualParent())
        scene->LookChanged(*parent);
    scene->AddUpdateRect(UpdateRect());
}

void TvgVisualObject::InvalidateRect(const TvgRect& R) {
    IvgScene* scene = Scene();
    if (!FVisible || !scene || FUpdating > 0 || scene->GetDisableUpdate() || !CheckParentVisible()) return;
    scene->LookChanged(*this);
    scene->AddUpdateRect(MapRect(R, AbsoluteMatrix()));
}

void TvgVisualObject::SetUpdatingRecursive(int AValue) {
    FUpdating = AValue;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->SetUpdatingRecursive(AValue);
}

void TvgVisualObject::BeginUpdate() {
    ++FUpdating;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->BeginUpdate();
}

void TvgVisualObject::EndUpdate() {
    if (FUpdating > 0) --FUpdating;
    const bool done = FUpdating == 0;
    if (done) Realign();
    const std::vector<TvgObject*> children = ChildList();
    for (TvgObject* child : children)
        if (TvgVisualObject* v = child->Visual()) v->EndUpdate();
}

// --- effects ---

void TvgVisualObject::RecalcHasEffect() {
    FHasEffect = std::any_of(ChildList().begin(), ChildList().end(),
                             [](TvgObject* c) { return c->IsEffect() && c->EffectEnabled(); });
}

void TvgVisualObject::UpdateEffects() {
    FUpdateEffects = true;
    ++FEffectsContent;
}

// --- focus, parts ---

void TvgVisualObject::SetFocus() {
    IvgScene* scene = Scene();
    if (!scene || !FCanFocused || FIsFocused) return;
    bool canFocused = true;
    if (FHandlers && FHandlers->CanFocused) FHandlers->CanFocused(this, canFocused);
    if (canFocused) scene->SetFocused(this);
}

void TvgVisualObject::Lock() {
    FLocked = true;
    for (TvgObject* child : ChildList())
        if (TvgVisualObject* v = child->Visual()) v->Lock();
}

// --- handlers ---

namespace {
const TvgPaintEvent kNoPaintEvent;
const TNotifyEvent kNoNotifyEvent;
}  // namespace

TvgVisualObject::THandlers& TvgVisualObject::Handlers() {
    if (!FHandlers) FHandlers = std::make_unique<THandlers>();
    return *FHandlers;
}

const TvgPaintEvent& TvgVisualObject::OnBeforePaint() const {
    return FHandlers ? FHandlers->BeforePaint : kNoPaintEvent;
}

const TvgPaintEvent& TvgVisualObject::OnPaint() const {
    return FHandlers ? FHandlers->Paint : kNoPaintEvent;
}

const TNotifyEvent& TvgVisualObject::OnApplyResource() const {
    return FHandlers ? FHandlers->ApplyResource : kNoNotifyEvent;
}

// --- painting ---

void TvgVisualObject::PaintChildren(TvgCanvas& Canvas) {
    if (gChildPainter) gChildPainter(*this, Canvas);
}

void TvgVisualObject::SetChildPainter(TvgChildPainter APainter) {
    gChildPainter = APainter;
}

TvgChildPainter TvgVisualObject::ChildPainter() {
    return gChildPainter;
}

void TvgVisualObject::Loaded() {
    FLastWidth = FWidth;
    FLastHeight = FHeight;
    RecalcMatrix();
    if (ChildrenCount() > 0) Realign();
}

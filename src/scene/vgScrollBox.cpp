#include "vgScrollBox.h"

#include <algorithm>

#include "vgClassRegistry.h"
#include "vgEasing.h"
#include "vgFloatAnimation.h"
#include "vgPosition.h"
#include "vgScrollBar.h"

VG_REGISTER_CLASS(TvgScrollContent)
VG_REGISTER_CLASS(TvgScrollBox)

namespace {
constexpr float WheelAnimationDuration = 0.7f;
constexpr float WheelNotch = 120;
constexpr float WheelLines = 3;
constexpr float TrackingThrow = 7;
// Where bars go when the box shows none: far outside anything the box could show.
constexpr float ParkedOffset = -100000;
}  // namespace

TvgScrollContent::TvgScrollContent(QObject* AOwner) : TvgVisualObject(AOwner) {}

void TvgScrollContent::Realign() {
    TvgVisualObject::Realign();
    if (auto* box = qobject_cast<TvgScrollBox*>(Parent())) box->Realign();
}

TvgScrollBox::TvgScrollBox(QObject* AOwner) : TvgControl(AOwner), FContent(new TvgScrollContent(this)) {
    FContent->SetStored(false);
    FContent->SetLocked(true);
    FContent->SetHitTest(false);
    FContent->SetParent(this);
    SetAutoCapture(true);
    // What has scrolled out of the box must not paint over its neighbours.
    SetClipChildren(true);
}

void TvgScrollBox::SetAutoHide(bool value) {
    if (FAutoHide == value) return;
    FAutoHide = value;
    Realign();
}

void TvgScrollBox::SetShowScrollBars(bool value) {
    if (FShowScrollBars == value) return;
    FShowScrollBars = value;
    // Bars parked outside lost their alignment: fresh ones from the style get it back.
    if (value)
        UpdateResource();
    else
        Realign();
}

void TvgScrollBox::SetShowSizeGrip(bool value) {
    if (FShowSizeGrip == value) return;
    FShowSizeGrip = value;
    UpdateResource();
}

void TvgScrollBox::SetUseSmallScrollBars(bool value) {
    if (FUseSmallScrollBars == value) return;
    FUseSmallScrollBars = value;
    UpdateResource();
}

void TvgScrollBox::AddObject(TvgObject* AObject) {
    const bool stays = !FContent || AObject == FContent || AObject == ResourceLink() || AObject->IsEffect() ||
                       AObject->IsAnimation() || AObject->TagString() == QLatin1String("self");
    if (stays)
        TvgControl::AddObject(AObject);
    else {
        FContent->AddObject(AObject);
        // What there is to scroll changed.
        Realign();
    }
}

void TvgScrollBox::StyleApplied() {
    TvgControl::StyleApplied();
    if (TvgObject* grip = FindResource(QStringLiteral("sizegrip")); grip && grip->IsVisual()) {
        grip->Visual()->SetVisible(FShowSizeGrip);
        // The grip's strip takes room only while it has a grip to show.
        if (TvgObject* strip = grip->Parent(); strip && strip->IsVisual() && strip != ResourceLink())
            strip->Visual()->SetVisible(FShowSizeGrip);
    }
    auto bar = [this](const char* AName) {
        return qobject_cast<TvgScrollBar*>(FindResource(QLatin1String(AName)));
    };
    auto hide = [](TvgScrollBar* ABar) {
        if (ABar) ABar->SetVisible(false);
    };
    TvgScrollBar* vsmall = bar("vsmallscrollbar");
    TvgScrollBar* hsmall = bar("hsmallscrollbar");
    TvgScrollBar* vlarge = bar("vscrollbar");
    TvgScrollBar* hlarge = bar("hscrollbar");
    if (FUseSmallScrollBars && vsmall && hsmall) {
        FVScrollBar = vsmall;
        FHScrollBar = hsmall;
        hide(vlarge);
        hide(hlarge);
    } else {
        FVScrollBar = vlarge;
        FHScrollBar = hlarge;
        hide(vsmall);
        hide(hsmall);
    }
    for (TvgScrollBar* b : {FVScrollBar.data(), FHScrollBar.data()})
        if (b) b->SetOnChange([this](TvgObject* Sender) { BarChanged(qobject_cast<TvgScrollBar*>(Sender)); });
    TvgObject* content = FindResource(QStringLiteral("content"));
    FContentLayout = content && content->IsVisual() ? content->Visual() : nullptr;
    Realign();
}

void TvgScrollBox::StyleFreeing() {
    // The animations live on the old bars and go with them.
    FVScrollBar = nullptr;
    FHScrollBar = nullptr;
    FVScrollAni = nullptr;
    FHScrollAni = nullptr;
    FContentLayout = nullptr;
    TvgControl::StyleFreeing();
}

TvgVisualObject* TvgScrollBox::Viewport() const {
    return FContentLayout;
}

TvgRect TvgScrollBox::ViewportRect() const {
    if (TvgVisualObject* viewport = Viewport()) {
        // The viewport sits inside the style clone, which covers the box: its place in the box is
        // its parented rectangle carried up through the clone.
        TvgVisualObject* v = viewport;
        TvgRect r = v->ParentedRect();
        for (TvgObject* p = v->Parent(); p && p != this && p->IsVisual(); p = p->Parent()) {
            const TvgRect pr = p->Visual()->ParentedRect();
            r = r.Offset(pr.Left, pr.Top);
        }
        return r;
    }
    return {0, 0, Width(), Height()};
}

float TvgScrollBox::ClientWidth() {
    return ViewportRect().Width();
}

float TvgScrollBox::ClientHeight() {
    return ViewportRect().Height();
}

namespace {

// The area an object and its shown descendants cover, in the object's parent's space. A child may
// stand outside its parent (the grid of a desktop panel reaches below the panel's own height); only
// a parent that clips its children keeps them within its own rectangle.
TvgRect ExtentInParent(TvgVisualObject* AObject) {
    TvgRect local = AObject->LocalRect();
    if (!AObject->ClipChildren())
        for (TvgObject* child : AObject->ChildList())
            if (child->IsVisual() && child->Visual()->Visible())
                local = UnionRect(local, ExtentInParent(child->Visual()));
    return MapRect(local, AObject->LocalMatrix());
}

}  // namespace

TvgRect TvgScrollBox::ContentBounds() const {
    const TvgRect viewport = ViewportRect();
    TvgRect bounds{0, 0, viewport.Width(), viewport.Height()};
    for (TvgObject* child : FContent->ChildList()) {
        if (!child->IsVisual() || !child->Visual()->Visible()) continue;
        bounds = UnionRect(bounds, ExtentInParent(child->Visual()));
    }
    return bounds;
}

void TvgScrollBox::UpdateBar(TvgScrollBar* ABar, float AContent, float AViewport, float AOffset) {
    if (!ABar) return;
    const bool enabled = AContent > AViewport;
    ABar->SetEnabled(enabled);
    if (FAutoHide) ABar->SetVisible(enabled);
    if (!ABar->Visible()) return;
    ABar->SetMax(AContent);
    ABar->SetViewportSize(AViewport);
    ABar->SetSmallChange(AViewport / 5);
    ABar->SetValue(AOffset);
}

bool TvgScrollBox::UpdateScrolling() {
    const TvgRect before = ViewportRect();
    // Aligned children follow the content's size: they are laid out on the viewport first, or a
    // child stretched to an earlier, wider viewport would keep the content that wide for ever.
    FContent->SetBounds(FContent->Position()->X(), FContent->Position()->Y(), before.Width(),
                        before.Height());
    const TvgRect bounds = ContentBounds();
    // Content that shrank leaves less to scroll: the offsets follow it back.
    FScrollDesign.X = std::max(0.f, std::min(FScrollDesign.X, bounds.Width() - before.Width()));
    FScrollDesign.Y = std::max(0.f, std::min(FScrollDesign.Y, bounds.Height() - before.Height()));
    FContent->SetBounds(before.Left - FScrollDesign.X, before.Top - FScrollDesign.Y, bounds.Width(),
                        bounds.Height());
    UpdateBar(FVScrollBar, bounds.Height(), before.Height(), FScrollDesign.Y);
    UpdateBar(FHScrollBar, bounds.Width(), before.Width(), FScrollDesign.X);
    if (!FShowScrollBars) ParkBarsOutside();
    // Bars that appeared or vanished resize the viewport only after the ordinary layout pass.
    if (TvgObject* clone = ResourceLink(); clone && clone->IsVisual()) clone->Visual()->Realign();
    const TvgRect after = ViewportRect();
    return after.Width() != before.Width() || after.Height() != before.Height();
}

void TvgScrollBox::ParkBarsOutside() {
    for (TvgScrollBar* bar : {FVScrollBar.data(), FHScrollBar.data()}) {
        if (!bar) continue;
        bar->SetAlign(vaNone);
        bar->Position()->SetPoint({ParkedOffset, ParkedOffset});
    }
}

void TvgScrollBox::Realign() {
    if (FRealigning) return;
    FRealigning = true;
    TvgControl::Realign();
    if (!Loading() && Updating() == 0) {
        if (UpdateScrolling()) UpdateScrolling();
    }
    FRealigning = false;
}

void TvgScrollBox::PlaceContent() {
    const TvgRect viewport = ViewportRect();
    FContent->Position()->SetPoint({viewport.Left - FScrollDesign.X, viewport.Top - FScrollDesign.Y});
}

void TvgScrollBox::BarChanged(TvgScrollBar* ABar) {
    if (!ABar) return;
    if (ABar == FVScrollBar)
        FScrollDesign.Y = ABar->Value();
    else if (ABar == FHScrollBar)
        FScrollDesign.X = ABar->Value();
    PlaceContent();
}

void TvgScrollBox::ScrollTo(float Dx, float Dy) {
    if (FVScrollBar && FVScrollBar->Visible()) FVScrollBar->SetValue(FVScrollBar->Value() - Dy);
    if (FHScrollBar && FHScrollBar->Visible()) FHScrollBar->SetValue(FHScrollBar->Value() - Dx);
}

void TvgScrollBox::Centre() {
    for (TvgScrollBar* bar : {FVScrollBar.data(), FHScrollBar.data()})
        if (bar && bar->Visible()) bar->SetValue((bar->Max() - bar->ViewportSize()) / 2);
}

TvgScrollBar* TvgScrollBox::WheelBar() const {
    if (FVScrollBar && FVScrollBar->Visible()) return FVScrollBar;
    if (FHScrollBar && FHScrollBar->Visible()) return FHScrollBar;
    return nullptr;
}

QPointer<TvgFloatAnimation>& TvgScrollBox::AniFor(TvgScrollBar* ABar) {
    return ABar == FVScrollBar ? FVScrollAni : FHScrollAni;
}

void TvgScrollBox::AnimateBar(TvgScrollBar* ABar, QPointer<TvgFloatAnimation>& AAni, float AStopValue) {
    if (!AAni) {
        AAni = new TvgFloatAnimation(ABar);
        AAni->SetStored(false);
        AAni->SetParent(ABar);
        AAni->SetDuration(WheelAnimationDuration);
        AAni->SetAnimationType(vgAnimationOut);
        AAni->SetInterpolation(vgInterpolationQuadratic);
        AAni->SetStartFromCurrent(true);
        AAni->SetPropertyName(QStringLiteral("Value"));
    }
    // A new notch counts from where the running scroll has got to, not from where it was heading.
    if (AAni->Running()) AAni->StopAtCurrent();
    AAni->SetStopValue(AStopValue);
    AAni->Start();
}

void TvgScrollBox::MouseWheel(TShiftState Shift, int WheelDelta, const TvgPoint& MousePos, bool& Handled) {
    TvgControl::MouseWheel(Shift, WheelDelta, MousePos, Handled);
    if (Handled || FDisableMouseWheel) return;
    TvgScrollBar* bar = WheelBar();
    if (!bar) return;
    const float step = bar->SmallChange() * WheelLines * static_cast<float>(WheelDelta) / WheelNotch;
    if (FAnimated)
        AnimateBar(bar, AniFor(bar), bar->Value() - step);
    else
        bar->SetValue(bar->Value() - step);
    Handled = true;
}

void TvgScrollBox::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgControl::MouseDown(Button, Shift, X, Y);
    if (!FMouseTracking || Button != TMouseButton::mbLeft) return;
    FDown = true;
    FDownPos = FCurrentPos = {X, Y};
    FLastDelta = {};
    for (TvgScrollBar* bar : {FVScrollBar.data(), FHScrollBar.data()})
        if (TvgFloatAnimation* ani = bar ? AniFor(bar).data() : nullptr; ani && ani->Running())
            ani->StopAtCurrent();
}

void TvgScrollBox::MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) {
    TvgControl::MouseMove(Shift, X, Y, Dx, Dy);
    if (!FDown) return;
    FLastDelta = {X - FCurrentPos.X, Y - FCurrentPos.Y};
    FCurrentPos = {X, Y};
    ScrollTo(FLastDelta.X, FLastDelta.Y);
}

void TvgScrollBox::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgControl::MouseUp(Button, Shift, X, Y);
    if (!FDown) return;
    FDown = false;
    if (!FAnimated) return;
    if (FVScrollBar && FVScrollBar->Visible() && FLastDelta.Y != 0)
        AnimateBar(FVScrollBar, FVScrollAni, FVScrollBar->Value() - TrackingThrow * FLastDelta.Y);
    if (FHScrollBar && FHScrollBar->Visible() && FLastDelta.X != 0)
        AnimateBar(FHScrollBar, FHScrollAni, FHScrollBar->Value() - TrackingThrow * FLastDelta.X);
}

#include "vgTrack.h"

#include <algorithm>
#include <cmath>

#include "IvgScene.h"
#include "vgClassRegistry.h"
#include "vgPosition.h"

VG_REGISTER_CLASS(TvgCustomTrack)
VG_REGISTER_CLASS(TvgThumb)

TvgCustomTrack::TvgCustomTrack(QObject* AOwner) : TvgControl(AOwner) {
    SetWidth(100);
    SetHeight(15);
    SetCanFocused(false);
}

float TvgCustomTrack::Clamped(float value) const {
    return std::max(FMin, std::min(value, FMax - FViewportSize));
}

void TvgCustomTrack::SetMin(float value) {
    if (FMin == value) return;
    FMin = value;
    PlaceThumb();
}

void TvgCustomTrack::SetMax(float value) {
    if (FMax == value) return;
    FMax = value < FMin ? FMin + 0.001f : value;
    PlaceThumb();
}

void TvgCustomTrack::SetViewportSize(float value) {
    if (FViewportSize == value) return;
    FViewportSize = value;
    PlaceThumb();
}

void TvgCustomTrack::SetValue(float value) {
    const float clamped = Clamped(value);
    if (FValue == clamped) return;
    FValue = clamped;
    PlaceThumb();
    if (FOnChange) FOnChange(this);
}

void TvgCustomTrack::SetOrientation(TvgOrientation value) {
    if (FOrientation == value) return;
    FOrientation = value;
    PlaceThumb();
}

float TvgCustomTrack::Length() const {
    return FOrientation == vgVertical ? Height() : Width();
}

float TvgCustomTrack::Thickness() const {
    return FOrientation == vgVertical ? Width() : Height();
}

float TvgCustomTrack::ThumbLength() const {
    const float range = FMax - FMin;
    const float share = range > 0 ? FViewportSize / range * Length() : Length();
    return std::min(Length(), std::max(share, Thickness()));
}

float TvgCustomTrack::ThumbStart() const {
    const float range = FMax - FMin;
    const float start = range > 0 ? std::round((FValue - FMin) / range * Length()) : 0;
    return std::max(0.f, std::min(start, Length() - ThumbLength()));
}

float TvgCustomTrack::ValueAt(float APos) const {
    return Length() > 0 ? FMin + APos / Length() * (FMax - FMin) : FMin;
}

void TvgCustomTrack::StyleApplied() {
    TvgControl::StyleApplied();
    if (auto* thumb = qobject_cast<TvgThumb*>(FindResource(QStringLiteral("thumb")))) FThumb = thumb;
    PlaceThumb();
}

void TvgCustomTrack::StyleFreeing() {
    // A thumb the track made itself outlives a change of style.
    if (FThumb && FThumb->Owner() != this) FThumb = nullptr;
    TvgControl::StyleFreeing();
}

void TvgCustomTrack::PlaceThumb() {
    if (!FThumb) {
        // Without a styled thumb the track still needs something to drag and to show the value.
        FThumb = new TvgThumb(this);
        FThumb->SetStored(false);
        FThumb->SetParent(this);
    }
    if (FOrientation == vgVertical)
        FThumb->SetBounds(0, ThumbStart(), Width(), ThumbLength());
    else
        FThumb->SetBounds(ThumbStart(), 0, ThumbLength(), Height());
}

void TvgCustomTrack::Realign() {
    TvgControl::Realign();
    PlaceThumb();
}

void TvgCustomTrack::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgControl::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft) return;
    const float pos = FOrientation == vgVertical ? Y : X;
    if (FViewportSize <= 0) {
        SetValue(ValueAt(pos));
        return;
    }
    SetValue(ValueAt(pos) > FValue ? FValue + FViewportSize : FValue - FViewportSize);
}

void TvgCustomTrack::ThumbDragged(float APos) {
    SetValue(ValueAt(APos));
}

TvgThumb::TvgThumb(QObject* AOwner) : TvgControl(AOwner) {
    SetCanFocused(false);
    SetAutoCapture(true);
}

TvgCustomTrack* TvgThumb::TrackParent() const {
    return qobject_cast<TvgCustomTrack*>(Parent());
}

float TvgThumb::AlongTrack(float X, float Y) const {
    // Local point to the track's coordinates: the thumb only ever moves, never scales.
    TvgCustomTrack* track = TrackParent();
    if (!track) return 0;
    return track->Orientation() == vgVertical ? Position()->Point().Y + Y : Position()->Point().X + X;
}

void TvgThumb::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    TvgControl::MouseDown(Button, Shift, X, Y);
    TvgCustomTrack* track = TrackParent();
    if (Button != TMouseButton::mbLeft || !track) return;
    FDragging = true;
    FDownOffset = track->Orientation() == vgVertical ? Y : X;
}

void TvgThumb::MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) {
    TvgControl::MouseMove(Shift, X, Y, Dx, Dy);
    if (!FDragging) return;
    if (TvgCustomTrack* track = TrackParent()) track->ThumbDragged(AlongTrack(X, Y) - FDownOffset);
}

void TvgThumb::MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) {
    FDragging = false;
    TvgControl::MouseUp(Button, Shift, X, Y);
}

#include "vgScrollBar.h"

#include <algorithm>

#include "vgClassRegistry.h"
#include "vgTrack.h"

VG_REGISTER_CLASS(TvgScrollBar)

TvgScrollBar::TvgScrollBar(QObject* AOwner) : TvgControl(AOwner) {
    SetWidth(150);
    SetHeight(18);
}

float TvgScrollBar::Clamped(float value) const {
    return std::max(FMin, std::min(value, FMax - FViewportSize));
}

void TvgScrollBar::SetMin(float value) {
    if (FMin == value) return;
    FMin = value;
    Realign();
}

void TvgScrollBar::SetMax(float value) {
    if (FMax == value) return;
    FMax = value < FMin ? FMin + 0.001f : value;
    if (FViewportSize > FMax - FMin) FViewportSize = FMax - FMin;
    if (FValue > FMax - FViewportSize) FValue = std::max(FMin, FMax - FViewportSize);
    Realign();
}

void TvgScrollBar::SetViewportSize(float value) {
    if (FViewportSize == value) return;
    FViewportSize = value;
    Realign();
}

void TvgScrollBar::SetValue(float value) {
    const float clamped = Loading() ? value : Clamped(value);
    if (FValue == clamped) return;
    FValue = clamped;
    if (Loading()) return;
    if (FOnChange) FOnChange(this);
    Realign();
}

void TvgScrollBar::SetOrientation(TvgOrientation value) {
    if (FOrientation == value) return;
    FOrientation = value;
    Realign();
}

void TvgScrollBar::ShowPart(const QString& AName, bool AVisible) {
    if (TvgObject* part = FindResource(AName); part && part->IsVisual()) part->Visual()->SetVisible(AVisible);
}

void TvgScrollBar::WireButton(const QString& AName, float ASign) {
    TvgObject* part = FindResource(AName);
    if (!part || !part->IsVisual()) return;
    part->Visual()->SetCanFocused(false);
    part->Visual()->SetOnClick([this, ASign](TvgObject*) { SetValue(FValue + ASign * FSmallChange); });
}

void TvgScrollBar::TrackChanged(TvgObject* Sender) {
    if (FSyncing) return;
    if (auto* track = qobject_cast<TvgCustomTrack*>(Sender)) SetValue(track->Value());
}

void TvgScrollBar::StyleApplied() {
    TvgControl::StyleApplied();
    WireButton(QStringLiteral("leftbutton"), -1);
    WireButton(QStringLiteral("topbutton"), -1);
    WireButton(QStringLiteral("rightbutton"), 1);
    WireButton(QStringLiteral("bottombutton"), 1);
    Realign();
}

void TvgScrollBar::StyleFreeing() {
    FTrack = nullptr;
    TvgControl::StyleFreeing();
}

void TvgScrollBar::Realign() {
    const bool vertical = FOrientation == vgVertical;
    ShowPart(QStringLiteral("htrack"), !vertical);
    ShowPart(QStringLiteral("vtrack"), vertical);
    ShowPart(QStringLiteral("leftbutton"), !vertical);
    ShowPart(QStringLiteral("rightbutton"), !vertical);
    ShowPart(QStringLiteral("topbutton"), vertical);
    ShowPart(QStringLiteral("bottombutton"), vertical);
    FTrack = qobject_cast<TvgCustomTrack*>(
        FindResource(vertical ? QStringLiteral("vtrack") : QStringLiteral("htrack")));
    if (FTrack) {
        // The track hands a change back through TrackChanged; while we copy our own values into
        // it, that would only echo them.
        FSyncing = true;
        FTrack->SetCanFocused(false);
        FTrack->SetOrientation(FOrientation);
        FTrack->SetMin(FMin);
        FTrack->SetMax(FMax);
        FTrack->SetViewportSize(FViewportSize);
        FTrack->SetValue(FValue);
        FTrack->SetOnChange([this](TvgObject* Sender) { TrackChanged(Sender); });
        FSyncing = false;
    }
    TvgControl::Realign();
}

TvgCustomTrack* TvgScrollBar::Track() const {
    return FTrack;
}

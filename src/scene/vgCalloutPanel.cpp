#include "vgCalloutPanel.h"

#include "vgCalloutRectangle.h"
#include "vgClassRegistry.h"

VG_REGISTER_CLASS(TvgCalloutPanel)

TvgCalloutPanel::TvgCalloutPanel(QObject* AOwner) : TvgPanel(AOwner) {}

TvgCalloutRectangle* TvgCalloutPanel::CalloutRectangle() const {
    // The part's name is spelt this way in every style set that has one.
    if (TvgObject* part = FindResource(QStringLiteral("Backgound")))
        return qobject_cast<TvgCalloutRectangle*>(part);
    return qobject_cast<TvgCalloutRectangle*>(ResourceLink());
}

void TvgCalloutPanel::StyleApplied() {
    TvgPanel::StyleApplied();
    TvgCalloutRectangle* callout = CalloutRectangle();
    if (!callout) return;
    callout->SetCalloutWidth(FCalloutWidth);
    callout->SetCalloutLength(FCalloutLength);
    callout->SetCalloutPosition(FCalloutPosition);
    callout->SetCalloutOffset(FCalloutOffset);
}

void TvgCalloutPanel::SetCalloutWidth(float value) {
    if (FCalloutWidth == value) return;
    FCalloutWidth = value;
    StyleApplied();
}

void TvgCalloutPanel::SetCalloutLength(float value) {
    if (FCalloutLength == value) return;
    FCalloutLength = value;
    StyleApplied();
}

void TvgCalloutPanel::SetCalloutPosition(TvgCalloutPosition value) {
    if (FCalloutPosition == value) return;
    FCalloutPosition = value;
    StyleApplied();
}

void TvgCalloutPanel::SetCalloutOffset(float value) {
    if (FCalloutOffset == value) return;
    FCalloutOffset = value;
    StyleApplied();
}

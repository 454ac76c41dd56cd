#include "TVGHotButton.h"

#include "vgClassRegistry.h"
#include "vgGlowEffect.h"
#include "vgImage.h"

VG_REGISTER_CLASS(TVGHotButton)

namespace {
constexpr int crHandPoint = -21;
}

TVGHotButton::TVGHotButton(QObject* AOwner)
    : TVGBaseSpeedButton(AOwner), FGlowEffect(new TvgGlowEffect(this)) {
    // The image alone takes the mouse.
    SetHitTest(false);
    FImage->SetHitTest(true);
    FImage->SetOnMouseEnter([this](TvgObject* Sender) { ImageMouseEnter(Sender); });
    FImage->SetOnMouseLeave([this](TvgObject* Sender) { ImageMouseLeave(Sender); });
    FImage->SetCursor(crHandPoint);

    FGlowEffect->SetEnabled(false);
    FGlowEffect->SetGlowColor(QStringLiteral("#FF870C02"));
    FGlowEffect->SetStored(false);
    FGlowEffect->SetParent(FImage);
}

void TVGHotButton::SetOnClick(TNotifyEvent Value) {
    FOnClick = Value;
    FImage->SetOnClick(std::move(Value));
}

void TVGHotButton::ImageMouseEnter(TvgObject* Sender) {
    FGlowEffect->SetEnabled(true);
}

void TVGHotButton::ImageMouseLeave(TvgObject* Sender) {
    FGlowEffect->SetEnabled(false);
}

#include "TVGSideButton.h"

#include "TVGHintBoxLink.h"
#include "vgBrush.h"
#include "vgPosition.h"
#include "vgRectangle.h"

TVGSideButton::TVGSideButton(QObject* AOwner) : TVGBaseButton(AOwner) {
    // The background, not the button's layout, takes the mouse.
    FBackGround->SetOnMouseEnter([this](TvgObject* sender) { BackGroundMouseEnter(sender); });
    FBackGround->SetOnMouseLeave([this](TvgObject* sender) { BackGroundMouseLeave(sender); });
    FBackGround->SetOnClick([this](TvgObject* sender) { ButtonClick(sender); });
    FBackGround->Fill()->SetColor(QStringLiteral("#10000000"));
}

void TVGSideButton::BackGroundMouseEnter(TvgObject*) {
    FBackGround->Stroke()->SetColor(FHotColor);
    ShowHintLeftOf(*this);
}

void TVGSideButton::BackGroundMouseLeave(TvgObject*) {
    FBackGround->Stroke()->SetColor(FDefaultColor);
    HideHint(*this);
}

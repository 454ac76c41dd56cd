#include "TVGSideButton.h"

#include "TVGHintBox.h"
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
    TVGHintBox* hint = HintBox();
    if (!hint) return;
    // To the left of the side bar, level with the button, pointing right at it.
    hint->SetHintDirection(HD_Right);
    const auto* bar = Parent() ? Parent()->Visual() : nullptr;
    hint->Position()->SetX((bar ? bar->Position()->X() : 0) - hint->Width());
    hint->Position()->SetY(Position()->Y());
    hint->SetHintInfo(HintText());
    hint->SetVisible(true);
}

void TVGSideButton::BackGroundMouseLeave(TvgObject*) {
    FBackGround->Stroke()->SetColor(FDefaultColor);
    if (TVGHintBox* hint = HintBox()) hint->SetVisible(false);
}

void TVGSideButton::SetKeyboardHighlight(bool Value) {
    if (Value)
        BackGroundMouseEnter(this);
    else
        BackGroundMouseLeave(this);
}

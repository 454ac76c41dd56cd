#include "vgLabel.h"

#include "vgBounds.h"
#include "vgClassRegistry.h"
#include "vgText.h"

VG_REGISTER_CLASS(TvgLabel)
VG_REGISTER_CLASS(TvgValueLabel)

TvgLabel::TvgLabel(QObject* AOwner) : TvgTextControl(AOwner) {
    SetWidth(120);
    SetHeight(15);
    SetHitTest(false);
    SetWordWrap(true);
}

void TvgLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (FAutoSize) FitToText();
}

void TvgLabel::StyleApplied() {
    TvgTextControl::StyleApplied();
    if (TvgText* text = TextObject()) text->SetWordWrap(WordWrap());
    if (FAutoSize) FitToText();
}

void TvgLabel::FitToText() {
    TvgText* text = TextObject();
    if (!text) return;
    text->SetWordWrap(false);
    text->SetHorzTextAlign(vgTextAlignNear);
    text->SetVertTextAlign(vgTextAlignNear);
    text->SetAutoSize(true);
    // The part fills the label, so the label takes the text's size and the part follows it.
    const TvgPoint extent = text->AutoSizeExtent();
    const TvgBounds* padding = text->Padding();
    SetWidth(extent.X + padding->Left() + padding->Right());
    SetHeight(extent.Y + padding->Top() + padding->Bottom());
}

TvgValueLabel::TvgValueLabel(QObject* AOwner) : TvgLabel(AOwner) {
    SetWordWrap(false);
    SetAutoTranslate(false);
}

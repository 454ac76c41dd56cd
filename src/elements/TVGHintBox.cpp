#include "TVGHintBox.h"

#include "vgBounds.h"
#include "vgBrush.h"
#include "vgText.h"

TVGHintBox::TVGHintBox(QObject* AOwner) : TvgCalloutPanel(AOwner) {
    SetHeight(40);
    SetWidth(120);
    SetHitTest(false);
    FLable = new TvgText(this);
    FLable->SetParent(this);
    FLable->SetAlign(vaClient);
    FLable->Fill()->SetColor(QStringLiteral("#FF060F3B"));
    FLable->SetHitTest(false);
    SetResource(QStringLiteral("CalloutPanel1Style1"));
}

void TVGHintBox::SetHintInfo(const QString& Value) {
    if (Value == FHintInfo) return;
    FHintInfo = Value;
    FLable->SetText(Value);
}

void TVGHintBox::SetHintDirection(THintDirection Value) {
    if (Value == FHintDirection) return;
    FHintDirection = Value;
    switch (Value) {
        case HD_Right:
            SetCalloutPosition(vgCalloutRight);
            FLable->Padding()->SetRight(12);
            FLable->Padding()->SetBottom(0);
            break;
        case HD_Bottom:
            SetCalloutPosition(vgCalloutBottom);
            FLable->Padding()->SetRight(0);
            FLable->Padding()->SetBottom(12);
            break;
        case HD_None:
            break;
    }
}

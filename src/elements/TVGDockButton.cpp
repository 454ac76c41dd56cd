#include "TVGDockButton.h"

#include "uCursors.h"
#include "vgBrush.h"
#include "vgFont.h"
#include "vgLabel.h"
#include "vgRectangle.h"

TVGDockButton::TVGDockButton(QObject* AOwner) : TVGBaseButton(AOwner) {
    SetWidth(64);
    SetHeight(80);
    SetCursor(crHandPoint);
    SetHitTest(true);
    SetOnMouseEnter([this](TvgObject* sender) { ButtonMouseEnter(sender); });
    SetOnMouseLeave([this](TvgObject* sender) { ButtonMouseLeave(sender); });
    SetOnClick([this](TvgObject* sender) { ButtonClick(sender); });

    FBackGround->Stroke()->SetStyle(vgBrushNone);
    FBackGround->SetHitTest(false);

    FTitle = new TvgValueLabel(this);
    FTitle->SetParent(this);
    FTitle->SetAlign(vaBottom);
    FTitle->SetResource(QStringLiteral("ValueLabel1Style1"));
    FTitle->SetHeight(16);
    FTitle->SetHitTest(false);
    FTitle->Font()->SetFamily(QStringLiteral("宋体"));
    FTitle->Font()->SetSize(12);
    Realign();
}

void TVGDockButton::SetButtonName(const QString& Value) {
    if (Value == ButtonName()) return;
    TVGBaseButton::SetButtonName(Value);
    FTitle->SetText(Value);
}

void TVGDockButton::ButtonMouseEnter(TvgObject*) {}

void TVGDockButton::ButtonMouseLeave(TvgObject*) {}

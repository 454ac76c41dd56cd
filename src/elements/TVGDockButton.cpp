#include "TVGDockButton.h"

#include "TVGDockPanel.h"
#include "TVGHintBox.h"
#include "uCursors.h"
#include "vgBrush.h"
#include "vgFont.h"
#include "vgGlowEffect.h"
#include "vgImage.h"
#include "vgLabel.h"
#include "vgPosition.h"
#include "vgRectangle.h"
#include "vgReflectionEffect.h"

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
    // Cloned when first drawn: the buttons of the desktop panel, hidden at start, may be many.
    FTitle->SetResourceLater(QStringLiteral("ValueLabel1Style1"));
    FTitle->SetHeight(16);
    FTitle->SetHitTest(false);
    FTitle->Font()->SetFamily(QStringLiteral("宋体"));
    FTitle->Font()->SetSize(12);

    FGlowEffect = new TvgGlowEffect(this);
    FGlowEffect->SetParent(FImage);
    FGlowEffect->SetEnabled(false);
    FGlowEffect->SetSoftness(1.0f);
    FGlowEffect->SetOpacity(1.0f);

    FReflectionEffect = new TvgReflectionEffect(this);
    FReflectionEffect->SetParent(FImage);
    FReflectionEffect->SetOffset(2);
    FReflectionEffect->SetLength(0.5f);
    FReflectionEffect->SetOpacity(0.5f);
    FReflectionEffect->SetEnabled(true);
    Realign();
}

void TVGDockButton::SetButtonName(const QString& Value) {
    if (Value == ButtonName()) return;
    TVGBaseButton::SetButtonName(Value);
    FTitle->SetText(Value);
}

void TVGDockButton::ButtonMouseEnter(TvgObject*) {
    FGlowEffect->SetEnabled(true);
    FTitle->SetResource(QStringLiteral("ValueLabel1Style2"));
    TVGHintBox* hint = HintBox();
    if (!hint) return;
    hint->SetHintDirection(HD_Bottom);
    hint->SetWidth(100);
    // Above the row of buttons, pointing down at this one. The button's position is inside the
    // dock's inner layout, which begins at the dock's left padding.
    float x = Position()->X() - Width() / 2;
    float y = -Height();
    if (const auto* dock = qobject_cast<const TVGDockPanel*>(Panel())) {
        x += dock->PaddingLeft() + dock->Position()->X();
        y += dock->PaddingTop() + dock->Position()->Y();
    }
    hint->Position()->SetPoint({x, y});
    hint->SetHintInfo(HintText());
    hint->SetVisible(true);
}

void TVGDockButton::ButtonMouseLeave(TvgObject*) {
    FGlowEffect->SetEnabled(false);
    FTitle->SetResource(QStringLiteral("ValueLabel1Style1"));
    if (TVGHintBox* hint = HintBox()) hint->SetVisible(false);
}

void TVGDockButton::SetKeyboardHighlight(bool Value) {
    if (Value)
        ButtonMouseEnter(this);
    else
        ButtonMouseLeave(this);
}

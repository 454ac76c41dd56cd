#include "vgTextControl.h"

#include "vgClassRegistry.h"
#include "vgResourceObjects.h"
#include "vgText.h"

VG_REGISTER_CLASS(TvgTextControl)

TvgTextControl::TvgTextControl(QObject* AOwner)
    : TvgControl(AOwner),
      FFont(std::make_unique<TvgFont>()),
      FFontFill(std::make_unique<TvgBrush>(vgBrushSolid, 0xFF000000)) {
    FFont->SetOnChanged([this] {
        if (FTextObject) FTextObject->Font()->Assign(*FFont);
        Repaint();
    });
    FFontFill->SetOnChanged([this] {
        if (FTextObject) FTextObject->Fill()->Assign(*FFontFill);
        Repaint();
    });
}

void TvgTextControl::SetText(const QString& value) {
    if (value == FText) return;
    FText = value;
    if (FTextObject)
        FTextObject->SetText(DisplayText());
    else
        Repaint();
}

void TvgTextControl::SetTextAlign(TvgTextAlign value) {
    if (value == FTextAlign) return;
    FTextAlign = value;
    if (FTextObject) FTextObject->SetHorzTextAlign(value);
    Repaint();
}

void TvgTextControl::SetVertTextAlign(TvgTextAlign value) {
    if (value == FVertTextAlign) return;
    FVertTextAlign = value;
    if (FTextObject) FTextObject->SetVertTextAlign(value);
    Repaint();
}

void TvgTextControl::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    if (FTextObject) FTextObject->SetWordWrap(value);
    Repaint();
}

void TvgTextControl::StyleApplied() {
    if (const auto* foreground = qobject_cast<TvgBrushObject*>(FindResource(QStringLiteral("foreground"))))
        FFontFill->Assign(*foreground->Brush());
    TvgObject* part = FindResource(QStringLiteral("text"));
    if (!part && ResourceLink()) part = ResourceLink();
    FTextObject = qobject_cast<TvgText*>(part);
    if (!FTextObject) return;
    FTextObject->SetText(DisplayText());
    FTextObject->SetHorzTextAlign(FTextAlign);
    FTextObject->SetVertTextAlign(FVertTextAlign);
    FTextObject->SetWordWrap(FWordWrap);
    FTextObject->Font()->Assign(*FFont);
}

void TvgTextControl::StyleFreeing() {
    FTextObject = nullptr;
}

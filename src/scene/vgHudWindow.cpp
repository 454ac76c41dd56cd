#include "vgHudWindow.h"

#include "vgBounds.h"
#include "vgBrush.h"
#include "vgClassRegistry.h"
#include "vgCloseButton.h"
#include "vgFont.h"
#include "vgShape.h"

VG_REGISTER_CLASS(TvgHudWindow)

namespace {
constexpr TvgColor HudFillColor = 0xEA2F2F2F;
constexpr TvgColor HudStrokeColor = 0x5B000000;
// The caption is this much taller than the frame's stroke.
constexpr float CaptionHeight = 20;
}  // namespace

TvgHudWindow::TvgHudWindow(QObject* AOwner)
    : TvgWindow(AOwner),
      FFill(new TvgBrush(vgBrushSolid, HudFillColor, this)),
      FStroke(new TvgBrush(vgBrushSolid, HudStrokeColor, this)) {
    FFill->SetOnChanged([this] { LookChanged(); });
    FStroke->SetOnChanged([this] { LookChanged(); });
    Font()->SetStyle(vgFontBold);
}

void TvgHudWindow::LookChanged() {
    if (!Loading()) ApplyWindowStyle();
}

void TvgHudWindow::SetFill(const TvgBrush& value) {
    FFill->Assign(value);
}

void TvgHudWindow::SetStroke(const TvgBrush& value) {
    FStroke->Assign(value);
}

void TvgHudWindow::SetStrokeThickness(float value) {
    if (FStrokeThickness == value) return;
    FStrokeThickness = value;
    LookChanged();
}

void TvgHudWindow::SetStrokeCap(TvgStrokeCap value) {
    if (FStrokeCap == value) return;
    FStrokeCap = value;
    LookChanged();
}

void TvgHudWindow::SetStrokeDash(TvgStrokeDash value) {
    if (FStrokeDash == value) return;
    FStrokeDash = value;
    LookChanged();
}

void TvgHudWindow::SetStrokeJoin(TvgStrokeJoin value) {
    if (FStrokeJoin == value) return;
    FStrokeJoin = value;
    LookChanged();
}

void TvgHudWindow::SetButtonAlign(TvgCloseAlign value) {
    if (FButtonAlign == value) return;
    FButtonAlign = value;
    LookChanged();
}

void TvgHudWindow::SetShowCaption(bool value) {
    if (FShowCaption == value) return;
    FShowCaption = value;
    LookChanged();
}

void TvgHudWindow::ApplyWindowStyle() {
    TvgWindow::ApplyWindowStyle();
    const float t = FStrokeThickness;
    if (auto* close = qobject_cast<TvgCloseButton*>(FindResource(QStringLiteral("close")))) {
        close->SetAlign(FButtonAlign == vgButtonAlignRight ? vaRight : vaLeft);
        if (close->Visible()) close->SetVisible(FShowCaption);
    }
    if (auto* back = qobject_cast<TvgShape*>(FindResource(QStringLiteral("back"))))
        back->Fill()->Assign(*FFill);
    if (auto* stroke = qobject_cast<TvgShape*>(FindResource(QStringLiteral("stroke")))) {
        stroke->Stroke()->Assign(*FStroke);
        stroke->SetStrokeThickness(t);
        stroke->SetStrokeCap(FStrokeCap);
        stroke->SetStrokeDash(FStrokeDash);
        stroke->SetStrokeJoin(FStrokeJoin);
        stroke->Margins()->SetRect({t, t, t, t});
    }
    if (TvgVisualObject* caption = VisualPart(QStringLiteral("caption"))) {
        caption->SetHeight(t + CaptionHeight);
        caption->Padding()->SetRect({t, t, t, 0});
        caption->SetVisible(FShowCaption);
    }
    if (TvgVisualObject* text = VisualPart(QStringLiteral("text"))) text->SetVisible(FShowCaption);
}

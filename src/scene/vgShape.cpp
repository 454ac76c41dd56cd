#include "vgShape.h"

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgResourceObjects.h"

VG_REGISTER_CLASS(TvgShape)

TvgShape::TvgShape(QObject* AOwner) : TvgShape(vgBrushSolid, 0xFFE0E0E0, vgBrushSolid, 0xFF000000, AOwner) {}

TvgShape::TvgShape(TvgBrushStyle AFillStyle, TvgColor AFillColor, TvgBrushStyle AStrokeStyle,
                   TvgColor AStrokeColor, QObject* AOwner)
    : TvgVisualObject(AOwner),
      FFill(std::make_unique<TvgBrush>(AFillStyle, AFillColor)),
      FStroke(std::make_unique<TvgBrush>(AStrokeStyle, AStrokeColor)) {
    FFill->SetOnChanged([this] { LookChanged(); });
    FStroke->SetOnChanged([this] { LookChanged(); });
}

void TvgShape::LookChanged() {
    UpdateEffects();
    Repaint();
}

void TvgShape::SetStrokeThickness(float value) {
    if (value == FStrokeThickness) return;
    FStrokeThickness = value;
    LookChanged();
}

void TvgShape::SetStrokeCap(TvgStrokeCap value) {
    if (value == FStrokeCap) return;
    FStrokeCap = value;
    LookChanged();
}

void TvgShape::SetStrokeJoin(TvgStrokeJoin value) {
    if (value == FStrokeJoin) return;
    FStrokeJoin = value;
    LookChanged();
}

void TvgShape::SetStrokeDash(TvgStrokeDash value) {
    if (value == FStrokeDash) return;
    FStrokeDash = value;
    LookChanged();
}

TvgRect TvgShape::ShapeRect() {
    const TvgRect local = LocalRect();
    if (vgEffectiveBrush(*this, *FStroke).Style() == vgBrushNone) return local;
    const float half = FStrokeThickness / 2;
    return local.Inflate(-half, -half);
}

void TvgShape::Paint(TvgCanvas& Canvas) {
    Canvas.Fill().Assign(vgEffectiveBrush(*this, *FFill));
    Canvas.Stroke().Assign(vgEffectiveBrush(*this, *FStroke));
    Canvas.SetStrokeThickness(FStrokeThickness);
    Canvas.SetStrokeCap(FStrokeCap);
    Canvas.SetStrokeJoin(FStrokeJoin);
    Canvas.SetStrokeDash(FStrokeDash);
    PaintShape(Canvas);
    Canvas.SetStrokeDash(vgDashSolid);
    Canvas.SetStrokeThickness(1);
}

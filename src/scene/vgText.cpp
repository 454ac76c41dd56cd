#include "vgText.h"

#include "vgClassRegistry.h"
#include "vgQtCanvas.h"
#include "vgQtConvert.h"

VG_REGISTER_CLASS(TvgText)

TvgCanvas& vgMeasuringCanvas() {
    static TvgQtCanvas canvas;
    return canvas;
}

TvgText::TvgText(QObject* AOwner)
    : TvgShape(vgBrushSolid, 0xFF000000, vgBrushNone, 0xFF000000, AOwner),
      FFont(std::make_unique<TvgFont>()) {
    FFont->SetOnChanged([this] { TextLayoutChanged(); });
}

void TvgText::TextLayoutChanged() {
    AdjustSize();
    LookChanged();
}

void TvgText::SetText(const QString& value) {
    if (value == FText) return;
    FText = value;
    TextLayoutChanged();
}

void TvgText::SetHorzTextAlign(TvgTextAlign value) {
    if (value == FHorzTextAlign) return;
    FHorzTextAlign = value;
    LookChanged();
}

void TvgText::SetVertTextAlign(TvgTextAlign value) {
    if (value == FVertTextAlign) return;
    FVertTextAlign = value;
    TextLayoutChanged();
}

void TvgText::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    TextLayoutChanged();
}

void TvgText::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    TextLayoutChanged();
}

void TvgText::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    LookChanged();
}

void TvgText::SetWidth(float value) {
    TvgShape::SetWidth(value);
    AdjustSize();
}

void TvgText::SetHeight(float value) {
    TvgShape::SetHeight(value);
    AdjustSize();
}

void TvgText::AdjustSize() {
    if (!FAutoSize || FAdjusting || Loading()) return;
    FAdjusting = true;
    const TvgPoint extent = AutoSizeExtent();
    SetWidth(extent.X);
    SetHeight(extent.Y);
    if (TvgObject* parent = Parent(); parent && parent->IsVisual()) parent->Visual()->Realign();
    FAdjusting = false;
}

TvgPoint TvgText::AutoSizeExtent() const {
    TvgCanvas& canvas = vgMeasuringCanvas();
    canvas.Font().Assign(*FFont);
    const QRectF box(0, 0, FWordWrap ? Width() : 1000, 1000);
    const QRectF measured = canvas.MeasureText(box, FText, FWordWrap, vgTextAlignNear, vgTextAlignNear);
    TvgPoint extent{Width(), Height()};
    if (!FWordWrap) extent.X = static_cast<float>(measured.width()) + FFont->Size() / 2;
    if (FVertTextAlign != vgTextAlignCenter) extent.Y = static_cast<float>(measured.height());
    return extent;
}

void TvgText::PaintShape(TvgCanvas& Canvas) {
    if (FText.isEmpty() || Fill()->Style() == vgBrushNone) return;
    Canvas.Font().Assign(*FFont);
    const QRectF local = ToQRectF(LocalRect());
    const float opacity = AbsoluteOpacity();
    if (!FStretch) {
        Canvas.FillText(local, local, FText, FWordWrap, opacity, FHorzTextAlign, FVertTextAlign);
        return;
    }
    // Stretched text: laid out in a large box, then scaled so that its extent fills the object.
    const QRectF box(0, 0, 1000, 1000);
    const QRectF measured = Canvas.MeasureText(box, FText, FWordWrap, vgTextAlignNear, vgTextAlignNear);
    if (measured.isEmpty() || local.isEmpty()) return;
    const int state = Canvas.SaveCanvas();
    Canvas.IntersectClipRect(local);
    Canvas.MultyMatrix(
        QTransform::fromTranslate(-measured.left(), -measured.top()) *
        QTransform::fromScale(local.width() / measured.width(), local.height() / measured.height()));
    Canvas.FillText(measured, measured, FText, FWordWrap, opacity, vgTextAlignNear, vgTextAlignNear);
    Canvas.RestoreCanvas(state);
}

#include "vgBackground.h"

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgQtConvert.h"
#include "vgResourceObjects.h"

VG_REGISTER_CLASS(TvgBackground)

TvgBackground::TvgBackground(QObject* AOwner)
    : TvgControl(AOwner), FFill(std::make_unique<TvgBrush>(vgBrushNone, 0xFFE0E0E0)) {
    FFill->SetOnChanged([this] {
        UpdateEffects();
        Repaint();
    });
}

bool TvgBackground::HidesStyle(bool ATransparentRoot) const {
    return FFill->Style() != vgBrushNone || ATransparentRoot;
}

void TvgBackground::Paint(TvgCanvas& Canvas) {
    if (FFill->Style() == vgBrushNone) return;
    Canvas.Fill().Assign(vgEffectiveBrush(*this, *FFill));
    // A background has no outline: a picture fill covers exactly its rectangle.
    Canvas.Stroke().SetStyle(vgBrushNone);
    Canvas.FillRect(ToQRectF(LocalRect()), 0, 0, AllCorners, AbsoluteOpacity());
}

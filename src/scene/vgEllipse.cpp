#include "vgEllipse.h"

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgQtConvert.h"

VG_REGISTER_CLASS(TvgEllipse)

TvgEllipse::TvgEllipse(QObject* AOwner) : TvgShape(AOwner) {}

void TvgEllipse::PaintShape(TvgCanvas& Canvas) {
    const QRectF rect = ToQRectF(ShapeRect());
    const float opacity = AbsoluteOpacity();
    Canvas.FillEllipse(rect, opacity);
    Canvas.DrawEllipse(rect, opacity);
}

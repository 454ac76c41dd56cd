#include "vgPath.h"

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgPathData.h"
#include "vgQtConvert.h"

VG_REGISTER_CLASS(TvgPath)

TvgPath::TvgPath(QObject* AOwner) : TvgShape(AOwner) {}

void TvgPath::SetData(const QString& value) {
    if (value == FData) return;
    FData = value;
    FPath = vgParsePathData(value);
    LookChanged();
}

QPainterPath TvgPath::ScaledPath() {
    const QRectF bounds = FPath.boundingRect();
    const QRectF target = ToQRectF(ShapeRect());
    if (FPath.isEmpty() || target.isEmpty()) return {};
    // A straight line has no extent along one axis; keep it there instead of dividing by zero.
    const qreal sx = bounds.width() > 0 ? target.width() / bounds.width() : 1;
    const qreal sy = bounds.height() > 0 ? target.height() / bounds.height() : 1;
    const QTransform fit = QTransform::fromTranslate(-bounds.left(), -bounds.top()) *
                           QTransform::fromScale(sx, sy) *
                           QTransform::fromTranslate(target.left(), target.top());
    return fit.map(FPath);
}

void TvgPath::PaintShape(TvgCanvas& Canvas) {
    const QPainterPath path = ScaledPath();
    if (path.isEmpty()) return;
    const float opacity = AbsoluteOpacity();
    Canvas.FillPath(path, opacity);
    Canvas.DrawPath(path, opacity);
}

#include "vgEffect.h"

#include <QTransform>

#include <cmath>

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgPropertyPath.h"
#include "vgQtCanvas.h"
#include "vgQtConvert.h"
#include "vgResources.h"
#include "vgScene.h"
#include "vgVisualObject.h"

VG_REGISTER_CLASS(TvgEffect)

namespace {

// A canvas over an effect picture: every matrix the scene sets (absolute, in scene units) is
// followed by the mapping from scene units into the picture, so the subtree paints as it always
// does and lands in the picture.
class TEffectCanvas : public TvgQtCanvas {
public:
    explicit TEffectCanvas(const QTransform& sceneToPicture) : FSceneToPicture(sceneToPicture) {}

protected:
    void MatrixChanged() override {
        const QTransform scene = FMatrix;
        FMatrix = scene * FSceneToPicture;
        TvgQtCanvas::MatrixChanged();
        FMatrix = scene;
    }

private:
    QTransform FSceneToPicture;
};

// Paints the object and its subtree into the picture, the object's top-left corner at `offset`
// (device pixels), scaled but neither moved nor rotated by its place in the scene.
void PaintTo(TvgVisualObject& object, QImage& picture, QPointF offset, const TvgPoint& scale) {
    const QTransform sceneToPicture = ToQTransform(InvertMatrix(object.AbsoluteMatrix())) *
                                      QTransform::fromScale(scale.X, scale.Y) *
                                      QTransform::fromTranslate(offset.x(), offset.y());
    TEffectCanvas canvas(sceneToPicture);
    canvas.AttachBuffer(&picture);
    if (!canvas.BeginScene()) return;
    canvas.ResetDrawingDefaults();
    canvas.SetMatrix(ToQTransform(object.AbsoluteMatrix()));
    object.BeforePaintStep(canvas);
    object.Paint(canvas);
    object.AfterPaintStep(canvas);
    object.PaintChildren(canvas);
    canvas.EndScene();
    canvas.AttachBuffer(nullptr);
}

void DrawPicture(TvgVisualObject& object, TvgCanvas& canvas, TvgBitmap& picture, const TvgRect& area) {
    if (picture.Width() <= 0 || picture.Height() <= 0) return;
    canvas.SetMatrix(ToQTransform(object.AbsoluteMatrix()));
    canvas.DrawBitmap(picture, QRectF(0, 0, picture.Width(), picture.Height()),
                      QRectF(QPointF(area.Left, area.Top), QPointF(area.Right, area.Bottom)),
                      object.AbsoluteOpacity(), object.RotateAngle() == 0);
}

void RenderEffect(TvgVisualObject& object, TvgEffect& effect, TvgCanvas& canvas, const TvgPoint& scale) {
    const TvgRect area = effect.GetRect({0, 0, object.Width(), object.Height()});
    const int width = static_cast<int>(std::trunc(area.Width() * scale.X));
    const int height = static_cast<int>(std::trunc(area.Height() * scale.Y));
    QImage& picture = effect.CachedPicture().Image();
    if (width <= 0 || height <= 0) {
        picture = QImage();
        return;
    }
    if (picture.width() != width || picture.height() != height ||
        picture.format() != QImage::Format_ARGB32_Premultiplied)
        picture = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(0);
    const TvgPoint offset = effect.GetOffset();
    PaintTo(object, picture, QPointF(offset.X * scale.X, offset.Y * scale.Y), scale);
    effect.ProcessEffect(&canvas, picture, scale.X);
}

void PaintEffectsAtStage(TvgVisualObject& object, TvgCanvas& canvas, TvgEffectStage stage) {
    const bool after = vgEffectsPaintAfter(object);
    if ((stage == TvgEffectStage::esAfterPaint) == after) vgApplyEffects(object, canvas);
}

void InstallEffectPainter() {
    static const bool installed = (TvgScene::SetEffectPainter(&PaintEffectsAtStage), true);
    (void)installed;
}

template <class F>
void ForEachEnabledEffect(TvgVisualObject& object, F&& f) {
    for (TvgObject* child : std::vector<TvgObject*>(object.ChildList()))
        if (auto* effect = qobject_cast<TvgEffect*>(child); effect && effect->Enabled()) f(*effect);
}

}  // namespace

TvgEffect::TvgEffect(QObject* AOwner) : TvgObject(AOwner) {
    InstallEffectPainter();
}

void TvgEffect::SetEnabled(bool value) {
    if (FEnabled == value) return;
    FEnabled = value;
    TvgVisualObject* parent = Parent() ? Parent()->Visual() : nullptr;
    if (value && parent) parent->RecalcHasEffect();
    RefreshParentEffects();
    if (!value && parent) parent->RecalcHasEffect();
}

void TvgEffect::SetDisablePaint(bool value) {
    if (FDisablePaint == value) return;
    FDisablePaint = value;
    RefreshParentEffects();
}

void TvgEffect::SetAfterPaint(bool value) {
    if (FAfterPaint == value) return;
    FAfterPaint = value;
    RefreshParentEffects();
}

void TvgEffect::RefreshParentEffects() {
    TvgVisualObject* parent = Parent() ? Parent()->Visual() : nullptr;
    if (!parent) return;
    parent->UpdateEffects();
    for (TvgObject* ancestor = parent->Parent(); ancestor; ancestor = ancestor->Parent())
        if (TvgVisualObject* visual = ancestor->Visual(); visual && visual->HasEffect())
            visual->UpdateEffects();
    FCountAsEnabled = true;
    parent->RecalcUpdateRect();
    parent->Repaint();
    FCountAsEnabled = false;
    parent->RecalcUpdateRect();
}

void TvgEffect::ApplyTrigger(TvgObject* AInstance, const QString& ATrigger) {
    if (!AInstance || FTrigger.isEmpty() || !FTrigger.contains(ATrigger, Qt::CaseInsensitive)) return;
    SetEnabled(TriggerLastPairMatches(AInstance, FTrigger));
}

bool vgEffectsPaintAfter(TvgVisualObject& AObject) {
    bool after = false;
    ForEachEnabledEffect(AObject, [&](TvgEffect& effect) { after = after || effect.AfterPaint(); });
    return after;
}

void vgApplyEffects(TvgVisualObject& AObject, TvgCanvas& Canvas) {
    if (AObject.ChildrenCount() == 0 || !AObject.Scene() || !AObject.HasEffect()) return;
    const QTransform saved = Canvas.Matrix();
    const TvgPoint scale = AObject.AbsoluteScale();
    const bool stale = AObject.EffectsStale();
    ForEachEnabledEffect(AObject, [&](TvgEffect& effect) {
        if (stale) RenderEffect(AObject, effect, Canvas, scale);
        DrawPicture(AObject, Canvas, effect.CachedPicture(),
                    effect.GetRect({0, 0, AObject.Width(), AObject.Height()}));
    });
    AObject.SetEffectsStale(false);
    Canvas.SetMatrix(saved);
}

#include "vgEffect.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgMappedCanvas.h"
#include "vgPropertyPath.h"
#include "vgQtCanvas.h"
#include "vgQtConvert.h"
#include "vgResources.h"
#include "vgScene.h"
#include "vgVisualObject.h"

VG_REGISTER_CLASS(TvgEffect)

namespace {

// Paints the object and its subtree into the picture, the object's top-left corner at `offset`
// (device pixels), scaled but neither moved nor rotated by its place in the scene.
void PaintTo(TvgVisualObject& object, QImage& picture, QPointF offset, const TvgPoint& scale) {
    const QTransform sceneToPicture = ToQTransform(InvertMatrix(object.AbsoluteMatrix())) *
                                      QTransform::fromScale(scale.X, scale.Y) *
                                      QTransform::fromTranslate(offset.x(), offset.y());
    TvgMappedCanvas canvas(sceneToPicture);
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

// The subtree paints itself with its absolute opacities, which include those of the object's
// ancestors; the picture is meant to show the object as if it stood alone (the ancestors' share
// comes once, when the picture is drawn), so that share is taken out again.
void RemoveAncestorOpacity(TvgVisualObject& object, QImage& picture) {
    if (object.Opacity() <= 0) return;
    const float inherited = object.AbsoluteOpacity() / object.Opacity();
    if (inherited >= 1 || inherited <= 0) return;
    const float gain = 1 / inherited;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint32_t p = row[x];
            if (p == 0) continue;
            std::uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const float channel = static_cast<float>((p >> shift) & 0xFFu) * gain + 0.5f;
                result |= static_cast<std::uint32_t>(std::min(channel, 255.0f)) << shift;
            }
            row[x] = result;
        }
    }
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
    RemoveAncestorOpacity(object, picture);
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

bool HasVisualChildren(const TvgVisualObject& object) {
    const auto& children = object.ChildList();
    return std::any_of(children.begin(), children.end(), [](TvgObject* c) { return c->IsVisual(); });
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
    RefreshParentEffects(TEffectChange::ecPlacement);
    if (!value && parent) parent->RecalcHasEffect();
}

void TvgEffect::SetDisablePaint(bool value) {
    if (FDisablePaint == value) return;
    FDisablePaint = value;
    RefreshParentEffects(TEffectChange::ecPlacement);
}

void TvgEffect::SetAfterPaint(bool value) {
    if (FAfterPaint == value) return;
    FAfterPaint = value;
    RefreshParentEffects(TEffectChange::ecPlacement);
}

void TvgEffect::RefreshParentEffects(TEffectChange AChange) {
    TvgVisualObject* parent = Parent() ? Parent()->Visual() : nullptr;
    if (!parent) return;
    if (AChange == TEffectChange::ecPicture) FRenderedContent = 0;
    // A picture also shows the parent's children, which do not tell the parent when their look
    // changes: with children, every change of its effects renders all of them again.
    if (AChange == TEffectChange::ecPlacement && !HasVisualChildren(*parent))
        parent->RecheckEffects();
    else
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

bool TvgEffect::PictureStale(TvgVisualObject& AObject, const TvgPoint& AScale) {
    return FRenderedContent != AObject.EffectsContent() || FRenderedScale != AScale ||
           FRenderedOpacity != AObject.AbsoluteOpacity() || FRenderedWidth != AObject.Width() ||
           FRenderedHeight != AObject.Height();
}

void TvgEffect::PictureRendered(TvgVisualObject& AObject, const TvgPoint& AScale) {
    FRenderedContent = AObject.EffectsContent();
    FRenderedScale = AScale;
    FRenderedOpacity = AObject.AbsoluteOpacity();
    FRenderedWidth = AObject.Width();
    FRenderedHeight = AObject.Height();
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
        // Switching one effect on or off leaves the pictures rendered since the last change of
        // the object's look as they are (a dock icon's glow and reflection on every hover).
        if (stale && effect.PictureStale(AObject, scale)) {
            RenderEffect(AObject, effect, Canvas, scale);
            effect.PictureRendered(AObject, scale);
        }
        DrawPicture(AObject, Canvas, effect.CachedPicture(),
                    effect.GetRect({0, 0, AObject.Width(), AObject.Height()}));
    });
    AObject.SetEffectsStale(false);
    Canvas.SetMatrix(saved);
}

// Kept pictures: an object that only moves for a while (the desktop panel's slide) is painted once
// into a picture of its own, and every pass in between copies that picture to the object's new
// place instead of painting its wallpaper and buttons again.

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "vgMappedCanvas.h"
#include "vgObject.h"
#include "vgQtCanvas.h"
#include "vgQtConvert.h"
#include "vgScene.h"
#include "vgVisualObject.h"

namespace {

// Only translations are copied; anything else is painted.
bool OnlyMoves(const QTransform& m) {
    return m.m11() == 1 && m.m22() == 1 && m.m12() == 0 && m.m21() == 0 && m.m13() == 0 && m.m23() == 0;
}

bool AllOpaque(const QImage& picture) {
    std::uint32_t all = 0xFF000000u;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) all &= row[x];
        if ((all & 0xFF000000u) != 0xFF000000u) return false;
    }
    return true;
}

TvgVisualObject* ParentOf(const TvgVisualObject& AObject) {
    return AObject.Parent() ? AObject.Parent()->Visual() : nullptr;
}

bool Inside(const TvgVisualObject* AObject, const TvgVisualObject* AContainer) {
    for (const TvgVisualObject* p = AObject; p; p = ParentOf(*p))
        if (p == AContainer) return true;
    return false;
}

}  // namespace

bool TvgScene::KeepPicture(TvgVisualObject& AObject) {
    if (FindKept(AObject)) return true;
    TvgVisualObject* parent = ParentOf(AObject);
    if (FDrawing || !parent || AObject.Scene() != this || !AObject.CheckParentVisible()) return false;
    const QTransform matrix = ToQTransform(AObject.AbsoluteMatrix());
    if (!OnlyMoves(matrix)) return false;
    const TvgRect area = AObject.UpdateRect();
    const qreal ratio = FDeviceRatio;
    const QPoint origin(static_cast<int>(std::floor(area.Left * ratio)),
                        static_cast<int>(std::floor(area.Top * ratio)));
    const QSize size(static_cast<int>(std::ceil(area.Right * ratio)) - origin.x(),
                     static_cast<int>(std::ceil(area.Bottom * ratio)) - origin.y());
    if (size.isEmpty()) return false;

    TKeptPicture kept;
    kept.Object = &AObject;
    kept.Picture = QImage(size, QImage::Format_ARGB32_Premultiplied);
    if (kept.Picture.isNull()) return false;
    kept.Picture.fill(0);
    TvgMappedCanvas canvas(QTransform::fromScale(ratio, ratio) *
                           QTransform::fromTranslate(-origin.x(), -origin.y()));
    canvas.AttachBuffer(&kept.Picture);
    if (!canvas.BeginScene()) return false;
    canvas.ResetDrawingDefaults();
    // Painted as a pass paints it, all of it: the picture's canvas is not the scene's, and the
    // parent's clip is applied where the picture is copied to.
    PaintObject(AObject, canvas);
    ApplyEffects(AObject, canvas, TvgEffectStage::esAfterPaint);
    canvas.EndScene();
    canvas.AttachBuffer(nullptr);

    // An opaque picture (a wallpaper under buttons) is copied line by line rather than blended.
    if (AllOpaque(kept.Picture))
        kept.OpaqueView = QImage(kept.Picture.constBits(), size.width(), size.height(),
                                 kept.Picture.bytesPerLine(), QImage::Format_RGB32);
    kept.Origin = origin;
    kept.MadeAt = QPointF(matrix.dx(), matrix.dy());
    kept.Opacity = AObject.AbsoluteOpacity();
    FKept.push_back(std::move(kept));
    return true;
}

void TvgScene::DropPicture(TvgVisualObject& AObject) {
    std::erase_if(FKept, [&](const TKeptPicture& k) { return k.Object == &AObject || !k.Object; });
}

void TvgScene::ReleasePicture(TvgVisualObject& AObject) {
    TKeptPicture* kept = FindKept(AObject);
    if (!kept) return;
    if (FUpdateRects.empty() && !FDrawing) {
        DropPicture(AObject);
        return;
    }
    kept->Released = true;
}

void TvgScene::DropReleasedPictures() {
    std::erase_if(FKept, [](const TKeptPicture& k) { return k.Released || !k.Object; });
}

const QImage* TvgScene::KeptPicture(const TvgVisualObject& AObject) const {
    const auto it =
        std::find_if(FKept.begin(), FKept.end(), [&](const TKeptPicture& k) { return k.Object == &AObject; });
    return it == FKept.end() ? nullptr : &it->Picture;
}

TvgScene::TKeptPicture* TvgScene::FindKept(const TvgVisualObject& AObject) {
    for (TKeptPicture& kept : FKept)
        if (kept.Object == &AObject) return &kept;
    return nullptr;
}

void TvgScene::LookChanged(TvgVisualObject& AObject) {
    if (FKept.empty()) return;
    std::erase_if(FKept, [&](const TKeptPicture& k) { return !k.Object || Inside(&AObject, k.Object); });
}

bool TvgScene::DrawKept(TvgVisualObject& AChild, TvgCanvas& Canvas) {
    if (&Canvas != FCanvas.get() || FKept.empty()) return false;
    TKeptPicture* kept = FindKept(AChild);
    if (!kept) return false;
    const QTransform matrix = ToQTransform(AChild.AbsoluteMatrix());
    // Scaled, turned or faded from above since: the picture no longer shows the object.
    if (!OnlyMoves(matrix) || AChild.AbsoluteOpacity() != kept->Opacity) {
        DropPicture(AChild);
        return false;
    }
    const qreal ratio = FDeviceRatio;
    const QPoint moved(static_cast<int>(std::lround((matrix.dx() - kept->MadeAt.x()) * ratio)),
                       static_cast<int>(std::lround((matrix.dy() - kept->MadeAt.y()) * ratio)));
    FCanvas->DrawDevicePicture(kept->Origin + moved,
                               kept->OpaqueView.isNull() ? kept->Picture : kept->OpaqueView);
    FCanvas->SetMatrix(matrix);
    ++FKeptPictureDraws;
    return true;
}

#include "vgImage.h"

#include "vgBounds.h"
#include "vgCanvas.h"
#include "vgClassRegistry.h"
#include "vgImageGeometry.h"
#include "vgOpaqueArea.h"
#include "vgQtConvert.h"
#include "vgResourceObjects.h"

VG_REGISTER_CLASS(TvgImage)

TvgImage::TvgImage(QObject* AOwner)
    : TvgVisualObject(AOwner),
      FBitmap(std::make_unique<TvgBitmap>()),
      FBitmapMargins(std::make_unique<TvgBounds>()) {
    FBitmap->SetOnChange([this] {
        LookChanged();
        if (FOnBitmapLoaded) FOnBitmapLoaded(this);
    });
    FBitmapMargins->SetOnChange([this] { LookChanged(); });
}

void TvgImage::LookChanged() {
    UpdateEffects();
    Repaint();
}

void TvgImage::SetWrapMode(TvgImageWrap value) {
    if (value == FWrapMode) return;
    FWrapMode = value;
    LookChanged();
}

void TvgImage::SetDisableInterpolation(bool value) {
    if (value == FDisableInterpolation) return;
    FDisableInterpolation = value;
    LookChanged();
}

void TvgImage::Paint(TvgCanvas& Canvas) {
    const TvgBitmap& bitmap = vgEffectiveBitmap(*this, *FBitmap);
    if (bitmap.IsEmpty()) return;
    const float opacity = AbsoluteOpacity();
    if (FBitmapMargins->IsEmpty()) {
        PaintWrapped(Canvas, bitmap, opacity);
        return;
    }
    const QSizeF size(bitmap.Width(), bitmap.Height());
    for (const TvgImagePart& part :
         vgNineSliceParts(size, QSizeF(Width(), Height()), FBitmapMargins->Left(), FBitmapMargins->Top(),
                          FBitmapMargins->Right(), FBitmapMargins->Bottom()))
        Canvas.DrawBitmap(bitmap, part.Source, part.Dest, opacity, FDisableInterpolation);
}

void TvgImage::PaintWrapped(TvgCanvas& Canvas, const TvgBitmap& bitmap, float opacity) {
    const QRectF source(0, 0, bitmap.Width(), bitmap.Height());
    const QRectF local = ToQRectF(LocalRect());
    switch (FWrapMode) {
        case vgImageOriginal: {
            const int state = Canvas.SaveCanvas();
            Canvas.IntersectClipRect(local);
            Canvas.DrawBitmap(bitmap, source, source, opacity, FDisableInterpolation);
            Canvas.RestoreCanvas(state);
            break;
        }
        case vgImageFit: {
            const QRectF dest = vgFitRect(source.size(), local.size());
            if (!dest.isEmpty()) Canvas.DrawBitmap(bitmap, source, dest, opacity, FDisableInterpolation);
            break;
        }
        case vgImageStretch:
            Canvas.DrawBitmap(bitmap, source, local, opacity, FDisableInterpolation);
            break;
        case vgImageTile: {
            const int state = Canvas.SaveCanvas();
            Canvas.IntersectClipRect(local);
            // A long dock row is a hundred tiles, and a hover repaints two buttons' width of it:
            // the tiles wholly outside the clip (a pixel of smoothing around each kept) are not
            // handed to the painter at all.
            if (Canvas.FillTiled(bitmap, local, opacity)) {
                Canvas.RestoreCanvas(state);
                break;
            }
            QRectF shown;
            const bool bounded = Canvas.ClipBounds(shown);
            if (bounded) shown.adjust(-1, -1, 1, 1);
            for (const QRectF& tile : vgTileRects(source.size(), local.size()))
                if (!bounded || tile.intersects(shown))
                    Canvas.DrawBitmap(bitmap, source, tile, opacity, FDisableInterpolation);
            Canvas.RestoreCanvas(state);
            break;
        }
    }
}

TvgRect TvgImage::OpaqueRect() {
    const TvgBitmap& bitmap = vgEffectiveBitmap(*this, *FBitmap);
    // The other ways of drawing leave parts of the object bare or cut the picture.
    if (FWrapMode != vgImageStretch || bitmap.IsEmpty() || !FBitmapMargins->IsEmpty()) return {};
    const QRect core = vgOpaqueCore(bitmap.Image());
    if (core.isEmpty()) return {};
    const float sx = Width() / static_cast<float>(bitmap.Width());
    const float sy = Height() / static_cast<float>(bitmap.Height());
    const TvgRect stretched{static_cast<float>(core.left()) * sx, static_cast<float>(core.top()) * sy,
                            static_cast<float>(core.right() + 1) * sx,
                            static_cast<float>(core.bottom() + 1) * sy};
    // Smoothing mixes a border pixel with its neighbour outside the core, and a place between
    // whole pixels smooths one more: a source pixel and a unit are given up on every side.
    const TvgRect opaque = stretched.Inflate(-(sx + 1), -(sy + 1));
    return opaque.IsEmpty() ? TvgRect{} : opaque;
}

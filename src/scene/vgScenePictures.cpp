// Kept pictures: an object that only moves for a while (the desktop panel's slide) is painted once
// into a picture of its own, and every pass in between copies that picture to the object's new
// place instead of painting its wallpaper and buttons again.

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "RowRuns.h"
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

// A full-screen picture is two million pixels: the rows are read as pairs of pixels, and the
// sizes are taken once rather than asked of the picture for every pixel.
bool AllOpaque(const QImage& picture) {
    const int width = picture.width();
    const int height = picture.height();
    const int pairs = width / 2;
    for (int y = 0; y < height; ++y) {
        const uchar* line = picture.constScanLine(y);
        std::uint64_t all = ~std::uint64_t{0};
        for (int i = 0; i < pairs; ++i) {
            std::uint64_t two;
            std::memcpy(&two, line + 8 * static_cast<std::size_t>(i), sizeof two);
            all &= two;
        }
        if (width % 2) {
            std::uint32_t last;
            std::memcpy(&last, line + 4 * static_cast<std::size_t>(width - 1), sizeof last);
            all &= 0xFFFFFFFF00000000u | last;
        }
        if ((all & 0xFF000000FF000000u) != 0xFF000000FF000000u) return false;
    }
    return true;
}

// The pixels of a premultiplied picture whose alpha `which` takes, as a region: runs of a row
// become rectangles, and a row with the runs of the row above extends those downwards.
template <class TWhich>
QRegion PixelsWhere(const QImage& picture, TWhich which) {
    TRowRuns runs;
    const int width = picture.width();
    const int height = picture.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
        runs.StartRow(y);
        for (int x = 0; x < width;) {
            while (x < width && !which(row[x] >> 24)) ++x;
            const int start = x;
            while (x < width && which(row[x] >> 24)) ++x;
            if (x > start) runs.Add(start, x);
        }
        runs.EndRow();
    }
    return runs.Region();
}

TvgVisualObject* ParentOf(const TvgVisualObject& AObject) {
    return AObject.Parent() ? AObject.Parent()->Visual() : nullptr;
}

// A picture this large costs a copy of megabytes at every step of a slide: the window is asked
// to keep it itself.
constexpr int kHeldPixels = 256 * 256;

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
    if (!kept.OpaqueView.isNull() && ratio == 1.0 && size.width() * size.height() >= kHeldPixels)
        kept.HeldId = FHostWindow->HoldPicture(kept.Picture);
    kept.Origin = origin;
    kept.MadeAt = QPointF(matrix.dx(), matrix.dy());
    kept.Opacity = AObject.AbsoluteOpacity();
    FKept.push_back(std::move(kept));
    return true;
}

void TvgScene::EraseKept(const std::function<bool(const TKeptPicture&)>& which) {
    std::erase_if(FKept, [&](const TKeptPicture& k) {
        if (!which(k)) return false;
        if (k.HeldId) FHostWindow->ReleasePicture(k.HeldId);
        return true;
    });
}

void TvgScene::DropPicture(TvgVisualObject& AObject) {
    EraseKept([&](const TKeptPicture& k) { return k.Object == &AObject || !k.Object; });
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
    EraseKept([](const TKeptPicture& k) { return k.Released || !k.Object; });
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
    EraseKept([&](const TKeptPicture& k) { return !k.Object || Inside(&AObject, k.Object); });
}

bool TvgScene::DrawKept(TvgVisualObject& AChild, TvgCanvas& Canvas) {
    if (&Canvas != FCanvas.get() || FKept.empty()) return false;
    TKeptPicture* kept = FindKept(AChild);
    if (!kept) return false;
    const QTransform matrix = ToQTransform(AChild.AbsoluteMatrix());
    // Scaled, turned or faded from above since: the picture no longer shows the object.
    if (!OnlyMoves(matrix) || AChild.AbsoluteOpacity() != kept->Opacity) {
        DropPicture(AChild);
        if (!FPassHeld.empty()) WriteHeldParts(DeviceArea(AChild.UpdateRect()));
        return false;
    }
    const QPoint at = KeptPicturePlace(*kept, matrix);
    const bool opaque = !kept->OpaqueView.isNull();
    const QImage& picture = opaque ? kept->OpaqueView : kept->Picture;
    bool exact = FDeviceRatio == 1.0;
    const QRegion drawn = exact ? SurelyUnclipped(AChild, QRect(at, picture.size()), &exact) : QRegion();
    // Where the clips have whole edges the rows go straight into the frame, as the painter would
    // put them there (without handing them out to its threads).
    if (!FPassHeld.empty() && !opaque) {
        // Its opaque pixels overwrite a held picture's and its see-through ones leave them: only
        // those it blends need the held ones beneath.
        if (exact && FCanvas->CanPutDevicePicture(at, picture, drawn)) {
            // Found the first time a held picture lies under it: without one nothing asks.
            if (!kept->AlphaRegionsFound) {
                kept->Partial =
                    PixelsWhere(picture, [](std::uint32_t alpha) { return alpha != 0 && alpha != 255; });
                kept->Solid = PixelsWhere(picture, [](std::uint32_t alpha) { return alpha == 255; });
                kept->AlphaRegionsFound = true;
            }
            WriteHeldParts(kept->Partial.translated(at) & drawn);
            const QRegion solid = kept->Solid.translated(at) & drawn;
            for (THeldPart& part : FPassHeld) part.Region -= solid;
        } else {
            WriteHeldParts(DeviceArea(AChild.UpdateRect()));
        }
    }
    // A picture the window holds is not copied at all where nothing is painted over it: the
    // window shows those pixels from its own copy (WriteHeldParts writes what gets painted over).
    bool put = false;
    if (exact && opaque && kept->HeldId && !drawn.isEmpty() &&
        FCanvas->CanPutDevicePicture(at, picture, drawn)) {
        FPassHeld.push_back({kept->HeldId, picture, at, drawn});
        put = true;
    } else if (exact) {
        put = FCanvas->PutDevicePicture(at, picture, drawn);
    }
    if (!put) FCanvas->DrawDevicePicture(at, picture);
    if (opaque && FDeviceRatio == 1.0) {
        FPassCopied += drawn;
        FPassOpaque += drawn;
    }
    FCanvas->SetMatrix(matrix);
    ++FKeptPictureDraws;
    return true;
}

QRegion TvgScene::SurelyUnclipped(TvgVisualObject& AChild, const QRect& area, bool* AExact) const {
    QRect inside = area;
    TvgVisualObject* child = &AChild;
    for (TvgVisualObject* parent = ParentOf(AChild); parent; child = parent, parent = ParentOf(*parent)) {
        if (!parent->ClipChildren() || !child->CanClipped()) continue;
        const TvgMatrix matrix = parent->AbsoluteMatrix();
        if (matrix.m12 != 0 || matrix.m21 != 0) {
            if (AExact) *AExact = false;
            return {};
        }
        const TvgRect clip = MapRect(parent->LocalRect(), matrix);
        const QPoint topLeft(static_cast<int>(std::ceil(clip.Left)), static_cast<int>(std::ceil(clip.Top)));
        const QPoint end(static_cast<int>(std::floor(clip.Right)), static_cast<int>(std::floor(clip.Bottom)));
        if (AExact && (topLeft != QPoint(static_cast<int>(std::floor(clip.Left)),
                                         static_cast<int>(std::floor(clip.Top))) ||
                       end != QPoint(static_cast<int>(std::ceil(clip.Right)),
                                     static_cast<int>(std::ceil(clip.Bottom)))))
            *AExact = false;
        inside &= QRect(topLeft, end - QPoint(1, 1));
    }
    return FPassRegion & inside;
}

QPoint TvgScene::KeptPicturePlace(const TKeptPicture& AKept, const QTransform& AMatrix) const {
    const qreal ratio = FDeviceRatio;
    const QPoint moved(static_cast<int>(std::lround((AMatrix.dx() - AKept.MadeAt.x()) * ratio)),
                       static_cast<int>(std::lround((AMatrix.dy() - AKept.MadeAt.y()) * ratio)));
    return AKept.Origin + moved;
}

QRegion TvgScene::CoverOfKeptPictures() {
    QRegion cover;
    if (FDeviceRatio != 1.0) return cover;
    for (const TKeptPicture& kept : FKept) {
        TvgVisualObject* object = kept.Object;
        if (!object || kept.OpaqueView.isNull() || !object->CheckParentVisible()) continue;
        const QTransform matrix = ToQTransform(object->AbsoluteMatrix());
        if (!OnlyMoves(matrix) || object->AbsoluteOpacity() != kept.Opacity) continue;
        cover += SurelyUnclipped(*object, QRect(KeptPicturePlace(kept, matrix), kept.Picture.size()));
    }
    return cover;
}

QRect TvgScene::DeviceArea(const TvgRect& AArea) const {
    const qreal ratio = FDeviceRatio;
    // A pixel more on every side: antialiased edges reach into the pixels around an area.
    const QPoint topLeft(static_cast<int>(std::floor(AArea.Left * ratio)) - 1,
                         static_cast<int>(std::floor(AArea.Top * ratio)) - 1);
    const QPoint end(static_cast<int>(std::ceil(AArea.Right * ratio)) + 1,
                     static_cast<int>(std::ceil(AArea.Bottom * ratio)) + 1);
    return QRect(topLeft, end - QPoint(1, 1));
}

void TvgScene::WriteHeldParts(const QRegion& area) {
    for (THeldPart& part : FPassHeld) {
        if (!part.Region.boundingRect().intersects(area.boundingRect())) continue;
        const QRegion written = part.Region & area;
        if (written.isEmpty()) continue;
        FCanvas->WriteDevicePicture(part.At, part.Picture, written);
        part.Region -= written;
    }
    std::erase_if(FPassHeld, [](const THeldPart& part) { return part.Region.isEmpty(); });
}

void TvgScene::WriteAllHeldParts() {
    for (const THeldPart& part : FPassHeld) FCanvas->WriteDevicePicture(part.At, part.Picture, part.Region);
    FPassHeld.clear();
}

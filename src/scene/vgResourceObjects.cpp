#include "vgResourceObjects.h"

#include "IvgScene.h"
#include "vgClassRegistry.h"
#include "vgResources.h"

VG_REGISTER_CLASS(TvgBrushObject)
VG_REGISTER_CLASS(TvgBitmapObject)

TvgBrushObject::TvgBrushObject(QObject* AOwner)
    : TvgObject(AOwner), FBrush(new TvgBrush(vgBrushSolid, 0xFFFFFFFF, this)) {}

TvgBitmapObject::TvgBitmapObject(QObject* AOwner) : TvgObject(AOwner), FBitmap(new TvgBitmap(this)) {}

TvgObject* vgFindStyleObject(const TvgObject& AObject, const QString& AName) {
    if (AName.isEmpty()) return nullptr;
    if (IvgScene* scene = AObject.Scene())
        if (TvgResources* styles = scene->GetStyle(); styles && styles->Root())
            if (TvgObject* found = styles->Root()->FindResource(AName)) return found;
    if (TvgResources* defaults = DefaultStyles(); defaults && defaults->Root())
        return defaults->Root()->FindResource(AName);
    return nullptr;
}

const TvgBrush& vgEffectiveBrush(const TvgObject& AObject, const TvgBrush& ABrush) {
    static const TvgBrush nothing(vgBrushNone, 0);
    if (ABrush.Style() != vgBrushResource) return ABrush;
    const auto* named = qobject_cast<TvgBrushObject*>(vgFindStyleObject(AObject, ABrush.Resource()));
    // A resource brush naming another resource brush would chase names forever; it paints nothing.
    if (!named || named->Brush()->Style() == vgBrushResource) return nothing;
    return *named->Brush();
}

const TvgBitmap& vgEffectiveBitmap(const TvgObject& AObject, const TvgBitmap& ABitmap) {
    if (ABitmap.ResourceName().isEmpty()) return ABitmap;
    const auto* named = qobject_cast<TvgBitmapObject*>(vgFindStyleObject(AObject, ABitmap.ResourceName()));
    return named ? *named->Bitmap() : ABitmap;
}

#pragma once
// Named brushes and pictures kept in a style set, which brushes (style vgBrushResource), bitmaps
// (ResourceName) and text controls (the "foreground" part) use in place of their own.

#include <QString>

#include "vgBitmap.h"
#include "vgBrush.h"
#include "vgObject.h"

class TvgBrushObject : public TvgObject {
    Q_OBJECT
    Q_PROPERTY(TvgBrush* Brush READ Brush CONSTANT)

public:
    Q_INVOKABLE explicit TvgBrushObject(QObject* AOwner = nullptr);
    TvgBrush* Brush() const { return FBrush; }

private:
    TvgBrush* FBrush;
};

class TvgBitmapObject : public TvgObject {
    Q_OBJECT
    Q_PROPERTY(TvgBitmap* Bitmap READ Bitmap CONSTANT)

public:
    Q_INVOKABLE explicit TvgBitmapObject(QObject* AOwner = nullptr);
    TvgBitmap* Bitmap() const { return FBitmap; }

private:
    TvgBitmap* FBitmap;
};

// The style object of that name for an object: in its scene's style set, then in the toolkit's
// default set. Null when there is none.
TvgObject* vgFindStyleObject(const TvgObject& AObject, const QString& AName);

// The brush that paints for `ABrush`: itself, or for a resource brush the named brush object's
// brush (a missing one paints nothing, as an empty brush does).
const TvgBrush& vgEffectiveBrush(const TvgObject& AObject, const TvgBrush& ABrush);
// The bitmap that is drawn for `ABitmap`: the named bitmap object's when it has a ResourceName
// that is found, else itself.
const TvgBitmap& vgEffectiveBitmap(const TvgObject& AObject, const TvgBitmap& ABitmap);

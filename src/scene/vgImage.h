#pragma once
// A picture in the scene: drawn at its own size, fitted, stretched, tiled, or cut into nine parts
// by BitmapMargins.

#include <memory>

#include "vgBitmap.h"
#include "vgBounds.h"
#include "vgDrawTypes.h"
#include "vgVisualObject.h"

class TvgImage : public TvgVisualObject {
    Q_OBJECT
    Q_PROPERTY(TvgBitmap* Bitmap READ Bitmap CONSTANT)
    Q_PROPERTY(TvgBounds* BitmapMargins READ BitmapMargins CONSTANT)
    Q_PROPERTY(vgEnums::TvgImageWrap WrapMode READ WrapMode WRITE SetWrapMode)
    Q_PROPERTY(bool DisableInterpolation READ DisableInterpolation WRITE SetDisableInterpolation)

public:
    Q_INVOKABLE explicit TvgImage(QObject* AOwner = nullptr);

    TvgBitmap* Bitmap() const { return FBitmap.get(); }
    TvgBounds* BitmapMargins() const { return FBitmapMargins.get(); }
    TvgImageWrap WrapMode() const { return FWrapMode; }
    void SetWrapMode(TvgImageWrap value);
    bool DisableInterpolation() const { return FDisableInterpolation; }
    void SetDisableInterpolation(bool value);

    void SetOnBitmapLoaded(TNotifyEvent handler) { FOnBitmapLoaded = std::move(handler); }

    void Paint(TvgCanvas& Canvas) override;
    // A stretched picture: the opaque core of the picture, less the edge that smoothing blends.
    TvgRect OpaqueRect() override;

private:
    void LookChanged();
    void PaintWrapped(TvgCanvas& Canvas, const TvgBitmap& bitmap, float opacity);

    std::unique_ptr<TvgBitmap> FBitmap;
    std::unique_ptr<TvgBounds> FBitmapMargins;
    TvgImageWrap FWrapMode = vgImageFit;
    bool FDisableInterpolation = false;
    TNotifyEvent FOnBitmapLoaded;
};

#include "vgReflectionEffect.h"

#include <algorithm>

#include "vgClassRegistry.h"
#include "vgEffectBitmaps.h"

VG_REGISTER_CLASS(TvgReflectionEffect)

TvgReflectionEffect::TvgReflectionEffect(QObject* AOwner) : TvgEffect(AOwner) {}

TvgRect TvgReflectionEffect::GetRect(const TvgRect& ARect) const {
    return ARect.Inflate(2, 2).Offset(0, ARect.Height() + static_cast<float>(FOffset));
}

void TvgReflectionEffect::ProcessEffect(TvgCanvas* Canvas, QImage& Bitmap, float Data) {
    ReflectBitmap(Bitmap, FLength, FOpacity);
}

void TvgReflectionEffect::SetOffset(int value) {
    if (FOffset == value) return;
    FOffset = value;
    RefreshParentEffects();
}

void TvgReflectionEffect::SetLength(float value) {
    value = std::clamp(value, 0.1f, 1.0f);
    if (FLength == value) return;
    FLength = value;
    RefreshParentEffects();
}

void TvgReflectionEffect::SetOpacity(float value) {
    if (FOpacity == value) return;
    FOpacity = value;
    RefreshParentEffects();
}

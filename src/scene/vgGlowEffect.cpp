#include "vgGlowEffect.h"

#include <algorithm>

#include "vgClassRegistry.h"
#include "vgEffectBitmaps.h"

VG_REGISTER_CLASS(TvgGlowEffect)

TvgGlowEffect::TvgGlowEffect(QObject* AOwner) : TvgEffect(AOwner) {}

int TvgGlowEffect::Margin() const {
    return GlowMargin(FSoftness);
}

int TvgGlowEffect::BlurRadius() const {
    return GlowBlurRadius(FSoftness);
}

TvgRect TvgGlowEffect::GetRect(const TvgRect& ARect) const {
    const auto m = static_cast<float>(Margin());
    return ARect.Inflate(m, m);
}

TvgPoint TvgGlowEffect::GetOffset() const {
    const auto m = static_cast<float>(Margin());
    return {m, m};
}

void TvgGlowEffect::ProcessEffect(TvgCanvas* Canvas, QImage& Bitmap, float Data) {
    GlowBitmap(Bitmap, FGlowColor, FOpacity, BlurRadius());
}

void TvgGlowEffect::SetSoftness(float value) {
    value = std::clamp(value, 0.0f, 9.0f);
    if (FSoftness == value) return;
    FSoftness = value;
    RefreshParentEffects();
}

void TvgGlowEffect::SetGlowColor(const QString& value) {
    const TvgColor color = vgStrToColor(value);
    if (FGlowColor == color) return;
    FGlowColor = color;
    RefreshParentEffects();
}

void TvgGlowEffect::SetOpacity(float value) {
    value = std::clamp(value, 0.0f, 1.0f);
    if (FOpacity == value) return;
    FOpacity = value;
    RefreshParentEffects();
}

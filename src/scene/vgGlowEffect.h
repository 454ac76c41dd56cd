#pragma once
// A coloured halo around the opaque parts of an object, drawn under it.

#include "vgColor.h"
#include "vgEffect.h"

class TvgGlowEffect : public TvgEffect {
    Q_OBJECT
    Q_PROPERTY(float Softness READ Softness WRITE SetSoftness)
    Q_PROPERTY(QString GlowColor READ GlowColor WRITE SetGlowColor)
    Q_PROPERTY(float Opacity READ Opacity WRITE SetOpacity)

public:
    Q_INVOKABLE explicit TvgGlowEffect(QObject* AOwner = nullptr);

    TvgRect GetRect(const TvgRect& ARect) const override;
    TvgPoint GetOffset() const override;
    void ProcessEffect(TvgCanvas* Canvas, QImage& Bitmap, float Data) override;

    float Softness() const { return FSoftness; }
    // Clamped to 0..9.
    void SetSoftness(float value);
    QString GlowColor() const { return vgColorToStr(FGlowColor); }
    void SetGlowColor(const QString& value);
    float Opacity() const { return FOpacity; }
    // Clamped to 0..1.
    void SetOpacity(float value);

    // How far the halo reaches beyond the object, in local units.
    int Margin() const;
    int BlurRadius() const;

private:
    float FSoftness = 0.4f;
    TvgColor FGlowColor = 0xFFFFD700u;
    float FOpacity = 0.9f;
};

#pragma once
// A mirror image under an object that starts at Opacity and fades out after Length of its height.

#include "vgEffect.h"

class TvgReflectionEffect : public TvgEffect {
    Q_OBJECT
    Q_PROPERTY(int Offset READ Offset WRITE SetOffset)
    Q_PROPERTY(float Length READ Length WRITE SetLength)
    Q_PROPERTY(float Opacity READ Opacity WRITE SetOpacity)

public:
    Q_INVOKABLE explicit TvgReflectionEffect(QObject* AOwner = nullptr);

    TvgRect GetRect(const TvgRect& ARect) const override;
    TvgPoint GetOffset() const override { return {2, 2}; }
    void ProcessEffect(TvgCanvas* Canvas, QImage& Bitmap, float Data) override;

    int Offset() const { return FOffset; }
    void SetOffset(int value);
    float Length() const { return FLength; }
    // Clamped to 0.1..1.
    void SetLength(float value);
    float Opacity() const { return FOpacity; }
    void SetOpacity(float value);

private:
    int FOffset = 0;
    float FLength = 0.5f;
    float FOpacity = 0.5f;
};

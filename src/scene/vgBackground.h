#pragma once
// The usual root of a scene and of a style set: a control that fills its rectangle.

#include "vgBrush.h"
#include "vgControl.h"

class TvgBackground : public TvgControl {
    Q_OBJECT
    Q_PROPERTY(TvgBrush* Fill READ Fill CONSTANT)

public:
    explicit TvgBackground(QObject* AOwner = nullptr);

    // Nothing is painted while its style is vgBrushNone.
    TvgBrush* Fill() const { return FFill.get(); }
    // Its own fill replaces the style's look; so does being the see-through root of a
    // transparent scene (ATransparentRoot).
    bool HidesStyle(bool ATransparentRoot) const;

    void Paint(TvgCanvas& Canvas) override;

private:
    std::unique_ptr<TvgBrush> FFill;
};

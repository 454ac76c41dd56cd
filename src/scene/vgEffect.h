#pragma once
// An effect renders its parent (with the parent's children) into an off-screen picture, transforms
// it and draws the result under, over or instead of the parent. The rendered picture is kept per
// effect and drawn again as it is until something marks the parent's effects stale.

#include <QImage>
#include <QString>

#include <cstdint>

#include "vgBitmap.h"
#include "vgObject.h"
#include "vgTypes.h"

class TvgCanvas;
class TvgVisualObject;

class TvgEffect : public TvgObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Trigger READ Trigger WRITE SetTrigger)
    Q_PROPERTY(bool DisablePaint READ DisablePaint WRITE SetDisablePaint)
    Q_PROPERTY(bool AfterPaint READ AfterPaint WRITE SetAfterPaint)

public:
    Q_INVOKABLE explicit TvgEffect(QObject* AOwner = nullptr);

    // The area the effect covers for the object's rectangle, in the object's local units.
    virtual TvgRect GetRect(const TvgRect& ARect) const { return ARect; }
    // Where the object is placed inside the effect's picture, in local units.
    virtual TvgPoint GetOffset() const { return {0, 0}; }
    // Transforms the rendered picture in place; Data is the object's absolute horizontal scale.
    virtual void ProcessEffect(TvgCanvas* Canvas, QImage& Bitmap, float Data) {}

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    QString Trigger() const { return FTrigger; }
    void SetTrigger(const QString& value) { FTrigger = value; }
    bool DisablePaint() const { return FDisablePaint; }
    void SetDisablePaint(bool value);
    bool AfterPaint() const { return FAfterPaint; }
    void SetAfterPaint(bool value);

    bool IsEffect() const override { return true; }
    bool EffectEnabled() const override { return FEnabled || FCountAsEnabled; }
    bool EffectDisablesPaint() const override { return FEnabled && FDisablePaint; }
    TvgRect EffectRect(const TvgRect& ARect) const override { return GetRect(ARect); }
    void ApplyTrigger(TvgObject* AInstance, const QString& ATrigger) override;

    // The last rendered and processed picture.
    TvgBitmap& CachedPicture() { return FCache; }
    // Whether the cached picture must be rendered again to show the object as it is now.
    bool PictureStale(TvgVisualObject& AObject, const TvgPoint& AScale);
    // Notes what the cached picture was rendered from.
    void PictureRendered(TvgVisualObject& AObject, const TvgPoint& AScale);

protected:
    // What changed about an effect: its picture (a property the rendering reads), or only whether
    // and where the picture is drawn (enabled, drawn after, hiding the object).
    enum class TEffectChange { ecPicture, ecPlacement };
    // The parent and its ancestors with effects render again; the repaint covers the effect's area
    // even when it has just been switched off. A change of placement alone keeps the effect's own
    // picture and those of its siblings, which show the parent alone, not one another.
    void RefreshParentEffects(TEffectChange AChange = TEffectChange::ecPicture);

private:
    bool FEnabled = true;
    QString FTrigger;
    bool FDisablePaint = false;
    bool FAfterPaint = false;
    // Keeps the effect's area in the parent's update rectangle for the repaint that removes it.
    bool FCountAsEnabled = false;
    TvgBitmap FCache;
    // What FCache was rendered from: the parent's effects content count (0: nothing rendered yet
    // or a property changed since), its scale, opacity and size.
    std::uint64_t FRenderedContent = 0;
    TvgPoint FRenderedScale;
    float FRenderedOpacity = 0;
    float FRenderedWidth = 0;
    float FRenderedHeight = 0;
};

// --- used by the painting of children (installed into the scene by the first effect made) ---
// Some enabled effect of the object is drawn over it rather than under it.
bool vgEffectsPaintAfter(TvgVisualObject& AObject);
// Renders (when stale) and draws the object's enabled effects. Leaves the canvas matrix as it was.
void vgApplyEffects(TvgVisualObject& AObject, TvgCanvas& Canvas);

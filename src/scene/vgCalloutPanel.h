#pragma once
// A panel with a pointer: its four pointer values are written into the callout rectangle of its
// style (the part "Backgound", or the style's root), replacing whatever the style stores.

#include "vgCalloutPath.h"
#include "vgPanel.h"

class TvgCalloutRectangle;

class TvgCalloutPanel : public TvgPanel {
    Q_OBJECT
    Q_PROPERTY(float CalloutWidth READ CalloutWidth WRITE SetCalloutWidth)
    Q_PROPERTY(float CalloutLength READ CalloutLength WRITE SetCalloutLength)
    Q_PROPERTY(
        vgCalloutEnums::TvgCalloutPosition CalloutPosition READ CalloutPosition WRITE SetCalloutPosition)
    Q_PROPERTY(float CalloutOffset READ CalloutOffset WRITE SetCalloutOffset)

public:
    Q_INVOKABLE explicit TvgCalloutPanel(QObject* AOwner = nullptr);

    float CalloutWidth() const { return FCalloutWidth; }
    void SetCalloutWidth(float value);
    float CalloutLength() const { return FCalloutLength; }
    void SetCalloutLength(float value);
    TvgCalloutPosition CalloutPosition() const { return FCalloutPosition; }
    void SetCalloutPosition(TvgCalloutPosition value);
    float CalloutOffset() const { return FCalloutOffset; }
    void SetCalloutOffset(float value);

    // The style's callout rectangle that receives the values (null when the style has none).
    TvgCalloutRectangle* CalloutRectangle() const;

protected:
    void StyleApplied() override;

private:
    float FCalloutWidth = 23;
    float FCalloutLength = 11;
    TvgCalloutPosition FCalloutPosition = vgCalloutTop;
    float FCalloutOffset = 0;
};

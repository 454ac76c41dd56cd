#pragma once
// A rectangle with a triangular pointer standing out of one side (the hint bubble's shape).

#include <QPainterPath>

#include "vgCalloutPath.h"
#include "vgRectangle.h"

class TvgCalloutRectangle : public TvgRectangle {
    Q_OBJECT
    Q_PROPERTY(float CalloutWidth READ CalloutWidth WRITE SetCalloutWidth)
    Q_PROPERTY(float CalloutLength READ CalloutLength WRITE SetCalloutLength)
    Q_PROPERTY(
        vgCalloutEnums::TvgCalloutPosition CalloutPosition READ CalloutPosition WRITE SetCalloutPosition)
    Q_PROPERTY(float CalloutOffset READ CalloutOffset WRITE SetCalloutOffset)

public:
    Q_INVOKABLE explicit TvgCalloutRectangle(QObject* AOwner = nullptr);

    float CalloutWidth() const { return FCalloutWidth; }
    void SetCalloutWidth(float value);
    float CalloutLength() const { return FCalloutLength; }
    void SetCalloutLength(float value);
    TvgCalloutPosition CalloutPosition() const { return FCalloutPosition; }
    void SetCalloutPosition(TvgCalloutPosition value);
    float CalloutOffset() const { return FCalloutOffset; }
    void SetCalloutOffset(float value);

    // The outline for the current size and settings.
    const QPainterPath& Path() const { return FPath; }
    void RebuildPath();

protected:
    void PaintShape(TvgCanvas& Canvas) override;

private:
    void CalloutChanged();

    float FCalloutWidth = 23;
    float FCalloutLength = 11;
    TvgCalloutPosition FCalloutPosition = vgCalloutTop;
    float FCalloutOffset = 0;
    QPainterPath FPath;
};

#pragma once
// The track of a scroll bar: a range like the bar's and a thumb part ("thumb") whose length shows
// the visible share and whose place shows the value. A press beside the thumb pages; dragging
// the thumb (which captures the mouse) moves the value with the pointer.

#include <QPointer>

#include "vgScrollBar.h"

class TvgThumb;

class TvgCustomTrack : public TvgControl {
    Q_OBJECT
    Q_PROPERTY(float Min READ Min WRITE SetMin)
    Q_PROPERTY(float Max READ Max WRITE SetMax)
    Q_PROPERTY(float ViewportSize READ ViewportSize WRITE SetViewportSize)
    Q_PROPERTY(float Value READ Value WRITE SetValue)
    Q_PROPERTY(vgScrollEnums::TvgOrientation Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(bool Tracking READ Tracking WRITE SetTracking)

public:
    Q_INVOKABLE explicit TvgCustomTrack(QObject* AOwner = nullptr);

    float Min() const { return FMin; }
    void SetMin(float value);
    float Max() const { return FMax; }
    void SetMax(float value);
    float ViewportSize() const { return FViewportSize; }
    void SetViewportSize(float value);
    float Value() const { return FValue; }
    void SetValue(float value);
    TvgOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TvgOrientation value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value) { FTracking = value; }
    void SetOnChange(TNotifyEvent h) { FOnChange = std::move(h); }

    // The style's thumb, or one made by the track when its style has none.
    TvgThumb* Thumb() const { return FThumb; }
    // The thumb's start and length along the track, in local units.
    float ThumbStart() const;
    float ThumbLength() const;
    // The value a point along the track stands for.
    float ValueAt(float APos) const;

    void Realign() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    // The thumb reports its drag here: APos is the pointer along the track minus the press offset.
    void ThumbDragged(float APos);

protected:
    void StyleApplied() override;
    void StyleFreeing() override;

private:
    float Length() const;
    float Thickness() const;
    float Clamped(float value) const;
    void PlaceThumb();

    float FMin = 0;
    float FMax = 100;
    float FViewportSize = 0;
    float FValue = 0;
    TvgOrientation FOrientation = vgHorizontal;
    bool FTracking = true;
    TNotifyEvent FOnChange;
    QPointer<TvgThumb> FThumb;
};

class TvgThumb : public TvgControl {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgThumb(QObject* AOwner = nullptr);

    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) override;

private:
    TvgCustomTrack* TrackParent() const;
    float AlongTrack(float X, float Y) const;

    bool FDragging = false;
    float FDownOffset = 0;
};

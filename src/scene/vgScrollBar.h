#pragma once
// A scroll bar: a range Min..Max of which ViewportSize is visible from Value on. Its style gives a
// track per orientation ("htrack", "vtrack") and a pair of step buttons per orientation; the bar
// shows the parts of its own orientation and keeps the track's range in step with its own.

#include <QPointer>

#include <functional>

#include "vgControl.h"

namespace vgScrollEnums {
Q_NAMESPACE
enum TvgOrientation { vgHorizontal, vgVertical };
Q_ENUM_NS(TvgOrientation)
}  // namespace vgScrollEnums
using vgScrollEnums::TvgOrientation;
using enum vgScrollEnums::TvgOrientation;

class TvgCustomTrack;

class TvgScrollBar : public TvgControl {
    Q_OBJECT
    Q_PROPERTY(float Min READ Min WRITE SetMin)
    Q_PROPERTY(float Max READ Max WRITE SetMax)
    Q_PROPERTY(float ViewportSize READ ViewportSize WRITE SetViewportSize)
    Q_PROPERTY(float Value READ Value WRITE SetValue)
    Q_PROPERTY(float SmallChange READ SmallChange WRITE SetSmallChange)
    Q_PROPERTY(vgScrollEnums::TvgOrientation Orientation READ Orientation WRITE SetOrientation)

public:
    Q_INVOKABLE explicit TvgScrollBar(QObject* AOwner = nullptr);

    float Min() const { return FMin; }
    void SetMin(float value);
    float Max() const { return FMax; }
    // Below Min it stores Min + 0.001 and shrinks ViewportSize and Value to fit.
    void SetMax(float value);
    float ViewportSize() const { return FViewportSize; }
    void SetViewportSize(float value);
    float Value() const { return FValue; }
    // Clamped to Min..Max − ViewportSize; a change fires OnChange and realigns.
    void SetValue(float value);
    float SmallChange() const { return FSmallChange; }
    void SetSmallChange(float value) { FSmallChange = value; }
    TvgOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TvgOrientation value);
    void SetOnChange(TNotifyEvent h) { FOnChange = std::move(h); }

    // The track of the current orientation (null when the style has none).
    TvgCustomTrack* Track() const;

    void Realign() override;

protected:
    void StyleApplied() override;
    void StyleFreeing() override;

private:
    float Clamped(float value) const;
    void ShowPart(const QString& AName, bool AVisible);
    void WireButton(const QString& AName, float ASign);
    void TrackChanged(TvgObject* Sender);

    float FMin = 0;
    float FMax = 100;
    float FViewportSize = 0;
    float FValue = 0;
    float FSmallChange = 1;
    TvgOrientation FOrientation = vgHorizontal;
    TNotifyEvent FOnChange;
    QPointer<TvgCustomTrack> FTrack;
    bool FSyncing = false;
};

#pragma once
// A control that shows a larger content through its viewport and scrolls it with two bars and
// the mouse wheel. Children the program adds go into the content object, which the box moves by
// the bars' values; the style clone, effects, animations and children tagged "self" stay put.

#include <QPointer>

#include "vgControl.h"

#include "vgFloatAnimation.h"
#include "vgScrollBar.h"

// The object that carries what scrolls; its size follows its children.
class TvgScrollContent : public TvgVisualObject {
    Q_OBJECT

public:
    Q_INVOKABLE explicit TvgScrollContent(QObject* AOwner = nullptr);

    // A child's new size or place changes what there is to scroll: the box lays itself out again.
    void Realign() override;

protected:
    bool RealignsOnChildResize() const override { return true; }
};

class TvgScrollBox : public TvgControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoHide READ AutoHide WRITE SetAutoHide)
    Q_PROPERTY(bool Animated READ Animated WRITE SetAnimated)
    Q_PROPERTY(bool ShowScrollBars READ ShowScrollBars WRITE SetShowScrollBars)
    Q_PROPERTY(bool DisableMouseWheel READ DisableMouseWheel WRITE SetDisableMouseWheel)
    Q_PROPERTY(bool MouseTracking READ MouseTracking WRITE SetMouseTracking)
    Q_PROPERTY(bool ShowSizeGrip READ ShowSizeGrip WRITE SetShowSizeGrip)
    Q_PROPERTY(bool UseSmallScrollBars READ UseSmallScrollBars WRITE SetUseSmallScrollBars)

public:
    Q_INVOKABLE explicit TvgScrollBox(QObject* AOwner = nullptr);

    bool AutoHide() const { return FAutoHide; }
    void SetAutoHide(bool value);
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool value) { FAnimated = value; }
    bool ShowScrollBars() const { return FShowScrollBars; }
    void SetShowScrollBars(bool value);
    bool DisableMouseWheel() const { return FDisableMouseWheel; }
    void SetDisableMouseWheel(bool value) { FDisableMouseWheel = value; }
    bool MouseTracking() const { return FMouseTracking; }
    void SetMouseTracking(bool value) { FMouseTracking = value; }
    bool ShowSizeGrip() const { return FShowSizeGrip; }
    void SetShowSizeGrip(bool value);
    bool UseSmallScrollBars() const { return FUseSmallScrollBars; }
    void SetUseSmallScrollBars(bool value);

    TvgScrollContent* Content() const { return FContent; }
    TvgScrollBar* VScrollBar() const { return FVScrollBar; }
    TvgScrollBar* HScrollBar() const { return FHScrollBar; }
    TvgPoint ScrollOffset() const { return FScrollDesign; }
    // The animation that scrolls a bar (null before the first animated wheel turn).
    TvgFloatAnimation* VScrollAni() const { return FVScrollAni; }
    TvgFloatAnimation* HScrollAni() const { return FHScrollAni; }

    void AddObject(TvgObject* AObject) override;
    void Realign() override;
    // Moves the content by Dx, Dy (positive values bring what lies above or left into view).
    void ScrollTo(float Dx, float Dy);
    void Centre();
    float ClientWidth();
    float ClientHeight();

    void MouseWheel(TShiftState Shift, int WheelDelta, const TvgPoint& MousePos, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;
    void MouseMove(TShiftState Shift, float X, float Y, float Dx, float Dy) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, float X, float Y) override;

protected:
    void StyleApplied() override;
    void StyleFreeing() override;

private:
    TvgVisualObject* Viewport() const;
    TvgRect ViewportRect() const;
    TvgRect ContentBounds() const;
    // One layout of content and bars; true when the bars changed the viewport's size.
    bool UpdateScrolling();
    void UpdateBar(TvgScrollBar* ABar, float AContent, float AViewport, float AOffset);
    void PlaceContent();
    void BarChanged(TvgScrollBar* ABar);
    void AnimateBar(TvgScrollBar* ABar, QPointer<TvgFloatAnimation>& AAni, float AStopValue);
    TvgScrollBar* WheelBar() const;
    QPointer<TvgFloatAnimation>& AniFor(TvgScrollBar* ABar);
    void ParkBarsOutside();

    TvgScrollContent* FContent;
    QPointer<TvgVisualObject> FContentLayout;
    QPointer<TvgScrollBar> FVScrollBar;
    QPointer<TvgScrollBar> FHScrollBar;
    QPointer<TvgFloatAnimation> FVScrollAni;
    QPointer<TvgFloatAnimation> FHScrollAni;
    TvgPoint FScrollDesign;
    bool FAutoHide = true;
    bool FAnimated = true;
    bool FShowScrollBars = true;
    bool FDisableMouseWheel = false;
    bool FMouseTracking = false;
    bool FShowSizeGrip = false;
    bool FUseSmallScrollBars = false;
    bool FRealigning = false;
    bool FDown = false;
    TvgPoint FDownPos;
    TvgPoint FCurrentPos;
    TvgPoint FLastDelta;
};

#pragma once
// A visual object painted with a fill and a stroke. The stroke lies fully inside the object: the
// shape rectangle is the local rectangle shrunk by half the stroke thickness when there is a stroke.

#include <memory>

#include "vgBrush.h"
#include "vgDrawTypes.h"
#include "vgVisualObject.h"

class TvgShape : public TvgVisualObject {
    Q_OBJECT
    Q_PROPERTY(TvgBrush* Fill READ Fill CONSTANT)
    Q_PROPERTY(TvgBrush* Stroke READ Stroke CONSTANT)
    Q_PROPERTY(float StrokeThickness READ StrokeThickness WRITE SetStrokeThickness)
    Q_PROPERTY(vgEnums::TvgStrokeCap StrokeCap READ StrokeCap WRITE SetStrokeCap)
    Q_PROPERTY(vgEnums::TvgStrokeJoin StrokeJoin READ StrokeJoin WRITE SetStrokeJoin)
    Q_PROPERTY(vgEnums::TvgStrokeDash StrokeDash READ StrokeDash WRITE SetStrokeDash)

public:
    Q_INVOKABLE explicit TvgShape(QObject* AOwner = nullptr);

    TvgBrush* Fill() const { return FFill.get(); }
    TvgBrush* Stroke() const { return FStroke.get(); }
    float StrokeThickness() const { return FStrokeThickness; }
    void SetStrokeThickness(float value);
    TvgStrokeCap StrokeCap() const { return FStrokeCap; }
    void SetStrokeCap(TvgStrokeCap value);
    TvgStrokeJoin StrokeJoin() const { return FStrokeJoin; }
    void SetStrokeJoin(TvgStrokeJoin value);
    TvgStrokeDash StrokeDash() const { return FStrokeDash; }
    void SetStrokeDash(TvgStrokeDash value);

    // The local rectangle, less half the stroke on every side when a stroke is drawn.
    TvgRect ShapeRect();

    // Hands the brushes and stroke settings to the canvas, paints the shape, and puts the canvas's
    // dash and thickness back.
    void Paint(TvgCanvas& Canvas) override;

protected:
    TvgShape(TvgBrushStyle AFillStyle, TvgColor AFillColor, TvgBrushStyle AStrokeStyle, TvgColor AStrokeColor,
             QObject* AOwner);
    virtual void PaintShape(TvgCanvas& Canvas) {}
    // A property that changes the look changed: effects are stale and the object is repainted.
    void LookChanged();

private:
    std::unique_ptr<TvgBrush> FFill;
    std::unique_ptr<TvgBrush> FStroke;
    float FStrokeThickness = 1;
    TvgStrokeCap FStrokeCap = vgCapFlat;
    TvgStrokeJoin FStrokeJoin = vgJoinMiter;
    TvgStrokeDash FStrokeDash = vgDashSolid;
};

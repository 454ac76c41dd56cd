#pragma once
// The drawing surface the scene paints on. Every operation takes the canvas's current matrix,
// brushes, stroke settings and font; the scene sets those before each object paints. Rectangles
// are in the current matrix's local units; colours are ARGB.

#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <vector>

#include "vgBitmap.h"
#include "vgBrush.h"
#include "vgDrawTypes.h"
#include "vgFont.h"

class TvgCanvas {
public:
    TvgCanvas();
    virtual ~TvgCanvas();
    TvgCanvas(const TvgCanvas&) = delete;
    TvgCanvas& operator=(const TvgCanvas&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Recreates the buffer at a new size; sizes below 1 become 1.
    virtual void ResizeBuffer(int width, int height) = 0;
    // Brackets one drawing pass; false when there is nothing to draw into.
    virtual bool BeginScene() = 0;
    virtual void EndScene() = 0;

    // Overwrite pixels without blending. ClearRect rounds outward to whole pixels inside the buffer
    // and ignores the matrix.
    virtual void Clear(TvgColor color) = 0;
    virtual void ClearRect(const QRectF& rect, TvgColor color) = 0;

    const QTransform& Matrix() const { return FMatrix; }
    void SetMatrix(const QTransform& matrix);
    // The new transform is `matrix` applied before the current one.
    void MultyMatrix(const QTransform& matrix);

    // Save and restore transform and clip. Restoring an id also drops every state saved after it.
    virtual int SaveCanvas() = 0;
    virtual void RestoreCanvas(int state) = 0;
    // Clip rectangles in buffer pixels (the dirty rectangles of a drawing pass).
    virtual void SetClipRects(const std::vector<QRectF>& rects) = 0;
    virtual void IntersectClipRect(const QRectF& rect) = 0;
    virtual void ExcludeClipRect(const QRectF& rect) = 0;
    virtual void ResetClipRect() = 0;

    virtual void FillRect(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners, float opacity,
                          TvgCornerType cornerType = vgCornerRound) = 0;
    virtual void DrawRect(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners, float opacity,
                          TvgCornerType cornerType = vgCornerRound) = 0;
    virtual void DrawRectSides(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                               float opacity, TvgSides sides, TvgCornerType cornerType = vgCornerRound) = 0;
    virtual void FillEllipse(const QRectF& rect, float opacity) = 0;
    virtual void DrawEllipse(const QRectF& rect, float opacity) = 0;
    virtual void FillPath(const QPainterPath& path, float opacity) = 0;
    virtual void DrawPath(const QPainterPath& path, float opacity) = 0;
    virtual void DrawLine(QPointF from, QPointF to, float opacity) = 0;
    virtual void FillPolygon(const QPolygonF& polygon, float opacity) = 0;
    virtual void DrawPolygon(const QPolygonF& polygon, float opacity) = 0;
    // Angles in degrees, clockwise from three o'clock as on the screen.
    virtual void FillArc(QPointF center, QPointF radius, float startAngle, float sweepAngle,
                         float opacity) = 0;
    virtual void DrawArc(QPointF center, QPointF radius, float startAngle, float sweepAngle,
                         float opacity) = 0;

    // Text with the current font in the fill brush, clipped to clipRect.
    virtual void FillText(const QRectF& rect, const QRectF& clipRect, const QString& text, bool wordWrap,
                          float opacity, TvgTextAlign horzAlign, TvgTextAlign vertAlign) = 0;
    // The rectangle the text would cover when drawn into `rect`.
    virtual QRectF MeasureText(const QRectF& rect, const QString& text, bool wordWrap, TvgTextAlign horzAlign,
                               TvgTextAlign vertAlign) = 0;
    virtual float TextWidth(const QString& text) = 0;
    virtual float TextHeight(const QString& text) = 0;

    // Draws a part of a bitmap scaled into a rectangle; highSpeed picks nearest-neighbour scaling.
    virtual void DrawBitmap(const TvgBitmap& bitmap, const QRectF& source, const QRectF& dest, float opacity,
                            bool highSpeed) = 0;
    // Fills `area` (whose corner is a tile's corner) with copies of the bitmap side by side, as
    // drawing every tile at its own size would; false, with nothing drawn, where the canvas cannot
    // give those very pixels in one go.
    virtual bool FillTiled(const TvgBitmap& bitmap, const QRectF& area, float opacity) {
        (void)bitmap;
        (void)area;
        (void)opacity;
        return false;
    }
    // The rectangle, in the current matrix's units, that holds every pixel the clip lets through;
    // false when the canvas cannot tell (nothing may then be left out for lying outside it).
    virtual bool ClipBounds(QRectF& bounds) const {
        (void)bounds;
        return false;
    }

    TvgBrush& Fill() { return FFill; }
    TvgBrush& Stroke() { return FStroke; }
    TvgFont& Font() { return FFont; }
    float StrokeThickness() const { return FStrokeThickness; }
    void SetStrokeThickness(float thickness) { FStrokeThickness = thickness; }
    TvgStrokeCap StrokeCap() const { return FStrokeCap; }
    void SetStrokeCap(TvgStrokeCap cap) { FStrokeCap = cap; }
    TvgStrokeJoin StrokeJoin() const { return FStrokeJoin; }
    void SetStrokeJoin(TvgStrokeJoin join) { FStrokeJoin = join; }
    TvgStrokeDash StrokeDash() const { return FStrokeDash; }
    void SetStrokeDash(TvgStrokeDash dash) { FStrokeDash = dash; }
    // Stroke thickness 1, flat caps, miter joins, solid dash, solid stroke and fill.
    void ResetDrawingDefaults();

    // The part of the buffer a rectangle touches: rounded outward, right and bottom one further,
    // limited to the buffer. What a presentation of that rectangle sends.
    QRect FlushBufferRect(const QRectF& rect) const;

protected:
    virtual void MatrixChanged() = 0;

    int FWidth = 1;
    int FHeight = 1;
    QTransform FMatrix;
    TvgBrush FFill;
    TvgBrush FStroke;
    float FStrokeThickness = 1;
    TvgStrokeCap FStrokeCap = vgCapFlat;
    TvgStrokeJoin FStrokeJoin = vgJoinMiter;
    TvgStrokeDash FStrokeDash = vgDashSolid;
    TvgFont FFont;
};

// The rounded rectangle outline the canvas fills and strokes: radii limited to half the sides,
// corners outside `corners` square.
QPainterPath vgRectPath(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                        TvgCornerType cornerType);
// The open outline of only the listed sides, rounded where two listed sides meet at a listed corner.
QPainterPath vgRectSidesPath(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                             TvgSides sides, TvgCornerType cornerType);

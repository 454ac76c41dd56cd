#pragma once
// How an area is painted: nothing, a colour, a gradient, a picture, or a named brush of the style
// set. Shapes own two (Fill and Stroke); the canvas keeps its own copies for the current drawing.

#include <QObject>
#include <QPointF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "vgBitmap.h"
#include "vgColor.h"
#include "vgDrawTypes.h"

struct TvgGradientPoint {
    TvgColor Color = 0;
    float Offset = 0;
    bool operator==(const TvgGradientPoint&) const = default;
};

class TvgGradient : public QObject {
    Q_OBJECT
    Q_PROPERTY(vgEnums::TvgGradientStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(QPointF StartPosition READ StartPosition WRITE SetStartPosition)
    Q_PROPERTY(QPointF StopPosition READ StopPosition WRITE SetStopPosition)
    // The points as text, "#FF6A9BEC 0, #FF1D669C 1": colour and offset, comma separated.
    Q_PROPERTY(QString Points READ PointsText WRITE SetPointsText)

public:
    explicit TvgGradient(QObject* owner = nullptr);

    TvgGradientStyle Style() const { return FStyle; }
    void SetStyle(TvgGradientStyle style);
    // Fractions of the painted rectangle; the default runs from top to bottom.
    QPointF StartPosition() const { return FStartPosition; }
    void SetStartPosition(QPointF position);
    QPointF StopPosition() const { return FStopPosition; }
    void SetStopPosition(QPointF position);

    const std::vector<TvgGradientPoint>& Points() const { return FPoints; }
    void SetPoints(std::vector<TvgGradientPoint> points);
    void SetPointColor(int index, TvgColor color);
    QString PointsText() const;
    void SetPointsText(const QString& text);

    void Assign(const TvgGradient& source);
    void SetOnChanged(std::function<void()> handler) { FOnChanged = std::move(handler); }

private:
    void Changed();

    TvgGradientStyle FStyle = vgLinearGradient;
    QPointF FStartPosition{0, 0};
    QPointF FStopPosition{0, 1};
    std::vector<TvgGradientPoint> FPoints;
    std::function<void()> FOnChanged;
};

class TvgBrushBitmap : public QObject {
    Q_OBJECT
    Q_PROPERTY(TvgBitmap* Bitmap READ Bitmap)
    Q_PROPERTY(vgEnums::TvgWrapMode WrapMode READ WrapMode WRITE SetWrapMode)

public:
    explicit TvgBrushBitmap(QObject* owner = nullptr);

    TvgBitmap* Bitmap() const { return FBitmap.get(); }
    TvgWrapMode WrapMode() const { return FWrapMode; }
    void SetWrapMode(TvgWrapMode mode);
    void Assign(const TvgBrushBitmap& source);
    void SetOnChanged(std::function<void()> handler) { FOnChanged = std::move(handler); }

private:
    void Changed();

    std::unique_ptr<TvgBitmap> FBitmap;
    TvgWrapMode FWrapMode = vgWrapTileStretch;
    std::function<void()> FOnChanged;
};

class TvgBrush : public QObject {
    Q_OBJECT
    Q_PROPERTY(vgEnums::TvgBrushStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(QString Color READ Color WRITE SetColor)
    Q_PROPERTY(TvgGradient* Gradient READ Gradient)
    Q_PROPERTY(TvgBrushBitmap* Bitmap READ Bitmap)
    Q_PROPERTY(QString Resource READ Resource WRITE SetResource)

public:
    TvgBrush(TvgBrushStyle defaultStyle, TvgColor defaultColor, QObject* owner = nullptr);

    TvgBrushStyle Style() const { return FStyle; }
    void SetStyle(TvgBrushStyle style);
    QString Color() const { return vgColorToStr(FColor); }
    void SetColor(const QString& text) { SetSolidColor(vgStrToColor(text)); }
    TvgColor SolidColor() const { return FColor; }
    // With a gradient, the colour also becomes the first point's colour (colour animations of a
    // gradient-filled style part change its start).
    void SetSolidColor(TvgColor color);
    TvgGradient* Gradient() const { return FGradient.get(); }
    TvgBrushBitmap* Bitmap() const { return FBitmap.get(); }
    // The name of a brush object in the style set used in place of this one.
    QString Resource() const { return FResource; }
    void SetResource(const QString& name);

    TvgBrushStyle DefaultStyle() const { return FDefaultStyle; }
    TvgColor DefaultColor() const { return FDefaultColor; }

    void Assign(const TvgBrush& source);
    // Fired for every change of the look, the gradient and the bitmap included.
    void SetOnChanged(std::function<void()> handler) { FOnChanged = std::move(handler); }

private:
    void Changed();

    TvgBrushStyle FStyle;
    TvgColor FColor;
    TvgBrushStyle FDefaultStyle;
    TvgColor FDefaultColor;
    std::unique_ptr<TvgGradient> FGradient;
    std::unique_ptr<TvgBrushBitmap> FBitmap;
    QString FResource;
    std::function<void()> FOnChanged;
};

#include "vgBrush.h"

#include <QStringList>

#include <algorithm>

TvgGradient::TvgGradient(QObject* owner) : QObject(owner) {}

void TvgGradient::SetStyle(TvgGradientStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TvgGradient::SetStartPosition(QPointF position) {
    if (position == FStartPosition) return;
    FStartPosition = position;
    Changed();
}

void TvgGradient::SetStopPosition(QPointF position) {
    if (position == FStopPosition) return;
    FStopPosition = position;
    Changed();
}

void TvgGradient::SetPoints(std::vector<TvgGradientPoint> points) {
    if (points == FPoints) return;
    FPoints = std::move(points);
    Changed();
}

void TvgGradient::SetPointColor(int index, TvgColor color) {
    if (index < 0 || index >= static_cast<int>(FPoints.size())) return;
    auto& point = FPoints[static_cast<std::size_t>(index)];
    if (point.Color == color) return;
    point.Color = color;
    Changed();
}

QString TvgGradient::PointsText() const {
    QStringList parts;
    for (const auto& point : FPoints)
        parts
            << QStringLiteral("%1 %2").arg(vgColorToStr(point.Color)).arg(static_cast<double>(point.Offset));
    return parts.join(QStringLiteral(", "));
}

void TvgGradient::SetPointsText(const QString& text) {
    std::vector<TvgGradientPoint> points;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList fields = part.simplified().split(QLatin1Char(' '));
        if (fields.isEmpty() || fields.first().isEmpty()) continue;
        TvgGradientPoint point;
        point.Color = vgStrToColor(fields.first());
        if (fields.size() > 1) point.Offset = std::clamp(fields.at(1).toFloat(), 0.0f, 1.0f);
        points.push_back(point);
    }
    SetPoints(std::move(points));
}

void TvgGradient::Assign(const TvgGradient& source) {
    if (&source == this) return;
    FStyle = source.FStyle;
    FStartPosition = source.FStartPosition;
    FStopPosition = source.FStopPosition;
    FPoints = source.FPoints;
    Changed();
}

void TvgGradient::Changed() {
    if (FOnChanged) FOnChanged();
}

TvgBrushBitmap::TvgBrushBitmap(QObject* owner) : QObject(owner), FBitmap(std::make_unique<TvgBitmap>()) {
    FBitmap->SetOnChange([this] { Changed(); });
}

void TvgBrushBitmap::SetWrapMode(TvgWrapMode mode) {
    if (mode == FWrapMode) return;
    FWrapMode = mode;
    Changed();
}

void TvgBrushBitmap::Assign(const TvgBrushBitmap& source) {
    if (&source == this) return;
    FWrapMode = source.FWrapMode;
    FBitmap->Assign(*source.FBitmap);  // fires Changed through the bitmap
}

void TvgBrushBitmap::Changed() {
    if (FOnChanged) FOnChanged();
}

TvgBrush::TvgBrush(TvgBrushStyle defaultStyle, TvgColor defaultColor, QObject* owner)
    : QObject(owner),
      FStyle(defaultStyle),
      FColor(defaultColor),
      FDefaultStyle(defaultStyle),
      FDefaultColor(defaultColor),
      FGradient(std::make_unique<TvgGradient>()),
      FBitmap(std::make_unique<TvgBrushBitmap>()) {
    FGradient->SetOnChanged([this] { Changed(); });
    FBitmap->SetOnChanged([this] { Changed(); });
}

void TvgBrush::SetStyle(TvgBrushStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TvgBrush::SetSolidColor(TvgColor color) {
    if (FStyle == vgBrushGradient && !FGradient->Points().empty()) FGradient->SetPointColor(0, color);
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TvgBrush::SetResource(const QString& name) {
    if (name == FResource) return;
    FResource = name;
    Changed();
}

void TvgBrush::Assign(const TvgBrush& source) {
    if (&source == this) return;
    const auto handler = std::move(FOnChanged);
    FOnChanged = nullptr;  // one notification for the whole copy
    FStyle = source.FStyle;
    FColor = source.FColor;
    FResource = source.FResource;
    FGradient->Assign(*source.FGradient);
    FBitmap->Assign(*source.FBitmap);
    FOnChanged = handler;
    Changed();
}

void TvgBrush::Changed() {
    if (FOnChanged) FOnChanged();
}

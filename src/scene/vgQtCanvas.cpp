#include "vgQtCanvas.h"

#include <QTextLayout>

#include <QFontMetricsF>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "BackdropBlend.h"
#include "vgBrushPainter.h"

namespace {

// Font sizes are pixels and points are pixels × 0.75, which holds on a 96-dpi surface only.
constexpr int DotsPerMeter96Dpi = 3780;

QImage& MeasuringSurface() {
    static QImage surface = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(DotsPerMeter96Dpi);
        image.setDotsPerMeterY(DotsPerMeter96Dpi);
        return image;
    }();
    return surface;
}

QRect OutwardPixels(const QRectF& rect) {
    const int left = static_cast<int>(std::floor(rect.left()));
    const int top = static_cast<int>(std::floor(rect.top()));
    const int right = static_cast<int>(std::ceil(rect.right()));
    const int bottom = static_cast<int>(std::ceil(rect.bottom()));
    return QRect(left, top, right - left, bottom - top);
}

bool SquareCorners(float xRadius, float yRadius, TvgCorners corners) {
    return xRadius <= 0 || yRadius <= 0 || corners == TvgCorners();
}

}  // namespace

int vgTextFlags(bool wordWrap, TvgTextAlign horzAlign, TvgTextAlign vertAlign) {
    int flags = wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    switch (horzAlign) {
        case vgTextAlignCenter:
            flags |= Qt::AlignHCenter;
            break;
        case vgTextAlignNear:
            flags |= Qt::AlignLeft;
            break;
        case vgTextAlignFar:
            flags |= Qt::AlignRight;
            break;
    }
    switch (vertAlign) {
        case vgTextAlignCenter:
            flags |= Qt::AlignVCenter;
            break;
        case vgTextAlignNear:
            flags |= Qt::AlignTop;
            break;
        case vgTextAlignFar:
            flags |= Qt::AlignBottom;
            break;
    }
    return flags;
}

TvgQtCanvas::TvgQtCanvas() {
    vgInstallFontSubstitutes();
}

TvgQtCanvas::~TvgQtCanvas() {
    if (FPainter.isActive()) FPainter.end();
}

void TvgQtCanvas::ResizeBuffer(int width, int height) {
    if (FPainter.isActive()) FPainter.end();
    FWidth = std::max(1, width);
    FHeight = std::max(1, height);
    FOwnBuffer = std::make_unique<QImage>(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
    FOwnBuffer->fill(Qt::transparent);
    FBuffer = FOwnBuffer.get();
}

void TvgQtCanvas::AttachBuffer(QImage* buffer) {
    if (FPainter.isActive()) FPainter.end();
    FOwnBuffer.reset();
    FBuffer = buffer;
    // A buffer of more device pixels per logical one (a doubled screen) is painted in logical
    // units: the painter scales, so text and shapes are drawn at the device's resolution.
    const QSizeF logical = buffer ? buffer->deviceIndependentSize() : QSizeF(1, 1);
    FWidth = std::max(1, static_cast<int>(std::ceil(logical.width())));
    FHeight = std::max(1, static_cast<int>(std::ceil(logical.height())));
}

bool TvgQtCanvas::BeginScene() {
    if (!FBuffer || FBuffer->isNull() || FPainter.isActive()) return false;
    if (FBuffer->format() != QImage::Format_ARGB32_Premultiplied) return false;
    if (FBuffer->dotsPerMeterX() != DotsPerMeter96Dpi) FBuffer->setDotsPerMeterX(DotsPerMeter96Dpi);
    if (FBuffer->dotsPerMeterY() != DotsPerMeter96Dpi) FBuffer->setDotsPerMeterY(DotsPerMeter96Dpi);
    if (!FPainter.begin(FBuffer)) return false;
    // Qt's antialiased raster already centres pixels at +0.5, so a 1-unit line on a .5 coordinate
    // covers exactly one pixel column: the half-pixel offset needs no extra translation.
    FPainter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                            QPainter::TextAntialiasing);
    FSavedStates = 0;
    FPainter.setWorldTransform(FMatrix);
    return true;
}

void TvgQtCanvas::EndScene() {
    if (FPainter.isActive()) FPainter.end();
    FSavedStates = 0;
}

void TvgQtCanvas::MatrixChanged() {
    if (FPainter.isActive()) FPainter.setWorldTransform(FMatrix);
}

void TvgQtCanvas::Clear(TvgColor color) {
    ++FOverwrites;
    if (!FPainter.isActive()) {
        if (FBuffer) FBuffer->fill(vgToQColor(color));
        return;
    }
    FPainter.save();
    FPainter.setClipping(false);
    FPainter.resetTransform();
    FPainter.setCompositionMode(QPainter::CompositionMode_Source);
    FPainter.fillRect(QRect(0, 0, FWidth, FHeight), vgToQColor(color));
    FPainter.restore();
}

void TvgQtCanvas::ClearRect(const QRectF& rect, TvgColor color) {
    const QRect pixels = OutwardPixels(rect).intersected(QRect(0, 0, FWidth, FHeight));
    if (pixels.isEmpty()) return;
    ++FOverwrites;
    if (!FPainter.isActive()) {
        if (!FBuffer) return;
        QPainter painter(FBuffer);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(pixels, vgToQColor(color));
        return;
    }
    FPainter.save();
    FPainter.resetTransform();
    FPainter.setCompositionMode(QPainter::CompositionMode_Source);
    FPainter.fillRect(pixels, vgToQColor(color));
    FPainter.restore();
}

int TvgQtCanvas::SaveCanvas() {
    if (!FPainter.isActive()) return 0;
    FPainter.save();
    return ++FSavedStates;
}

void TvgQtCanvas::RestoreCanvas(int state) {
    if (!FPainter.isActive() || state <= 0) return;
    while (FSavedStates >= state) {
        FPainter.restore();
        --FSavedStates;
    }
    FMatrix = FPainter.worldTransform();
}

void TvgQtCanvas::SetClipRects(const std::vector<QRectF>& rects) {
    if (!FPainter.isActive()) return;
    QRegion region;
    for (const QRectF& rect : rects) region += OutwardPixels(rect);
    FPainter.resetTransform();
    FPainter.setClipRegion(region);
    FPainter.setWorldTransform(FMatrix);
}

void TvgQtCanvas::IntersectClipRect(const QRectF& rect) {
    if (!FPainter.isActive()) return;
    FPainter.setClipRect(rect, FPainter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TvgQtCanvas::ExcludeClipRect(const QRectF& rect) {
    if (!FPainter.isActive()) return;
    // QPainter has no exclusion; rebuild the clip in buffer pixels without the rectangle.
    FPainter.resetTransform();
    QRegion region = FPainter.hasClipping() ? FPainter.clipRegion() : QRegion(0, 0, FWidth, FHeight);
    region -= FMatrix.mapRect(rect).toRect();
    FPainter.setClipRegion(region);
    FPainter.setWorldTransform(FMatrix);
}

bool TvgQtCanvas::FillTiled(const TvgBitmap& bitmap, const QRectF& area, float opacity) {
    // Only where every tile lands on whole pixels unscaled: drawn one by one they are then copied
    // pixel for pixel, as a texture fill copies them; anywhere else each tile is smoothed on its own.
    const QTransform& m = FPainter.worldTransform();
    const QImage& image = bitmap.Image();
    if (!FPainter.isActive() || opacity != 1 || m.type() > QTransform::TxTranslate || image.isNull() ||
        image.devicePixelRatio() != 1.0 || !FBuffer || FBuffer->devicePixelRatio() != 1.0)
        return false;
    const QPointF corner = m.map(area.topLeft());
    const auto whole = [](qreal v) { return v == std::floor(v); };
    if (!whole(corner.x()) || !whole(corner.y()) || !whole(area.width()) || !whole(area.height()))
        return false;
    FPainter.save();
    FPainter.setBrushOrigin(area.topLeft());
    FPainter.fillRect(area, QBrush(image));
    FPainter.restore();
    return true;
}

bool TvgQtCanvas::ClipBounds(QRectF& bounds) const {
    // A matrix that cannot be undone leaves the clip without a place in its units.
    if (!FPainter.isActive() || !FPainter.hasClipping() || !FPainter.worldTransform().isInvertible())
        return false;
    bounds = FPainter.clipBoundingRect();
    return true;
}

void TvgQtCanvas::ResetClipRect() {
    if (FPainter.isActive()) FPainter.setClipping(false);
}

bool TvgQtCanvas::PaintsWithBrush(const TvgBrush& brush) const {
    return FPainter.isActive() && brush.Style() != vgBrushNone;
}

void TvgQtCanvas::FillShape(const QPainterPath& path, const QRectF& bounds, float opacity) {
    const TvgPaintBrush paint = vgMakePaintBrush(FFill, bounds, opacity);
    if (paint.Brush.style() == Qt::NoBrush) return;
    FPainter.setOpacity(paint.Opacity);
    FPainter.fillPath(path, paint.Brush);
    FPainter.setOpacity(1);
}

void TvgQtCanvas::StrokeShape(const QPainterPath& path, const QRectF& bounds, float opacity) {
    const TvgPaintBrush paint = vgMakePaintBrush(FStroke, bounds, opacity);
    if (paint.Brush.style() == Qt::NoBrush) return;
    FPainter.setOpacity(paint.Opacity);
    FPainter.strokePath(path, vgMakePen(paint.Brush, FStrokeThickness, FStrokeCap, FStrokeJoin, FStrokeDash));
    FPainter.setOpacity(1);
}

void TvgQtCanvas::FillRect(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                           float opacity, TvgCornerType cornerType) {
    if (!PaintsWithBrush(FFill) || rect.isEmpty()) return;
    QRectF bounds = rect;
    // A picture fill covers the whole object, the half of the stroke the shape gave up included.
    if (FFill.Style() == vgBrushBitmap && FStroke.Style() != vgBrushNone) {
        const qreal half = FStrokeThickness / 2.0;
        bounds.adjust(-half, -half, half, half);
    }
    if (!SquareCorners(xRadius, yRadius, corners)) {
        FillShape(vgRectPath(rect, xRadius, yRadius, corners, cornerType), bounds, opacity);
        return;
    }
    const TvgPaintBrush paint = vgMakePaintBrush(FFill, bounds, opacity);
    if (paint.Brush.style() == Qt::NoBrush) return;
    FPainter.setOpacity(paint.Opacity);
    if (paint.StretchImage) {
        const bool clip = bounds != rect;
        if (clip) {
            FPainter.save();
            IntersectClipRect(rect);
        }
        FPainter.drawImage(bounds, *paint.StretchImage);
        if (clip) FPainter.restore();
    } else {
        FPainter.fillRect(rect, paint.Brush);
    }
    FPainter.setOpacity(1);
}

void TvgQtCanvas::DrawRect(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                           float opacity, TvgCornerType cornerType) {
    if (!PaintsWithBrush(FStroke)) return;
    StrokeShape(vgRectPath(rect, xRadius, yRadius, corners, cornerType), rect, opacity);
}

void TvgQtCanvas::DrawRectSides(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners,
                                float opacity, TvgSides sides, TvgCornerType cornerType) {
    if (!PaintsWithBrush(FStroke) || sides == TvgSides()) return;
    if (sides == AllSides) {
        DrawRect(rect, xRadius, yRadius, corners, opacity, cornerType);
        return;
    }
    StrokeShape(vgRectSidesPath(rect, xRadius, yRadius, corners, sides, cornerType), rect, opacity);
}

void TvgQtCanvas::FillEllipse(const QRectF& rect, float opacity) {
    if (!PaintsWithBrush(FFill)) return;
    QPainterPath path;
    path.addEllipse(rect);
    FillShape(path, rect, opacity);
}

void TvgQtCanvas::DrawEllipse(const QRectF& rect, float opacity) {
    if (!PaintsWithBrush(FStroke)) return;
    QPainterPath path;
    path.addEllipse(rect);
    StrokeShape(path, rect, opacity);
}

void TvgQtCanvas::FillPath(const QPainterPath& path, float opacity) {
    if (!PaintsWithBrush(FFill)) return;
    FillShape(path, path.boundingRect(), opacity);
}

void TvgQtCanvas::DrawPath(const QPainterPath& path, float opacity) {
    if (!PaintsWithBrush(FStroke)) return;
    StrokeShape(path, path.boundingRect(), opacity);
}

void TvgQtCanvas::DrawLine(QPointF from, QPointF to, float opacity) {
    if (!PaintsWithBrush(FStroke)) return;
    QPainterPath path(from);
    path.lineTo(to);
    StrokeShape(path, QRectF(from, to).normalized(), opacity);
}

void TvgQtCanvas::FillPolygon(const QPolygonF& polygon, float opacity) {
    if (!PaintsWithBrush(FFill)) return;
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    FillShape(path, polygon.boundingRect(), opacity);
}

void TvgQtCanvas::DrawPolygon(const QPolygonF& polygon, float opacity) {
    if (!PaintsWithBrush(FStroke)) return;
    QPainterPath path;
    path.addPolygon(polygon);
    StrokeShape(path, polygon.boundingRect(), opacity);
}

namespace {
QPainterPath ArcPath(QPointF center, QPointF radius, float startAngle, float sweepAngle, bool pie) {
    const QRectF box(center.x() - radius.x(), center.y() - radius.y(), 2 * radius.x(), 2 * radius.y());
    QPainterPath path;
    // Qt counts angles counter-clockwise; the scene counts them the way the screen turns.
    if (pie) {
        path.moveTo(center);
        path.arcTo(box, -startAngle, -sweepAngle);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, -startAngle);
        path.arcTo(box, -startAngle, -sweepAngle);
    }
    return path;
}
}  // namespace

void TvgQtCanvas::FillArc(QPointF center, QPointF radius, float startAngle, float sweepAngle, float opacity) {
    if (!PaintsWithBrush(FFill)) return;
    const QPainterPath path = ArcPath(center, radius, startAngle, sweepAngle, true);
    FillShape(path, path.boundingRect(), opacity);
}

void TvgQtCanvas::DrawArc(QPointF center, QPointF radius, float startAngle, float sweepAngle, float opacity) {
    if (!PaintsWithBrush(FStroke)) return;
    const QPainterPath path = ArcPath(center, radius, startAngle, sweepAngle, false);
    StrokeShape(path, path.boundingRect(), opacity);
}

const QFont& TvgQtCanvas::CurrentQFont() {
    const TFontKey key{FFont.Family(), FFont.Size(), FFont.Style(), FFont.ClearType()};
    if (!FFontCacheValid || !(key == FFontKey)) {
        FFontKey = key;
        FQFont = FFont.ToQFont();
        FFontCacheValid = true;
    }
    return FQFont;
}

namespace {

// The start of a long top-aligned wrapped text that can show in the box: no more paragraphs than
// lines fit, and no more characters than a pixel each on every line. Laying out the rest (a note of
// 50 MB) took minutes per paint and kept the program from handling anything else, shut-down too.
QString VisibleStart(const QString& text, const QRectF& box, const QFontMetricsF& metrics) {
    constexpr qsizetype ShortText = 4096;
    if (text.size() <= ShortText) return text;
    const double lineHeight = std::max(1.0, metrics.lineSpacing());
    const auto lines = static_cast<qsizetype>(std::ceil(std::max(0.0, box.height()) / lineHeight)) + 1;
    const auto perLine = static_cast<qsizetype>(std::ceil(std::max(0.0, box.width()))) + 1;
    qsizetype end = std::min(text.size(), std::max(ShortText, lines * perLine));
    qsizetype lineBreak = -1;
    for (qsizetype i = 0; i < lines; ++i) {
        lineBreak = text.indexOf(QLatin1Char('\n'), lineBreak + 1);
        if (lineBreak < 0 || lineBreak >= end) break;
        if (i == lines - 1) end = lineBreak;
    }
    if (end > 0 && end < text.size() && text[end - 1].isHighSurrogate()) --end;
    return text.left(end);
}

}  // namespace

void TvgQtCanvas::FillText(const QRectF& rect, const QRectF& clipRect, const QString& text, bool wordWrap,
                           float opacity, TvgTextAlign horzAlign, TvgTextAlign vertAlign) {
    if (!PaintsWithBrush(FFill) || text.isEmpty()) return;
    // Fully opaque text is drawn at 0.99, as the toolkit always has: it keeps glyph edges blended.
    const float textOpacity = opacity >= 1.0f ? 0.99f : opacity;
    const TvgPaintBrush paint = vgMakePaintBrush(FFill, rect, textOpacity);
    if (paint.Brush.style() == Qt::NoBrush) return;
    FPainter.save();
    IntersectClipRect(clipRect);
    FPainter.setFont(CurrentQFont());
    FPainter.setPen(QPen(paint.Brush, 1));
    FPainter.setOpacity(paint.Opacity);
    const bool fromTheTop = wordWrap && vertAlign == vgTextAlignNear;
    const QRectF visible(rect.topLeft(), QPointF(rect.right(), std::min(rect.bottom(), clipRect.bottom())));
    const QString start = fromTheTop ? VisibleStart(text, visible, QFontMetricsF(FPainter.font())) : text;
    int flags = vgTextFlags(wordWrap, horzAlign, vertAlign) | Qt::TextDontClip;
    const QString shown = FFittedTexts.Fitted(CurrentQFont(), start, rect.size(), wordWrap);
    // A shortened wrapped text comes back broken into its lines.
    if (shown != start && wordWrap) flags &= ~Qt::TextWordWrap;
    FLaidOutTexts.Draw(FPainter, &MeasuringSurface(), CurrentQFont(), rect, flags, shown);
    FPainter.restore();
}

QString vgFitTextToBox(const QFont& font, const QString& text, QSizeF box, bool wordWrap) {
    // Names and notes are short; a huge text is left to the caller's own cut (measuring it whole
    // would take longer than drawing it).
    if (text.size() > 4096) return text;
    const QFontMetricsF metrics(font, &MeasuringSurface());
    // Most texts are one line that fits: nothing to lay out.
    if (metrics.horizontalAdvance(text) <= box.width()) return text;
    if (!wordWrap) return metrics.elidedText(text, Qt::ElideRight, box.width());
    if (box.width() <= 0 || text.contains(QLatin1Char('\n'))) return text;
    const int fitting = std::max(1, static_cast<int>(box.height() / metrics.lineSpacing()));
    QTextLayout layout(text, font, &MeasuringSurface());
    QStringList lines;
    int lastStart = 0;
    bool overflows = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        if (lines.size() == fitting) {
            overflows = true;
            break;
        }
        lastStart = line.textStart();
        lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
    if (!overflows) return text;
    lines.last() = metrics.elidedText(text.mid(lastStart), Qt::ElideRight, box.width());
    return lines.join(QLatin1Char('\n'));
}

QRectF TvgQtCanvas::MeasureText(const QRectF& rect, const QString& text, bool wordWrap,
                                TvgTextAlign horzAlign, TvgTextAlign vertAlign) {
    if (text.isEmpty()) return {rect.topLeft(), QSizeF(0, 0)};
    const QFontMetricsF metrics(CurrentQFont(), &MeasuringSurface());
    return metrics.boundingRect(rect, vgTextFlags(wordWrap, horzAlign, vertAlign), text);
}

float TvgQtCanvas::TextWidth(const QString& text) {
    const QFontMetricsF metrics(CurrentQFont(), &MeasuringSurface());
    return static_cast<float>(metrics.horizontalAdvance(text));
}

float TvgQtCanvas::TextHeight(const QString& text) {
    const QFontMetricsF metrics(CurrentQFont(), &MeasuringSurface());
    if (text.isEmpty()) return static_cast<float>(metrics.height());
    return static_cast<float>(
        metrics.boundingRect(QRectF(0, 0, 10000, 10000), Qt::AlignLeft | Qt::AlignTop, text).height());
}

void TvgQtCanvas::DrawBitmap(const TvgBitmap& bitmap, const QRectF& source, const QRectF& dest, float opacity,
                             bool highSpeed) {
    if (!FPainter.isActive() || bitmap.IsEmpty() || dest.isEmpty() || opacity <= 0) return;
    FPainter.setOpacity(opacity);
    if (highSpeed) FPainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter.drawImage(dest, bitmap.Image(), source);
    if (highSpeed) FPainter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    FPainter.setOpacity(1);
}

namespace {

// A row of a picture over a row of the frame: see-through pixels are skipped, opaque ones copied.
// Four pixels at a time where the processor allows, with PremultipliedOver's arithmetic: the
// notes and the dock are blended over the sliding panel at every step.
void BlendRow(std::uint32_t* line, const std::uint32_t* picture, int count) {
    int i = 0;
#ifdef __SSE2__
    const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i full = _mm_set1_epi16(255);
    for (; i + 4 <= count; i += 4) {
        const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(picture + i));
        const __m128i alpha = _mm_and_si128(src, alphaMask);
        const __m128i clear = _mm_cmpeq_epi32(alpha, zero);
        const int clearMask = _mm_movemask_ps(_mm_castsi128_ps(clear));
        if (clearMask == 0xF) continue;
        auto* to = reinterpret_cast<__m128i*>(line + i);
        if (_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(alpha, alphaMask))) == 0xF) {
            _mm_storeu_si128(to, src);
            continue;
        }
        const __m128i dst = _mm_loadu_si128(to);
        // 255 - alpha in every 16-bit lane of its pixel.
        __m128i inverse = _mm_srli_epi32(src, 24);
        inverse = _mm_or_si128(inverse, _mm_slli_epi32(inverse, 16));
        inverse = _mm_sub_epi16(full, inverse);
        const __m128i inverseLow = _mm_shuffle_epi32(inverse, _MM_SHUFFLE(1, 1, 0, 0));
        const __m128i inverseHigh = _mm_shuffle_epi32(inverse, _MM_SHUFFLE(3, 3, 2, 2));
        const auto scale = [&](__m128i channels, __m128i by) {
            const __m128i t = _mm_mullo_epi16(channels, by);
            return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half), 8);
        };
        const __m128i low = scale(_mm_unpacklo_epi8(dst, zero), inverseLow);
        const __m128i high = scale(_mm_unpackhi_epi8(dst, zero), inverseHigh);
        const __m128i blended = _mm_add_epi32(src, _mm_packus_epi16(low, high));
        _mm_storeu_si128(to, _mm_or_si128(_mm_and_si128(clear, dst), _mm_andnot_si128(clear, blended)));
    }
#endif
    for (; i < count; ++i) {
        const std::uint32_t src = picture[i];
        const std::uint32_t alpha = src >> 24;
        if (alpha == 255)
            line[i] = src;
        else if (alpha != 0)
            line[i] = PremultipliedOver(src, line[i]);
    }
}

}  // namespace

bool TvgQtCanvas::CanPutDevicePicture(QPoint devicePos, const QImage& picture, const QRegion& area) {
    if (!FPainter.isActive() || !FBuffer || FBuffer->devicePixelRatio() != 1.0 ||
        FBuffer->format() != QImage::Format_ARGB32_Premultiplied ||
        (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    if (FPainter.hasClipping()) {
        const QRegion copied = area & QRect(devicePos, picture.size()) & FBuffer->rect();
        // The clip in buffer pixels: what the painter would let through.
        const QTransform matrix = FPainter.worldTransform();
        FPainter.resetTransform();
        const QRegion clip = FPainter.clipRegion();
        FPainter.setWorldTransform(matrix);
        if (!(copied - clip).isEmpty()) return false;
    }
    return true;
}

bool TvgQtCanvas::PutDevicePicture(QPoint devicePos, const QImage& picture, const QRegion& area) {
    if (!CanPutDevicePicture(devicePos, picture, area)) return false;
    WriteDevicePicture(devicePos, picture, area);
    return true;
}

void TvgQtCanvas::WriteDevicePicture(QPoint devicePos, const QImage& picture, const QRegion& area) {
    if (!FBuffer || FBuffer->format() != QImage::Format_ARGB32_Premultiplied) return;
    const QRegion copied = area & QRect(devicePos, picture.size()) & FBuffer->rect();
    // Written as they are: the frame buffer's image is not detached from what shares it.
    uchar* frame = const_cast<uchar*>(FBuffer->constBits());
    const qsizetype frameLine = FBuffer->bytesPerLine();
    const bool opaque = picture.format() == QImage::Format_RGB32;
    for (const QRect& r : copied) {
        const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* to = frame + y * frameLine + r.left() * 4;
            const uchar* from = picture.constScanLine(y - devicePos.y()) + (r.left() - devicePos.x()) * 4;
            if (opaque)
                std::memcpy(to, from, bytes);
            else
                BlendRow(reinterpret_cast<std::uint32_t*>(to), reinterpret_cast<const std::uint32_t*>(from),
                         r.width());
        }
    }
}

void TvgQtCanvas::DrawDevicePicture(QPoint devicePos, const QImage& picture) {
    if (!FPainter.isActive() || picture.isNull()) return;
    FPainter.save();
    // Device pixels: the painter's own scale of a doubled screen is taken out again.
    const qreal ratio = FBuffer ? FBuffer->devicePixelRatio() : 1.0;
    FPainter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    FPainter.setOpacity(1);
    FPainter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FPainter.drawImage(devicePos, picture);
    FPainter.restore();
}

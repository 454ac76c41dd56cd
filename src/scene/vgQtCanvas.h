#pragma once
// The canvas painted with QPainter into a premultiplied-ARGB QImage: either a buffer of its own
// (ResizeBuffer) or a frame buffer lent by the host window for one drawing pass (AttachBuffer), so
// that the scene paints straight into the picture that is presented.

#include <QImage>
#include <QPainter>

#include <memory>

#include "vgCanvas.h"
#include "vgFittedTexts.h"
#include "vgLaidOutTexts.h"

class TvgQtCanvas : public TvgCanvas {
public:
    TvgQtCanvas();
    ~TvgQtCanvas() override;

    void ResizeBuffer(int width, int height) override;
    // Paints into `buffer` from now on (until the next ResizeBuffer or AttachBuffer); the caller
    // keeps it alive. nullptr detaches.
    void AttachBuffer(QImage* buffer);
    QImage* Buffer() const { return FBuffer; }

    bool BeginScene() override;
    void EndScene() override;
    bool InScene() const { return FPainter.isActive(); }

    void Clear(TvgColor color) override;
    void ClearRect(const QRectF& rect, TvgColor color) override;

    int SaveCanvas() override;
    void RestoreCanvas(int state) override;
    void SetClipRects(const std::vector<QRectF>& rects) override;
    void IntersectClipRect(const QRectF& rect) override;
    void ExcludeClipRect(const QRectF& rect) override;
    void ResetClipRect() override;

    void FillRect(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners, float opacity,
                  TvgCornerType cornerType = vgCornerRound) override;
    void DrawRect(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners, float opacity,
                  TvgCornerType cornerType = vgCornerRound) override;
    void DrawRectSides(const QRectF& rect, float xRadius, float yRadius, TvgCorners corners, float opacity,
                       TvgSides sides, TvgCornerType cornerType = vgCornerRound) override;
    void FillEllipse(const QRectF& rect, float opacity) override;
    void DrawEllipse(const QRectF& rect, float opacity) override;
    void FillPath(const QPainterPath& path, float opacity) override;
    void DrawPath(const QPainterPath& path, float opacity) override;
    void DrawLine(QPointF from, QPointF to, float opacity) override;
    void FillPolygon(const QPolygonF& polygon, float opacity) override;
    void DrawPolygon(const QPolygonF& polygon, float opacity) override;
    void FillArc(QPointF center, QPointF radius, float startAngle, float sweepAngle, float opacity) override;
    void DrawArc(QPointF center, QPointF radius, float startAngle, float sweepAngle, float opacity) override;

    void FillText(const QRectF& rect, const QRectF& clipRect, const QString& text, bool wordWrap,
                  float opacity, TvgTextAlign horzAlign, TvgTextAlign vertAlign) override;
    QRectF MeasureText(const QRectF& rect, const QString& text, bool wordWrap, TvgTextAlign horzAlign,
                       TvgTextAlign vertAlign) override;
    float TextWidth(const QString& text) override;
    float TextHeight(const QString& text) override;

    void DrawBitmap(const TvgBitmap& bitmap, const QRectF& source, const QRectF& dest, float opacity,
                    bool highSpeed) override;
    bool ClipBounds(QRectF& bounds) const override;
    bool FillTiled(const TvgBitmap& bitmap, const QRectF& area, float opacity) override;
    // Copies a picture of device pixels 1:1 with its top-left corner at a device pixel, within the
    // current clip (an opaque picture is copied rather than blended).
    void DrawDevicePicture(QPoint devicePos, const QImage& picture);
    // The same row by row into the frame buffer, only within `area` (device pixels): an opaque
    // picture (RGB32) is copied, a premultiplied one blended. False, with nothing drawn, unless the
    // current clip lets all of `area` through on a buffer of one device pixel per unit.
    bool PutDevicePicture(QPoint devicePos, const QImage& picture, const QRegion& area);
    // Whether PutDevicePicture would draw, without drawing.
    bool CanPutDevicePicture(QPoint devicePos, const QImage& picture, const QRegion& area);
    // PutDevicePicture's rows whatever the clip: for pixels a clip already let through once.
    void WriteDevicePicture(QPoint devicePos, const QImage& picture, const QRegion& area);
    // How many times pixels were overwritten rather than painted over (Clear, ClearRect): what
    // is painted over opaque pixels leaves them opaque, an overwrite need not.
    int Overwrites() const { return FOverwrites; }

protected:
    void MatrixChanged() override;

private:
    void FillShape(const QPainterPath& path, const QRectF& bounds, float opacity);
    void StrokeShape(const QPainterPath& path, const QRectF& bounds, float opacity);
    bool PaintsWithBrush(const TvgBrush& brush) const;
    // Building a framework font looks faces up in the font database; labels repeat the same few.
    const QFont& CurrentQFont();

    struct TFontKey {
        QString Family;
        float Size = 0;
        TvgFontStyle Style = vgFontRegular;
        bool ClearType = true;
        bool operator==(const TFontKey&) const = default;
    };

    std::unique_ptr<QImage> FOwnBuffer;
    QImage* FBuffer = nullptr;
    QPainter FPainter;
    int FSavedStates = 0;
    int FOverwrites = 0;
    TFontKey FFontKey;
    QFont FQFont;
    bool FFontCacheValid = false;
    TvgFittedTexts FFittedTexts;
    TvgLaidOutTexts FLaidOutTexts;
};

// Text layout flags shared by painting and measuring.
int vgTextFlags(bool wordWrap, TvgTextAlign horzAlign, TvgTextAlign vertAlign);

// Text that does not fit its box shows its beginning and ends in "…", rather than a centred middle
// part cut off on both sides: a long line is shortened to the box's width; wrapped text keeps the
// lines that fit the box's height (at least one) and shortens the last of them. Text that fits is
// returned as it is.
QString vgFitTextToBox(const QFont& font, const QString& text, QSizeF box, bool wordWrap);

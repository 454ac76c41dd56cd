#pragma once
// A text drawn in its local rectangle with its Fill as the text colour, aligned both ways, wrapped
// at word boundaries or kept on one line, optionally sizing itself to the text.

#include <QString>

#include "vgFont.h"
#include "vgShape.h"

class TvgText : public TvgShape {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(TvgFont* Font READ Font CONSTANT)
    Q_PROPERTY(vgEnums::TvgTextAlign HorzTextAlign READ HorzTextAlign WRITE SetHorzTextAlign)
    Q_PROPERTY(vgEnums::TvgTextAlign VertTextAlign READ VertTextAlign WRITE SetVertTextAlign)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)

public:
    Q_INVOKABLE explicit TvgText(QObject* AOwner = nullptr);

    QString Text() const { return FText; }
    void SetText(const QString& value);
    TvgFont* Font() const { return FFont.get(); }
    TvgTextAlign HorzTextAlign() const { return FHorzTextAlign; }
    void SetHorzTextAlign(TvgTextAlign value);
    TvgTextAlign VertTextAlign() const { return FVertTextAlign; }
    void SetVertTextAlign(TvgTextAlign value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);

    void SetWidth(float value) override;
    void SetHeight(float value) override;

    // Sizes the object to its text when AutoSize is on (see the setters that call it).
    void AdjustSize();
    // The size AdjustSize gives: the text's width plus half the font size when it keeps to one
    // line, the text's height when it is not centred vertically, the current size otherwise.
    TvgPoint AutoSizeExtent() const;

protected:
    void PaintShape(TvgCanvas& Canvas) override;

private:
    void TextLayoutChanged();

    QString FText;
    std::unique_ptr<TvgFont> FFont;
    TvgTextAlign FHorzTextAlign = vgTextAlignCenter;
    TvgTextAlign FVertTextAlign = vgTextAlignCenter;
    bool FWordWrap = true;
    bool FAutoSize = false;
    bool FStretch = false;
    bool FAdjusting = false;
};

// A canvas without a buffer that text objects measure with when they are not being painted.
class TvgCanvas;
TvgCanvas& vgMeasuringCanvas();

#pragma once
// A styled control that shows a text: its style's part named "text" (a TvgText) receives the
// control's text, alignment, word wrap and font. Values set before the style arrives are kept
// here and handed over when it does.

#include <QPointer>
#include <QString>

#include "vgBrush.h"
#include "vgControl.h"
#include "vgDrawTypes.h"
#include "vgFont.h"
#include "vgText.h"

#include "vgText.h"

class TvgTextControl : public TvgControl {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(TvgFont* Font READ Font CONSTANT)
    Q_PROPERTY(vgEnums::TvgTextAlign TextAlign READ TextAlign WRITE SetTextAlign)
    Q_PROPERTY(vgEnums::TvgTextAlign VertTextAlign READ VertTextAlign WRITE SetVertTextAlign)
    Q_PROPERTY(TvgBrush* FontFill READ FontFill CONSTANT)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    Q_INVOKABLE explicit TvgTextControl(QObject* AOwner = nullptr);

    QString Text() const { return FText; }
    void SetText(const QString& value);
    TvgFont* Font() const { return FFont.get(); }
    TvgTextAlign TextAlign() const { return FTextAlign; }
    void SetTextAlign(TvgTextAlign value);
    TvgTextAlign VertTextAlign() const { return FVertTextAlign; }
    void SetVertTextAlign(TvgTextAlign value);
    TvgBrush* FontFill() const { return FFontFill.get(); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    // The style's "text" part (null before a style with one was applied).
    TvgText* TextObject() const { return FTextObject; }

protected:
    void StyleApplied() override;
    void StyleFreeing() override;
    // The text as shown; labels pass it through the translation table.
    virtual QString DisplayText() const { return FText; }

private:
    QString FText;
    std::unique_ptr<TvgFont> FFont;
    TvgTextAlign FTextAlign = vgTextAlignCenter;
    TvgTextAlign FVertTextAlign = vgTextAlignCenter;
    std::unique_ptr<TvgBrush> FFontFill;
    bool FWordWrap = false;
    QPointer<TvgText> FTextObject;
};

#include "vgFont.h"

TvgFont::TvgFont(QObject* owner) : QObject(owner) {}

void TvgFont::SetFamily(const QString& family) {
    if (family == FFamily) return;
    FFamily = family;
    Changed();
}

void TvgFont::SetSize(float size) {
    if (size == FSize) return;
    FSize = size;
    Changed();
}

void TvgFont::SetStyle(TvgFontStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TvgFont::SetClearType(bool clearType) {
    if (clearType == FClearType) return;
    FClearType = clearType;
    Changed();
}

void TvgFont::Assign(const TvgFont& source) {
    if (&source == this) return;
    if (FFamily == source.FFamily && FSize == source.FSize && FStyle == source.FStyle &&
        FClearType == source.FClearType)
        return;
    FFamily = source.FFamily;
    FSize = source.FSize;
    FStyle = source.FStyle;
    FClearType = source.FClearType;
    Changed();
}

void TvgFont::Assign(const QFont& source) {
    FFamily = source.family();
    if (source.pixelSize() > 0)
        FSize = static_cast<float>(source.pixelSize());
    else
        FSize = static_cast<float>(source.pointSizeF() / 0.75);
    if (source.bold() && source.italic())
        FStyle = vgFontBoldItalic;
    else if (source.bold())
        FStyle = vgFontBold;
    else if (source.italic())
        FStyle = vgFontItalic;
    else if (source.underline())
        FStyle = vgFontUnderline;
    else if (source.strikeOut())
        FStyle = vgFontStrikeout;
    else
        FStyle = vgFontRegular;
    Changed();
}

void TvgFont::Changed() {
    if (FOnChanged) FOnChanged();
}

namespace {

struct TFace {
    bool Bold;
    bool Italic;
};

TFace FaceOf(TvgFontStyle style) {
    switch (style) {
        case vgFontBold:
            return {true, false};
        case vgFontItalic:
            return {false, true};
        case vgFontBoldItalic:
            return {true, true};
        default:
            return {false, false};
    }
}

}  // namespace

QFont TvgFont::ToQFont() const {
    vgInstallFontSubstitutes();
    QFont font(FFamily);
    font.setPointSizeF(std::max(0.1, static_cast<double>(FSize) * 0.75));
    // The weight and slant asked for, whether or not the family has such a face: Qt then draws a
    // synthesised bold or oblique, so that a note written in italic never shows upright.
    const TFace face = FaceOf(FStyle);
    font.setBold(face.Bold);
    font.setItalic(face.Italic);
    font.setUnderline(FStyle == vgFontUnderline);
    font.setStrikeOut(FStyle == vgFontStrikeout);
    font.setStyleStrategy(FClearType
                              ? QFont::PreferAntialias
                              : QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

void vgInstallFontSubstitutes() {
    static const bool installed = [] {
        QFont::insertSubstitutions(QStringLiteral("宋体"),
                                   {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
        QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
        return true;
    }();
    (void)installed;
}

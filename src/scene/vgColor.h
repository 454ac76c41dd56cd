#pragma once
// Colours of the scene: 32-bit ARGB values (alpha in the top byte) and their text form "#AARRGGBB",
// which is how every colour is written in style data and in the program's own files.

#include <QColor>
#include <QString>

#include <cstdint>

using TvgColor = std::uint32_t;

// "#" + hexadecimal, one of the SVG colour keywords in any letter case, or a decimal number.
// Anything else (and an empty text) is 0, fully transparent black.
TvgColor vgStrToColor(const QString& text);
// Always "#" and eight upper-case hexadecimal digits.
QString vgColorToStr(TvgColor color);

// The colour with its alpha scaled by an opacity below 1 (truncated, as the painter expects).
TvgColor vgOpacityColor(TvgColor color, float opacity);
QColor vgToQColor(TvgColor color);

// The keyword table is exposed for tests of its completeness.
int vgColorKeywordCount();

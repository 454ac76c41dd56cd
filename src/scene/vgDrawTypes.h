#pragma once
// Enumerations shared by the canvas, the brushes and the shapes. They live in a meta-object
// namespace so that style data can name them ("vgBrushGradient", "[vgCornerTopLeft]") and are
// brought into the global scope so that code can write them as plainly as the style data does.

#include <QFlags>
#include <QObject>

namespace vgEnums {
Q_NAMESPACE

enum TvgBrushStyle {
    vgBrushNone,
    vgBrushSolid,
    vgBrushGradient,
    vgBrushBitmap,
    vgBrushResource,
    vgBrushVisual
};
Q_ENUM_NS(TvgBrushStyle)

enum TvgGradientStyle { vgLinearGradient, vgRadialGradient };
Q_ENUM_NS(TvgGradientStyle)

enum TvgWrapMode { vgWrapTile, vgWrapTileOriginal, vgWrapTileStretch };
Q_ENUM_NS(TvgWrapMode)

enum TvgFontStyle {
    vgFontRegular,
    vgFontBold,
    vgFontItalic,
    vgFontBoldItalic,
    vgFontUnderline,
    vgFontStrikeout
};
Q_ENUM_NS(TvgFontStyle)

enum TvgStrokeCap { vgCapFlat, vgCapRound };
Q_ENUM_NS(TvgStrokeCap)

enum TvgStrokeJoin { vgJoinMiter, vgJoinRound, vgJoinBevel };
Q_ENUM_NS(TvgStrokeJoin)

enum TvgStrokeDash { vgDashSolid, vgDashDash, vgDashDot, vgDashDashDot, vgDashDashDotDot, vgDashCustom };
Q_ENUM_NS(TvgStrokeDash)

enum TvgCorner {
    vgCornerTopLeft = 0x1,
    vgCornerTopRight = 0x2,
    vgCornerBottomLeft = 0x4,
    vgCornerBottomRight = 0x8
};
Q_DECLARE_FLAGS(TvgCorners, TvgCorner)
Q_FLAG_NS(TvgCorners)

enum TvgCornerType { vgCornerRound, vgCornerBevel, vgCornerInnerRound, vgCornerInnerLine };
Q_ENUM_NS(TvgCornerType)

enum TvgSide { vgSideTop = 0x1, vgSideLeft = 0x2, vgSideBottom = 0x4, vgSideRight = 0x8 };
Q_DECLARE_FLAGS(TvgSides, TvgSide)
Q_FLAG_NS(TvgSides)

enum TvgTextAlign { vgTextAlignCenter, vgTextAlignNear, vgTextAlignFar };
Q_ENUM_NS(TvgTextAlign)

enum TvgImageWrap { vgImageOriginal, vgImageFit, vgImageStretch, vgImageTile };
Q_ENUM_NS(TvgImageWrap)

}  // namespace vgEnums

Q_DECLARE_OPERATORS_FOR_FLAGS(vgEnums::TvgCorners)
Q_DECLARE_OPERATORS_FOR_FLAGS(vgEnums::TvgSides)

using vgEnums::TvgBrushStyle;
using vgEnums::TvgCorner;
using vgEnums::TvgCorners;
using vgEnums::TvgCornerType;
using vgEnums::TvgFontStyle;
using vgEnums::TvgGradientStyle;
using vgEnums::TvgImageWrap;
using vgEnums::TvgSide;
using vgEnums::TvgSides;
using vgEnums::TvgStrokeCap;
using vgEnums::TvgStrokeDash;
using vgEnums::TvgStrokeJoin;
using vgEnums::TvgTextAlign;
using vgEnums::TvgWrapMode;
using enum vgEnums::TvgBrushStyle;
using enum vgEnums::TvgGradientStyle;
using enum vgEnums::TvgWrapMode;
using enum vgEnums::TvgFontStyle;
using enum vgEnums::TvgStrokeCap;
using enum vgEnums::TvgStrokeJoin;
using enum vgEnums::TvgStrokeDash;
using enum vgEnums::TvgCorner;
using enum vgEnums::TvgCornerType;
using enum vgEnums::TvgSide;
using enum vgEnums::TvgTextAlign;
using enum vgEnums::TvgImageWrap;

inline constexpr TvgCorners AllCorners{vgCornerTopLeft | vgCornerTopRight | vgCornerBottomLeft |
                                       vgCornerBottomRight};
inline constexpr TvgSides AllSides{vgSideTop | vgSideLeft | vgSideBottom | vgSideRight};

#pragma once
// Enumerations of the scene toolkit that are published properties. They live in a namespace with
// its own meta-object so that style sets can name their values ("vaClient") and triggers can read
// them; `using enum` makes the values usable unqualified, as the rest of the program spells them.
// Other units of the toolkit declare their own enumerations the same way, each in its own namespace.

#include <QObject>

namespace Vg {
Q_NAMESPACE

enum TvgAlign {
    vaNone,
    vaTopLeft,
    vaTopRight,
    vaBottomLeft,
    vaBottomRight,
    vaTop,
    vaLeft,
    vaRight,
    vaBottom,
    vaMostTop,
    vaMostBottom,
    vaMostLeft,
    vaMostRight,
    vaClient,
    vaContents,
    vaCenter,
    vaVertCenter,
    vaHorzCenter,
    vaHorizontal,
    vaVertical,
    vaScale,
    vaFit,
    vaFitLeft,
    vaFitRight
};
Q_ENUM_NS(TvgAlign)

enum TvgDragMode { vgDragManual, vgDragAutomatic };
Q_ENUM_NS(TvgDragMode)

enum THelpType { htKeyword, htContext };
Q_ENUM_NS(THelpType)

}  // namespace Vg

using Vg::TvgAlign;
using enum Vg::TvgAlign;
using Vg::TvgDragMode;
using enum Vg::TvgDragMode;
using Vg::THelpType;
using enum Vg::THelpType;

#pragma once
// Path data in the SVG syntax ("M 0 0 L 10 10 Z"): move, line, horizontal, vertical, cubic and
// quadratic curves and close, absolute (upper case) and relative (lower case). Parsing stops at the
// first thing it does not understand and keeps what came before.

#include <QPainterPath>
#include <QString>

QPainterPath vgParsePathData(const QString& data);

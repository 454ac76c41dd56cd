#pragma once
// The geometry of the manage dialog's owner-drawn rows: where each column's text starts and how a
// text too wide for its column is cut.

#include <QString>

#include <functional>
#include <vector>

// 36 for the first column (its text follows the icon), else the widths of the columns before it
// plus 8.
int GetColumnLeft(const std::vector<int>& AWidths, int AColumn);

// The text's shortest prefix whose drawn width reaches ALimit, followed by ".." unless it is the
// whole text; the whole text when it never reaches the limit.
QString FitColumnText(const QString& AText, int ALimit, const std::function<int(const QString&)>& AWidth);

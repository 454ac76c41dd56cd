#include "uColumnText.h"

#include <numeric>

int GetColumnLeft(const std::vector<int>& AWidths, int AColumn) {
    if (AColumn <= 0) return 36;
    const auto end =
        AWidths.begin() + std::min<std::ptrdiff_t>(AColumn, static_cast<std::ptrdiff_t>(AWidths.size()));
    return std::accumulate(AWidths.begin(), end, 0) + 8;
}

QString FitColumnText(const QString& AText, int ALimit, const std::function<int(const QString&)>& AWidth) {
    for (qsizetype length = 1; length <= AText.size(); ++length) {
        // A character outside the basic plane is taken whole, never half of its surrogate pair.
        if (AText.at(length - 1).isHighSurrogate() && length < AText.size()) continue;
        const QString prefix = AText.left(length);
        if (AWidth(prefix) >= ALimit) return length == AText.size() ? prefix : prefix + QStringLiteral("..");
    }
    return AText;
}

#include "LnkShortcut.h"

#include "LnkLayout.h"

std::optional<TShortcutTarget> ReadLnkShortcut(const QByteArray& bytes) {
    const auto link = ReadLnkLink(bytes);
    if (!link) return std::nullopt;
    QString target = link->NetworkPath;
    if (target.isEmpty()) target = link->LocalPath;
    if (target.isEmpty()) target = link->IdListPath;
    return TShortcutTarget{target, link->Arguments};
}

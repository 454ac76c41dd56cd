#include "uButtonRow.h"

const QStringList& PlaceItems() {
    static const QStringList items{QStringLiteral("侧边栏"), QStringLiteral("Dock"),
                                   QStringLiteral("Marovia")};
    return items;
}

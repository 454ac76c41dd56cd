#include "uSaveLeftovers.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

// The files the program saves, each followed by the six letters and digits a save's temporary
// file adds to its name.
const QRegularExpression& LeftoverName() {
    static const QRegularExpression pattern(
        QStringLiteral("^(TakeNote\\.dat|Desktop\\.xml|[^.]+\\.(png|ico))\\.[A-Za-z0-9]{6}$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

int RemoveIn(const QDir& AFolder) {
    int removed = 0;
    for (const QString& name : AFolder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (LeftoverName().match(name).hasMatch() && QFile::remove(AFolder.filePath(name))) ++removed;
    return removed;
}

}  // namespace

int RemoveSaveLeftovers(const QString& ADataPath) {
    const QDir data(ADataPath);
    int removed = RemoveIn(data);
    for (const QString& plan : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        removed += RemoveIn(QDir(data.filePath(plan)));
    return removed;
}

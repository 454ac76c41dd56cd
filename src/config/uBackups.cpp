#include "uBackups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include "uPathInfo.h"
#include "uSafeSave.h"

namespace {

QString Prefix(TBackupKind kind) {
    switch (kind) {
        case TBackupKind::Notes:
            return QStringLiteral("TakeNote");
        case TBackupKind::Buttons:
            return QStringLiteral("Desktop");
        case TBackupKind::DeletedNote:
            break;
    }
    return QStringLiteral("DeletedNote");
}

QString Extension(TBackupKind kind) {
    return kind == TBackupKind::Buttons ? QStringLiteral(".xml") : QStringLiteral(".dat");
}

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

// "<prefix>-<stamp>-<n><ext>": the counter keeps two versions of the same millisecond apart and in
// order, which the name alone would not.
struct TParsed {
    QDateTime Time;
    int Counter = 0;
};

bool Parse(const QString& name, TBackupKind kind, TParsed& parsed) {
    static const QRegularExpression form(QStringLiteral(R"(^([A-Za-z]+)-(\d{8}-\d{6}-\d{3})-(\d+)(\.\w+)$)"));
    const auto match = form.match(name);
    if (!match.hasMatch() || match.captured(1) != Prefix(kind) || match.captured(4) != Extension(kind))
        return false;
    parsed.Time = QDateTime::fromString(match.captured(2), kStampFormat);
    parsed.Counter = match.captured(3).toInt();
    return parsed.Time.isValid();
}

}  // namespace

TBackupStore::TBackupStore(QString AFolder) : FFolder(std::move(AFolder)) {}

QByteArray TBackupStore::Read(const QString& APath) {
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TBackupStore::Keep(TBackupKind AKind, const QString& AFileName) {
    QFile file(AFileName);
    if (!file.exists()) return;
    if (!file.open(QIODevice::ReadOnly))
        throw ESaveError(QStringLiteral("%1: %2").arg(AFileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    const std::vector<TBackupEntry> earlier = List(AKind);
    if (!earlier.empty() && Read(earlier.front().Path) == bytes) return;
    Add(AKind, bytes);
}

QString TBackupStore::Add(TBackupKind AKind, const QByteArray& ABytes) {
    QDir().mkpath(FFolder);
    const QString stamp = QDateTime::currentDateTime().toString(kStampFormat);
    int counter = 1;
    for (const TBackupEntry& entry : List(AKind)) {
        TParsed parsed;
        if (Parse(QFileInfo(entry.Path).fileName(), AKind, parsed) &&
            parsed.Time.toString(kStampFormat) == stamp)
            counter = std::max(counter, parsed.Counter + 1);
    }
    const QString path =
        FFolder + QStringLiteral("%1-%2-%3%4").arg(Prefix(AKind), stamp).arg(counter).arg(Extension(AKind));
    SaveFileSafely(path, ABytes);
    DropOldest(AKind);
    return path;
}

std::vector<TBackupEntry> TBackupStore::List(TBackupKind AKind) const {
    std::vector<std::pair<TParsed, QString>> found;
    const QDir folder(FFolder);
    for (const QString& name : folder.entryList({Prefix(AKind) + QStringLiteral("-*")}, QDir::Files)) {
        TParsed parsed;
        if (Parse(name, AKind, parsed)) found.emplace_back(parsed, folder.filePath(name));
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.Time != b.first.Time) return a.first.Time > b.first.Time;
        return a.first.Counter > b.first.Counter;
    });
    std::vector<TBackupEntry> result;
    for (const auto& [parsed, path] : found) result.push_back({path, AKind, parsed.Time});
    return result;
}

std::vector<TBackupEntry> TBackupStore::Versions() const {
    std::vector<TBackupEntry> result = List(TBackupKind::Notes);
    const std::vector<TBackupEntry> buttons = List(TBackupKind::Buttons);
    result.insert(result.end(), buttons.begin(), buttons.end());
    std::stable_sort(result.begin(), result.end(),
                     [](const TBackupEntry& a, const TBackupEntry& b) { return a.Time > b.Time; });
    return result;
}

void TBackupStore::DropOldest(TBackupKind AKind) const {
    const std::vector<TBackupEntry> entries = List(AKind);
    for (std::size_t i = MaxPerKind; i < entries.size(); ++i) QFile::remove(entries[i].Path);
}

TBackupStore Backups() {
    return TBackupStore(PathInfo->DataPath() + QStringLiteral("Backups") + PathDelim());
}

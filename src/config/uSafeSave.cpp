#include "uSafeSave.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

TSaveFaultHook& FaultHook() {
    static TSaveFaultHook hook;
    return hook;
}

bool Injected(TSaveStep step, const QString& fileName) {
    const TSaveFaultHook& hook = FaultHook();
    return hook && hook(step, fileName);
}

// Large enough to keep the number of system calls small, small enough that a failure is seen
// close to where it happened.
constexpr qsizetype kChunk = 64 * 1024;

[[noreturn]] void Fail(QSaveFile& file, const QString& fileName, const QString& reason) {
    file.cancelWriting();  // the temporary goes; the old file was never touched
    throw ESaveError(QStringLiteral("%1: %2").arg(fileName, reason.isEmpty() ? file.errorString() : reason));
}

}  // namespace

bool WriteAllBytes(QIODevice& ADevice, const QByteArray& ABytes) {
    for (qsizetype done = 0; done < ABytes.size();) {
        const qsizetype chunk = std::min(kChunk, ABytes.size() - done);
        const qint64 written = ADevice.write(ABytes.constData() + done, chunk);
        if (written <= 0) return false;
        done += written;
    }
    return true;
}

void SaveFileSafely(const QString& AFileName, const QByteArray& ABytes) {
    const QString noSpace = QStringLiteral("No space left on device");
    QSaveFile file(AFileName);
    // Unbuffered, so that the system answers every write here. Qt 6.4 buffers a small file in
    // memory: its failed write then happens inside commit(), which still renames the empty
    // temporary over the old file and reports success.
    if (Injected(TSaveStep::Open, AFileName))
        throw ESaveError(QStringLiteral("%1: %2").arg(AFileName, noSpace));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ESaveError(QStringLiteral("%1: %2").arg(AFileName, file.errorString()));
    if (Injected(TSaveStep::Write, AFileName)) {
        WriteAllBytes(file, ABytes.left(ABytes.size() / 2));
        Fail(file, AFileName, noSpace);
    }
    if (!WriteAllBytes(file, ABytes)) Fail(file, AFileName, QString());
    if (Injected(TSaveStep::Flush, AFileName)) Fail(file, AFileName, noSpace);
    if (!file.flush()) Fail(file, AFileName, QString());
    // What the system holds is what we meant to write; anything else is a failure we did not see.
    if (Injected(TSaveStep::Size, AFileName) || file.size() != ABytes.size())
        Fail(file, AFileName, QStringLiteral("%1 of %2 bytes written").arg(file.size()).arg(ABytes.size()));
    const bool injected = Injected(TSaveStep::Commit, AFileName);
    if (injected) file.cancelWriting();
    if (!file.commit())
        throw ESaveError(QStringLiteral("%1: %2").arg(AFileName, injected ? noSpace : file.errorString()));
}

void SetSaveFaultHook(TSaveFaultHook AHook) {
    FaultHook() = std::move(AHook);
}

QString KeepDamagedFileAside(const QString& AFileName) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return QString();
    // One copy of each damaged state is enough, however often the program starts with it.
    const QFileInfo info(AFileName);
    const QStringList earlier =
        info.dir().entryList({info.fileName() + QStringLiteral(".unreadable-*")}, QDir::Files, QDir::Name);
    for (const QString& name : earlier) {
        QFile copy(info.dir().filePath(name));
        if (copy.size() == bytes.size() && copy.open(QIODevice::ReadOnly) && copy.readAll() == bytes)
            return copy.fileName();
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = AFileName + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = AFileName + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    // A copy, not a rename: until a save has written the readable part, the original stays
    // where the next start looks for it.
    try {
        SaveFileSafely(target, bytes);
    } catch (const ESaveError&) {
        return QString();
    }
    return target;
}

#include "uSingleInstance.h"

#include <QFile>
#include <QSysInfo>

TSingleInstance::TSingleInstance(const QString& dataPath)
    : FFileName(dataPath + QStringLiteral("marovia.lock")), FLock(FFileName) {
    // Never stale by age: a long-running first instance keeps its lock; a dead one is detected by pid.
    FLock.setStaleLockTime(0);
    if (!FLock.tryLock(0) && !(FLock.error() == QLockFile::LockFailedError && TakeOverUnownedLock())) {
        switch (FLock.error()) {
            case QLockFile::LockFailedError:
                FState = TInstanceState::IS_HeldByAnother;
                return;
            case QLockFile::PermissionError:
                FErrorText =
                    QStringLiteral("无法在数据文件夹中创建文件（文件夹只读或没有写入权限）：") + FFileName;
                break;
            default:
                FErrorText = QStringLiteral("无法写入锁文件（磁盘已满或文件夹不存在）：") + FFileName;
                break;
        }
        FState = TInstanceState::IS_Failed;
        return;
    }
    FState = TInstanceState::IS_Acquired;
}

bool TSingleInstance::TakeOverUnownedLock() {
    qint64 pid = 0;
    QString hostName;
    QString appName;
    // A readable lock of this machine names a live process (QLockFile has already checked): it stays.
    // Host names compare without case: on Windows the lock carries the upper-case computer name.
    if (FLock.getLockInfo(&pid, &hostName, &appName) &&
        (hostName.isEmpty() || hostName.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0))
        return false;
    // Removing through QLockFile fails while a live holder keeps the file open; a file that cannot
    // even be opened is unlinked by name (that needs only the folder's write permission).
    if (!FLock.removeStaleLockFile() && QFile::exists(FFileName)) {
        QFile unreadable(FFileName);
        if (unreadable.open(QIODevice::ReadOnly)) return false;
        if (!QFile::remove(FFileName)) return false;
    }
    return FLock.tryLock(0);
}

#include "uSingleInstance.h"

TSingleInstance::TSingleInstance(const QString& dataPath) : FLock(dataPath + QStringLiteral("marovia.lock")) {
    // Never stale by age: a long-running first instance keeps its lock; a dead one is detected by pid.
    FLock.setStaleLockTime(0);
    FAcquired = FLock.tryLock(0);
}

#pragma once
// One running program per installation folder: a lock file in the data folder. A lock left by a
// run that crashed is taken over (the lock records its owner's process id).

#include <QLockFile>
#include <QString>

class TSingleInstance {
public:
    explicit TSingleInstance(const QString& dataPath);
    bool Acquired() const { return FAcquired; }

private:
    QLockFile FLock;
    bool FAcquired = false;
};

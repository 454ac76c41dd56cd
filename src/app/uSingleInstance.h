#pragma once
// One running program per installation folder: a lock file in the data folder. A lock nobody holds
// any more is taken over: one naming a process that has ended, and one that cannot name its owner
// at all (empty, garbage, unreadable, or written on another machine). A live holder keeps its lock
// open, so removing its file fails and the start is refused as it must be.

#include <QLockFile>
#include <QString>

enum class TInstanceState {
    IS_Acquired,       // this start holds the lock
    IS_HeldByAnother,  // another running instance holds it
    IS_Failed          // the lock could not be made at all (a read-only folder, a full disk)
};

class TSingleInstance {
public:
    explicit TSingleInstance(const QString& dataPath);
    TInstanceState State() const { return FState; }
    bool Acquired() const { return FState == TInstanceState::IS_Acquired; }
    // Why the lock could not be made, when State() is IS_Failed.
    QString ErrorText() const { return FErrorText; }

private:
    bool TakeOverUnownedLock();

    QString FFileName;
    QLockFile FLock;
    TInstanceState FState = TInstanceState::IS_Failed;
    QString FErrorText;
};

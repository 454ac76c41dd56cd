#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>

#include "FakePlatformScope.h"
#include "uMaroviaApp.h"
#include "uSingleInstance.h"

namespace {

void WriteLock(const QString& folder, const QByteArray& contents) {
    QFile lock(folder + "marovia.lock");
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(contents);
}

// The name this machine goes by in lock files, learnt from a real one: Windows writes its
// computer name (COMPUTERNAME, upper case), other systems their host name.
QByteArray ThisMachineInLocks() {
    QTemporaryDir folder;
    QLockFile probe(folder.path() + "/probe.lock");
    qint64 pid = 0;
    QString host, application;
    if (!probe.tryLock(0) || !probe.getLockInfo(&pid, &host, &application)) return QByteArray();
    return host.toUtf8();
}

}  // namespace

TEST(SingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds) {
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    {
        const TSingleInstance first(folder);
        ASSERT_TRUE(first.Acquired());
        const TSingleInstance second(folder);
        EXPECT_FALSE(second.Acquired());
        EXPECT_EQ(second.State(), TInstanceState::IS_HeldByAnother);
    }
    const TSingleInstance third(folder);
    EXPECT_TRUE(third.Acquired());
}

// What a killed run, a torn write or a copied folder leaves: nobody holds these locks any more.
// "{this machine}" stands for this machine's name as its own locks carry it.
struct TLeftoverLock {
    const char* Name;
    QByteArray Contents;
};
void PrintTo(const TLeftoverLock& lock, std::ostream* out) {
    *out << lock.Name;
}

class StaleLock : public testing::TestWithParam<TLeftoverLock> {};

TEST_P(StaleLock, IsTakenOverAndThenRefusesTheNextStart) {
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    QByteArray contents = GetParam().Contents;
    if (contents.contains("{this machine}")) {
        const QByteArray machine = ThisMachineInLocks();
        ASSERT_FALSE(machine.isEmpty());
        contents.replace("{this machine}", machine);
    }
    WriteLock(folder, contents);
    const TSingleInstance instance(folder);
    ASSERT_EQ(instance.State(), TInstanceState::IS_Acquired);
    // The lock now is a real one of this process.
    const TSingleInstance next(folder);
    EXPECT_EQ(next.State(), TInstanceState::IS_HeldByAnother);
}

INSTANTIATE_TEST_SUITE_P(
    Leftovers, StaleLock,
    testing::Values(TLeftoverLock{"DeadProcess", "999999\nmarovia\n{this machine}\n"},
                    TLeftoverLock{"Empty", QByteArray()},
                    TLeftoverLock{"Garbage", QByteArray("\x01\xff garbage \x00\x02", 14)},
                    TLeftoverLock{"OtherHost", "1\nmarovia\nsome-other-machine.example\n"}),
    [](const testing::TestParamInfo<TLeftoverLock>& info) { return std::string(info.param.Name); });

TEST(SingleInstance, ALiveLockNamingThisMachineInOtherLettersStays) {
    // Windows writes the computer name in upper case where the host name is lower case: the same
    // machine, whose live holder must not lose its lock.
    const QByteArray machine = ThisMachineInLocks();
    const QByteArray otherCase = machine.toUpper() != machine ? machine.toUpper() : machine.toLower();
    if (otherCase == machine) GTEST_SKIP() << "this machine's name has no letters";
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    WriteLock(folder,
              QByteArray::number(QCoreApplication::applicationPid()) + "\nmarovia\n" + otherCase + "\n");
    const TSingleInstance instance(folder);
    EXPECT_EQ(instance.State(), TInstanceState::IS_HeldByAnother);
    EXPECT_TRUE(QFile::exists(folder + "marovia.lock"));
}

TEST(SingleInstance, AFolderThatCannotHoldTheLockIsAFailureNotAnotherInstance) {
    QTemporaryDir data;
    QFile notAFolder(data.path() + "/Data");
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const TSingleInstance instance(data.path() + "/Data/");
    EXPECT_EQ(instance.State(), TInstanceState::IS_Failed);
    EXPECT_TRUE(instance.ErrorText().contains("marovia.lock"));
}

TEST(SingleInstance, AnUnreadableLockIsTakenOver) {
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    WriteLock(folder, "1\n");
    QFile::setPermissions(folder + "marovia.lock", QFileDevice::Permissions());
    if (QFile lock(folder + "marovia.lock"); lock.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not bind this user";
    const TSingleInstance instance(folder);
    EXPECT_EQ(instance.State(), TInstanceState::IS_Acquired);
}

TEST(SingleInstance, AReadOnlyFolderIsAFailure) {
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    QFile::setPermissions(data.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFile probe(folder + "probe"); probe.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "permissions do not bind this user";
    const TSingleInstance instance(folder);
    EXPECT_EQ(instance.State(), TInstanceState::IS_Failed);
    QFile::setPermissions(data.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

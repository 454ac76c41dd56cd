#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "uSingleInstance.h"

TEST(SingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds) {
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    {
        const TSingleInstance first(folder);
        ASSERT_TRUE(first.Acquired());
        const TSingleInstance second(folder);
        EXPECT_FALSE(second.Acquired());
    }
    const TSingleInstance third(folder);
    EXPECT_TRUE(third.Acquired());
}

TEST(SingleInstance, ALockLeftByACrashedRunIsTakenOver) {
    QTemporaryDir data;
    const QString folder = data.path() + "/";
    // What a killed run leaves: a lock naming a process that no longer exists.
    QFile stale(folder + "marovia.lock");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\nmarovia\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    const TSingleInstance instance(folder);
    EXPECT_TRUE(instance.Acquired());
}

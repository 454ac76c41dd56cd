#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "uFreeMemory.h"
#include "uMaroviaApp.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "uShowRequest.h"
#include "uSingleInstance.h"
#include "ufrmMarovia.h"
#include "vgButton.h"

TEST(Startup, EverythingLivesWhileTheLoopRunsAndIsGoneInReverseOrderAfter) {
    FakePlatformScope platform;
    platform->SetWorkArea(QRect(0, 40, 1600, 860));  // a taskbar at the top
    QTemporaryDir install;
    bool ran = false;
    platform->SetOnExec([&] {
        ran = true;
        ASSERT_NE(PathInfo, nullptr);
        EXPECT_EQ(PathInfo->BinPath(), QDir::toNativeSeparators(install.path()) + PathDelim());
        EXPECT_TRUE(platform->IsTimerActive(FreeMemoryTimerID));
        ASSERT_NE(frmMarovia, nullptr);
        ASSERT_EQ(platform->HostWindows().size(), 1u);
        const FakeHostWindow* window = platform->HostWindows().front();
        EXPECT_EQ(window->Kind(), THostWindowKind::HW_Desktop);
        // At the screen's corner with the work area's size, whatever the work area's own origin.
        EXPECT_EQ(window->Geometry(), QRect(0, 0, 1600, 860));
        EXPECT_TRUE(window->IsVisible());
        platform->Advance(2000);
        EXPECT_EQ(platform->TrimCount(), 1);
    });
    EXPECT_EQ(RunMarovia({install.path()}), 0);
    EXPECT_TRUE(ran);
    EXPECT_EQ(frmMarovia, nullptr);
    EXPECT_EQ(PathInfo, nullptr);
    EXPECT_TRUE(platform->HostWindows().empty());
    EXPECT_EQ(platform->ActiveTimerCount(), 0);  // no timer is left registered after exit
}

TEST(Startup, ASecondStartMakesTheRunningOneSlideItsPanelInAndEndsWithoutAWindow) {
    FakePlatformScope platform;
    QTemporaryDir install;
    int innerExit = -1;
    platform->SetOnExec([&] {
        ASSERT_TRUE(frmMarovia->BtnMarovia()->Enabled());  // the desktop panel is out
        const std::size_t windows = platform->HostWindows().size();
        // The second start waits in its own loop while the running one's poll comes round.
        platform->SetOnExec([&] { platform->Advance(ShowRequestPollMs); });
        innerExit = RunMarovia({install.path()});
        EXPECT_EQ(platform->HostWindows().size(), windows);
        EXPECT_FALSE(frmMarovia->BtnMarovia()->Enabled());  // slid in, as a click on "Marovia" does
        EXPECT_TRUE(MaroviaManage->IsShowDesktop());
        EXPECT_TRUE(platform->Messages().empty());
        EXPECT_FALSE(QFile::exists(install.path() + "/Data/marovia.show"));
    });
    EXPECT_EQ(RunMarovia({install.path()}), 0);
    EXPECT_EQ(innerExit, 1);
}

TEST(Startup, ASecondStartThatGetsNoAnswerSaysSoAndLeavesNoRequest) {
    FakePlatformScope platform;
    QTemporaryDir install;
    ASSERT_TRUE(QDir().mkpath(install.path() + "/Data"));
    const TSingleInstance hungInstance(install.path() + "/Data/");  // holds the lock, never polls
    ASSERT_TRUE(hungInstance.Acquired());
    platform->SetOnExec([&] { platform->Advance(ShowRequestWaitMs + ShowRequestPollMs); });
    EXPECT_EQ(RunMarovia({install.path()}), 1);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Title, "提示");
    EXPECT_FALSE(QFile::exists(install.path() + "/Data/marovia.show"));
    EXPECT_TRUE(platform->HostWindows().empty());
    EXPECT_EQ(platform->ActiveTimerCount(), 0);
}

TEST(Startup, ARequestLeftFromBeforeTheStartIsDroppedNotActedOn) {
    FakePlatformScope platform;
    QTemporaryDir install;
    ASSERT_TRUE(QDir().mkpath(install.path() + "/Data"));
    QFile stale(install.path() + "/Data/marovia.show");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    bool ran = false;
    platform->SetOnExec([&] {
        ran = true;
        platform->Advance(2 * ShowRequestPollMs);
        EXPECT_TRUE(frmMarovia->BtnMarovia()->Enabled());
    });
    EXPECT_EQ(RunMarovia({install.path()}), 0);
    EXPECT_TRUE(ran);
}

TEST(Startup, ALockThatCannotBeMadeIsToldInAMessageBoxAndTheStartEnds) {
    FakePlatformScope platform;
    QTemporaryDir install;
    QFile notAFolder(install.path() + "/Data");  // the data folder cannot be made
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    platform->SetOnExec([] { FAIL() << "a start without its lock must not run the loop"; });
    EXPECT_EQ(RunMarovia({install.path()}), 1);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Title, "Marovia");
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("Marovia 无法启动！错误信息如下：\r\n"));
    EXPECT_TRUE(platform->HostWindows().empty());
}

TEST(Startup, TemporaryFilesOfSavesCutShortByAKillAreRemovedAndNothingElse) {
    FakePlatformScope platform;
    QTemporaryDir install;
    const QString data = install.path() + "/Data/";
    const QString plan = data + "默认方案/";
    ASSERT_TRUE(QDir().mkpath(plan));
    const QStringList leftovers = {data + "TakeNote.dat.aB3xYz", plan + "Desktop.xml.Qw12Er",
                                   plan + "{0F8FAD5B-D9CB-469F-A165-70867728950E}.Png.k9Lm0P"};
    const QStringList kept = {data + "TakeNote.dat", data + "TakeNote.dat.unreadable-20261209-131952",
                              plan + "Desktop.xml", plan + "Desktop.xml.bak", plan + "notes.txt.aB3xYz"};
    for (const QString& name : leftovers + kept) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(name.endsWith(".dat") ? "<?xml version=\"1.0\"?>\n<TakeNotes/>\n" : "x");
    }
    bool ran = false;
    platform->SetOnExec([&] {
        ran = true;
        for (const QString& name : leftovers) EXPECT_FALSE(QFile::exists(name)) << name.toStdString();
        for (const QString& name : kept) EXPECT_TRUE(QFile::exists(name)) << name.toStdString();
    });
    EXPECT_EQ(RunMarovia({install.path()}), 0);
    EXPECT_TRUE(ran);
}

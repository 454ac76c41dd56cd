// Starting at login through the XDG autostart folder of the sandbox's XDG_CONFIG_HOME.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "AutoStart.h"
#include "DesktopEntry.h"
#include "LinuxShell.h"
#include "XdgSandbox.h"

namespace {

class AutoStart : public ::testing::Test {
protected:
    AutoStart() : FFolder(XdgSandbox::Get().ConfigHome + "/autostart") {
        QDir(FFolder).removeRecursively();
        QFile::remove(FFolder);
    }
    ~AutoStart() override {
        QFile::remove(FFolder);
        QDir(FFolder).removeRecursively();
    }
    QString Entry() const { return FFolder + "/marovia.desktop"; }
    void WriteEntry(const QByteArray& text) {
        QDir().mkpath(FFolder);
        QFile file(Entry());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QString FFolder;
    LinuxShell shell;
};

}  // namespace

TEST_F(AutoStart, TheEntryLivesInTheAutostartFolderOfXdgConfigHome) {
    EXPECT_EQ(AutoStartEntryFile(), Entry());
    EXPECT_FALSE(shell.IsAutoStart());
}

TEST_F(AutoStart, TurningItOnWritesAValidEntryThatStartsTheProgramAndOffRemovesIt) {
    // Spaces, quotes, a dollar and a percent sign must all reach the program unchanged.
    const QString program = R"(/opt/My "Apps"/100% $HOME\marovia)";
    ASSERT_TRUE(shell.SetAutoStart(true, program));
    EXPECT_TRUE(shell.IsAutoStart());
    QFile entry(Entry());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const std::optional<TShortcutTarget> target = ReadDesktopShortcut(entry.readAll());
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->Target, program);
    EXPECT_EQ(target->Params, "");
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.start(validator, {Entry()});
        ASSERT_TRUE(validate.waitForFinished());
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }

    ASSERT_TRUE(shell.SetAutoStart(false, program));
    EXPECT_FALSE(QFile::exists(Entry()));
    EXPECT_FALSE(shell.IsAutoStart());
    EXPECT_TRUE(shell.SetAutoStart(false, program));  // already off: nothing to do, not a failure
}

TEST_F(AutoStart, AnEntrySwitchedOffBySessionToolsReadsAsOffAndIsReplacedWhenTurnedOn) {
    WriteEntry("[Desktop Entry]\nType=Application\nExec=marovia\nHidden=true\n");
    EXPECT_FALSE(shell.IsAutoStart());
    WriteEntry("[Desktop Entry]\nType=Application\nExec=marovia\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(shell.IsAutoStart());
    WriteEntry("[Desktop Entry]\nType=Application\nExec=marovia\n");
    EXPECT_TRUE(shell.IsAutoStart());
    WriteEntry("[Desktop Entry]\nType=Application\nExec=marovia\nHidden=true\n");
    ASSERT_TRUE(shell.SetAutoStart(true, "/usr/bin/marovia"));
    EXPECT_TRUE(shell.IsAutoStart());
}

TEST_F(AutoStart, AFolderThatCannotBeMadeIsReportedAndNothingIsClaimed) {
    QFile blocker(FFolder);  // a file where the autostart folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(shell.SetAutoStart(true, "/usr/bin/marovia"));
    EXPECT_FALSE(shell.IsAutoStart());
}

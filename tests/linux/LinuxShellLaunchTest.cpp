// Launching through the Linux shell with real processes: a small recorder program reports the
// arguments it received through a FIFO. Handlers are registered in a private XDG environment.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

#include <set>

#include "DesktopEntry.h"
#include "FakePlatformScope.h"
#include "LinuxShell.h"
#include "QuitRequest.h"
#include "ShutdownSignals.h"
#include "XdgSandbox.h"

namespace {

const QString kRecorder = QStringLiteral(ARGV_RECORDER);

void WriteText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class Launch : public ::testing::Test {
protected:
    Launch() : FSandbox(XdgSandbox::Get()), FDir(FSandbox.Root + "/launch") { QDir().mkpath(FDir); }
    ~Launch() override { QDir(FDir).removeRecursively(); }

    QString Path(const QString& name) const { return FDir + "/" + name; }

    // An application entry whose Exec runs the recorder into the given FIFO; executable, as a
    // file manager leaves an entry the user allowed to launch, unless `executable` is false.
    QString RecorderEntry(const QString& fileName, const ArgvFifo& fifo, const QByteArray& extra,
                          bool executable = true) {
        const QString path = fileName.startsWith('/') ? fileName : Path(fileName);
        WriteText(path, "[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + kRecorder.toUtf8() + " " +
                            fifo.Path().toUtf8() + " " + extra + "\n");
        if (executable) QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }

    const XdgSandbox& FSandbox;
    FakePlatformScope FPlatform;
    QString FDir;
    LinuxShell FShell;
};

}  // namespace

TEST_F(Launch, ShellCharactersInParametersReachTheProgramAsLiteralArgumentsOnly) {
    ArgvFifo fifo(Path("canary.fifo"));
    const QString victim = Path("victim");
    QDir().mkpath(victim);
    const QString c1 = Path("c1"), c2 = Path("c2"), c3 = Path("c3"), c4 = Path("c4"), c5 = Path("c5");
    const QString params =
        QString("%1 ; rm -rf %2 $(touch %3) `touch %4` | tee %5 && touch %6\ntouch %7 ~ \"$HOME\"")
            .arg(fifo.Path(), victim, c1, c2, c3, c4, c5);

    ASSERT_TRUE(FShell.RunFile(kRecorder, params));
    bool ok = false;
    const QStringList received = fifo.Wait(ok);
    ASSERT_TRUE(ok) << "the program did not report";
    const QStringList expected{";",   "rm", "-rf", victim,  "$(touch", c1 + ")", "`touch", c2 + "`", "|",
                               "tee", c3,   "&&",  "touch", c4,        "touch",  c5,       "~",      "$HOME"};
    EXPECT_EQ(received, expected);
    for (const QString& canary : {c1, c2, c3, c4, c5})
        EXPECT_FALSE(QFile::exists(canary)) << canary.toStdString();
    EXPECT_TRUE(QFileInfo(victim).isDir());
}

TEST_F(Launch, QuotedParametersKeepTheirBlanksAndChineseText) {
    ArgvFifo fifo(Path("quoted.fifo"));
    ASSERT_TRUE(FShell.RunFile(kRecorder, fifo.Path() + QStringLiteral(R"( "两个 词" a\"b "")")));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({QStringLiteral("两个 词"), R"(a"b)", ""}));
    EXPECT_TRUE(ok);
}

TEST_F(Launch, WhatDoesNotExistOrCannotStartIsAFailure) {
    EXPECT_FALSE(FShell.RunFile(Path("absent-program"), ""));
    EXPECT_FALSE(FShell.RunFile("marovia-no-such-program", ""));
    EXPECT_FALSE(FShell.RunFile("", ""));
    EXPECT_FALSE(FShell.RunFile("marovia-nohandler:whatever", ""));
    // Executable by its mode but not a program the system can run.
    const QString broken = Path("broken.bin");
    WriteText(broken, QByteArray("\x7F"
                                 "ELF-not-really",
                                 15));
    QFile::setPermissions(broken, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(FShell.RunFile(broken, ""));
}

TEST_F(Launch, ADesktopEntryStartsThroughItsExecLineWithoutAShell) {
    ArgvFifo fifo(Path("entry.fifo"));
    const QString entry = RecorderEntry("tool.desktop", fifo, "--from-entry \"a;b $(id)\" %F");
    const QString file = Path("input.txt");
    WriteText(file, "x");
    ASSERT_TRUE(FShell.RunFile(entry, file));
    bool ok = false;
    const QStringList received = fifo.Wait(ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(received, QStringList({"--from-entry", "a;b $(id)", file}));
}

TEST_F(Launch, ADesktopEntryWhoseProgramIsMissingFails) {
    const QString entry = Path("missing.desktop");
    WriteText(
        entry,
        "[Desktop Entry]\nType=Application\nName=M\nTryExec=/nonexistent/prog\nExec=/nonexistent/prog\n");
    EXPECT_FALSE(FShell.RunFile(entry, ""));
    const QString notAnApp = Path("link.desktop");
    WriteText(notAnApp, "[Desktop Entry]\nType=Link\nName=L\nURL=https://example.com\n");
    EXPECT_FALSE(FShell.RunFile(notAnApp, ""));
}

TEST_F(Launch, AddressesAndDocumentsGoToTheDefaultHandler) {
    ArgvFifo fifo(FSandbox.HandlerFifo);
    ASSERT_TRUE(FShell.RunFile("marovia-test://host/path?q=1&r=2", "ignored"));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({"marovia-test://host/path?q=1&r=2"}));
    EXPECT_TRUE(ok);

    ArgvFifo second(FSandbox.HandlerFifo);
    const QString document = Path("读我.txt");
    WriteText(document, "plain text");
    ASSERT_TRUE(FShell.RunFile(document, ""));
    const QStringList received = second.Wait(ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(received.size(), 1);
    EXPECT_TRUE(received[0].endsWith(QStringLiteral("读我.txt")) ||
                received[0].endsWith("%E8%AF%BB%E6%88%91.txt"))
        << received[0].toStdString();
}

TEST_F(Launch, AnEntryThatIsNeitherExecutableNorTrustedRunsOnlyWhenTheUserSaysYes) {
    ArgvFifo fifo(Path("untrusted.fifo"));
    const QString declined = RecorderEntry("declined.desktop", fifo, "first", false);
    FPlatform->ScriptAnswer(TMsgResult::MR_No);
    EXPECT_TRUE(FShell.RunFile(declined, ""));  // the user's no is not a failure to report
    ASSERT_EQ(FPlatform->Messages().size(), 1u);
    const TRecordedMessage asked = FPlatform->Messages()[0];
    EXPECT_EQ(asked.Buttons, TMsgButtons::MB_YesNo);
    EXPECT_TRUE(asked.Text.contains(QStringLiteral("启动器【Recorder】"))) << asked.Text.toStdString();
    EXPECT_TRUE(asked.Text.contains(declined));
    EXPECT_TRUE(asked.Text.contains(kRecorder + " " + fifo.Path() + " first"));

    const QString accepted = RecorderEntry("accepted.desktop", fifo, "second", false);
    FPlatform->ScriptAnswer(TMsgResult::MR_Yes);
    ASSERT_TRUE(FShell.RunFile(accepted, ""));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({"second"}));  // the declined entry never ran
    EXPECT_TRUE(ok);
    EXPECT_EQ(FPlatform->Messages().size(), 2u);
}

TEST_F(Launch, ExecutableEntriesAndInstalledApplicationsRunWithoutAsking) {
    ArgvFifo fifo(Path("trusted.fifo"));
    ASSERT_TRUE(FShell.RunFile(RecorderEntry("allowed.desktop", fifo, "exec-bit"), ""));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({"exec-bit"}));
    ArgvFifo second(Path("installed.fifo"));
    const QString installed = FSandbox.DataHome + "/applications/marovia-installed.desktop";
    ASSERT_TRUE(FShell.RunFile(RecorderEntry(installed, second, "installed", false), ""));
    EXPECT_EQ(second.Wait(ok), QStringList({"installed"}));
    QFile::remove(installed);
    EXPECT_TRUE(FPlatform->Messages().empty());
}

namespace {

// Stands in for the file managers' metadata store while it lives: every file reads as `mark`, and
// the files asked about are recorded.
class TrustMarks {
public:
    explicit TrustMarks(QString mark)
        : FPrevious(SetTrustMarkReader([this, mark](const QString& path) {
              FAsked.append(path);
              return mark;
          })) {}
    ~TrustMarks() { SetTrustMarkReader(FPrevious); }
    const QStringList& Asked() const { return FAsked; }

private:
    QStringList FAsked;
    TTrustMarkReader FPrevious;
};

}  // namespace

TEST_F(Launch, AnEntryMarkedTrustedRunsWithoutAskingAndOneMarkedOtherwiseAsks) {
    struct Case {
        const char* Mark;
        bool Trusted;
    };
    const Case cases[] = {{"true", true}, {"TRUE", true}, {"True", true}, {"false", false},
                          {"", false},    {"1", false},   {"yes", false}};
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("mark \"") + c.Mark + "\"");
        const TrustMarks marks(QString::fromLatin1(c.Mark));
        ArgvFifo fifo(Path(QStringLiteral("marked%1.fifo").arg(index)));
        const QString entry =
            RecorderEntry(QStringLiteral("marked%1.desktop").arg(index), fifo, "marked", false);
        ++index;
        const size_t asked = FPlatform->Messages().size();
        if (!c.Trusted) FPlatform->ScriptAnswer(TMsgResult::MR_No);
        EXPECT_TRUE(FShell.RunFile(entry, ""));
        EXPECT_EQ(marks.Asked(), QStringList({QFileInfo(entry).absoluteFilePath()}));
        if (c.Trusted) {
            bool ok = false;
            EXPECT_EQ(fifo.Wait(ok), QStringList({"marked"}));
            EXPECT_TRUE(ok);
            EXPECT_EQ(FPlatform->Messages().size(), asked);
        } else {
            ASSERT_EQ(FPlatform->Messages().size(), asked + 1);
            EXPECT_TRUE(FPlatform->Messages().back().Text.contains(entry));
        }
    }
}

TEST_F(Launch, AnExecutableEntryNeedsNoTrustMark) {
    const TrustMarks marks(QString{});
    ArgvFifo fifo(Path("unmarked.fifo"));
    ASSERT_TRUE(FShell.RunFile(RecorderEntry("unmarked.desktop", fifo, "exec-bit"), ""));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({"exec-bit"}));
    EXPECT_TRUE(marks.Asked().isEmpty());
    EXPECT_TRUE(FPlatform->Messages().empty());
}

TEST(TrustMark, GioReadsNoMarkOnAFileNobodyMarked) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString entry = dir.filePath("plain.desktop");
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Application\nName=P\nExec=true\n");
    file.close();
    EXPECT_EQ(ReadTrustMarkThroughGio(entry), QString());
    EXPECT_EQ(ReadTrustMarkThroughGio(dir.filePath("absent.desktop")), QString());
    EXPECT_FALSE(DesktopEntryIsTrusted(entry));
}

TEST_F(Launch, ADesktopShortcutOfAnApplicationIsLaunchedAsTheEntryItself) {
    ArgvFifo fifo(Path("shortcut.fifo"));
    const QString entry = RecorderEntry("sh-c.desktop", fifo, "from-shortcut", false);
    TShortcutTarget target;
    ASSERT_TRUE(FShell.ReadShortcut(entry, target));
    EXPECT_EQ(target.Target, entry);
    FPlatform->ScriptAnswer(TMsgResult::MR_No);
    EXPECT_TRUE(FShell.RunFile(target.Target, target.Params));
    EXPECT_EQ(FPlatform->Messages().size(), 1u);
}

TEST_F(Launch, AFileAddressOfAProgramAsksFirst) {
    ArgvFifo fifo(Path("address.fifo"));
    const QString address = QUrl::fromLocalFile(kRecorder).toString();
    FPlatform->ScriptAnswer(TMsgResult::MR_No);
    EXPECT_TRUE(FShell.RunFile(address, fifo.Path() + " declined"));
    ASSERT_EQ(FPlatform->Messages().size(), 1u);
    EXPECT_TRUE(FPlatform->Messages()[0].Text.contains(QStringLiteral("地址【%1】").arg(address)));
    FPlatform->ScriptAnswer(TMsgResult::MR_Yes);
    ASSERT_TRUE(FShell.RunFile(address, fifo.Path() + " accepted"));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({"accepted"}));
    // A document's address opens without a question.
    ArgvFifo handler(FSandbox.HandlerFifo);
    const QString document = Path("note.txt");
    WriteText(document, "text");
    ASSERT_TRUE(FShell.RunFile(QUrl::fromLocalFile(document).toString(), ""));
    EXPECT_EQ(handler.Wait(ok).size(), 1);
    EXPECT_EQ(FPlatform->Messages().size(), 2u);
}

TEST_F(Launch, ABareProgramNameIsNeverTakenFromTheCurrentFolder) {
    const QString planted = Path("marovia-planted-tool");
    ASSERT_TRUE(QFile::copy(kRecorder, planted));
    const QString previous = QDir::currentPath();
    const QByteArray path = qgetenv("PATH");
    ASSERT_TRUE(QDir::setCurrent(FDir));
    EXPECT_FALSE(FShell.RunFile("marovia-planted-tool", ""));
    qputenv("PATH", ".::" + path);  // relative and empty entries name the current folder too
    EXPECT_FALSE(FShell.RunFile("marovia-planted-tool", ""));
    qputenv("PATH", FDir.toLocal8Bit() + ":" + path);  // an absolute PATH entry is searched
    ArgvFifo fifo(Path("planted.fifo"));
    EXPECT_TRUE(FShell.RunFile("marovia-planted-tool", fifo.Path() + " found"));
    bool ok = false;
    EXPECT_EQ(fifo.Wait(ok), QStringList({"found"}));
    qputenv("PATH", path);
    QDir::setCurrent(previous);
}

TEST(ShutdownSignals, TheSignalSocketsAreNotInheritedByStartedPrograms) {
    auto openDescriptors = [] {
        std::set<int> descriptors;
        for (const QString& name : QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System))
            descriptors.insert(name.toInt());
        return descriptors;
    };
    const std::set<int> before = openDescriptors();
    ShutdownSignals::Install([] {});
    int added = 0;
    for (const int descriptor : openDescriptors()) {
        if (before.count(descriptor) || fcntl(descriptor, F_GETFD) < 0) continue;
        ++added;
        EXPECT_TRUE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC) << descriptor;
    }
    ShutdownSignals::Remove();
    EXPECT_GE(added, 2);
}

TEST(ShutdownSignals, ASignalMarksTheQuitPendingAtOnceBeforeTheLoopHandlesIt) {
    SetQuitPending(false);
    int handled = 0;
    ShutdownSignals::Install([&handled] { ++handled; });
    EXPECT_FALSE(QuitPending());
    ASSERT_EQ(::raise(SIGTERM), 0);
    EXPECT_TRUE(QuitPending());
    EXPECT_EQ(handled, 0);  // the handler runs from the event loop, not inside the signal
    ShutdownSignals::Remove();
    SetQuitPending(false);
}

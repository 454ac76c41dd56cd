// Reading .desktop, .url and .lnk shortcuts, from bytes and from real files.

#include <gtest/gtest.h>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <sys/stat.h>

#include "DesktopEntry.h"
#include "LinuxShell.h"
#include "LnkBuilder.h"
#include "LnkLayout.h"
#include "LnkShortcut.h"
#include "UrlShortcut.h"

namespace {

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(bytes);
    return path;
}

std::optional<TShortcutTarget> Desktop(const QByteArray& body) {
    return ReadDesktopShortcut("[Desktop Entry]\n" + body);
}

}  // namespace

TEST(DesktopExec, QuotingRulesAndFieldCodes) {
    EXPECT_EQ(ParseDesktopExec("firefox %u"), QStringList({"firefox"}));
    EXPECT_EQ(ParseDesktopExec("app --name=%c -x %F --icon %i"),
              QStringList({"app", "--name=", "-x", "--icon"}));
    EXPECT_EQ(ParseDesktopExec(R"("/opt/My App/run" "a \"b\" \$HOME \\ \`x\`" 100%%)"),
              QStringList({"/opt/My App/run", R"(a "b" $HOME \ `x`)", "100%"}));
    EXPECT_EQ(ParseDesktopExec("tool  ; rm -rf ~ $(id)"),
              QStringList({"tool", ";", "rm", "-rf", "~", "$(id)"}));
    EXPECT_EQ(ParseDesktopExec(R"("unterminated)"), std::nullopt);
    EXPECT_EQ(ParseDesktopExec("%U"), std::nullopt);
    EXPECT_EQ(ParseDesktopExec(""), std::nullopt);
}

TEST(DesktopShortcut, AnApplicationGivesItsProgramAndArguments) {
    // The key-file layer undoes \s and \\ before the Exec quoting rules apply.
    const auto target =
        Desktop("Type=Application\nName=Ed\nExec=\"/opt/ed itor/ed\" --new \"two words\" %F\n");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->Target, "/opt/ed itor/ed");
    EXPECT_EQ(target->Params, R"(--new "two words")");
    const auto escaped = Desktop("Type=Application\nExec=tool\\sarg \"x\\\\\\\\y\"\n");
    ASSERT_TRUE(escaped);
    EXPECT_EQ(escaped->Target, "tool");
    EXPECT_EQ(escaped->Params, R"(arg x\y)");
}

TEST(DesktopShortcut, ALinkGivesItsAddress) {
    const auto target = Desktop("Type=Link\nName=Site\nURL=https://example.com/a?b=1&c=2\n");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->Target, "https://example.com/a?b=1&c=2");
    EXPECT_EQ(target->Params, "");
}

TEST(DesktopShortcut, OtherTypesAndDamagedFilesAreNotShortcuts) {
    EXPECT_FALSE(Desktop("Type=Directory\nName=x\n"));
    EXPECT_FALSE(Desktop("Type=Application\nName=x\n"));
    EXPECT_FALSE(Desktop("Type=Application\nExec=\"open quote\n"));
    EXPECT_FALSE(ReadDesktopShortcut("[Other]\nType=Application\nExec=x\n"));
    EXPECT_FALSE(ReadDesktopShortcut("not a key file at all"));
    EXPECT_FALSE(ReadDesktopShortcut(QByteArray("\xFF\xFE\x00garbage", 10)));
}

TEST(UrlShortcut, TheAddressOfTheInternetShortcutSection) {
    EXPECT_EQ(ReadUrlShortcutTarget(
                  "[Other]\nURL=wrong\n[InternetShortcut]\r\nIconIndex=0\r\nURL=https://a.example/\r\n"),
              "https://a.example/");
    EXPECT_EQ(ReadUrlShortcutTarget("[internetshortcut]\n url = \"https://b.example/x y\" \n"),
              "https://b.example/x y");
    EXPECT_EQ(ReadUrlShortcutTarget("[InternetShortcut]\nURL=first\nURL=second\n"), "first");
    EXPECT_EQ(ReadUrlShortcutTarget("[InternetShortcut]\n;URL=commented\n"), "");
    EXPECT_EQ(ReadUrlShortcutTarget("URL=outside any section\n"), "");
    EXPECT_EQ(ReadUrlShortcutTarget(""), "");
}

TEST(UrlShortcut, ChineseTextInEveryEncodingWindowsWrites) {
    const QString address = QStringLiteral("https://例子.cn/路径");
    const QString text = QStringLiteral("[InternetShortcut]\r\nURL=") + address + QStringLiteral("\r\n");
    EXPECT_EQ(ReadUrlShortcutTarget(text.toUtf8()), address);
    EXPECT_EQ(ReadUrlShortcutTarget("\xEF\xBB\xBF" + text.toUtf8()), address);
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(ReadUrlShortcutTarget(utf16.encode(text)), address);
    QStringEncoder gbk("GB18030");
    ASSERT_TRUE(gbk.isValid());
    EXPECT_EQ(ReadUrlShortcutTarget(gbk.encode(text)), address);
}

TEST(LnkShortcut, LocalTargetAndUnicodeArguments) {
    const auto target = ReadLnkShortcut(
        lnk::Build({"C:\\Windows\\notepad.exe", {}, {}, QStringLiteral("/a \"文件 1.txt\"")}));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->Target, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(target->Params, QStringLiteral("/a \"文件 1.txt\""));
}

TEST(LnkShortcut, ANetworkTargetIsPreferredAndAnsiPathsAreChinese) {
    QStringEncoder gbk("GB18030");
    const QByteArray path = gbk.encode(QStringLiteral("D:\\工具\\app.exe"));
    const auto local = ReadLnkShortcut(lnk::Build({path, {}, {}, {}}));
    ASSERT_TRUE(local);
    EXPECT_EQ(local->Target, QStringLiteral("D:\\工具\\app.exe"));
    EXPECT_EQ(local->Params, "");

    const auto network = ReadLnkShortcut(lnk::Build({"Z:\\tool.exe", "\\\\server\\share", "tool.exe", {}}));
    ASSERT_TRUE(network);
    EXPECT_TRUE(network->Target.startsWith("\\\\server\\share")) << network->Target.toStdString();
    EXPECT_TRUE(network->Target.endsWith("tool.exe"));
}

TEST(LnkShortcut, ANetworkPathJoinsTheShareAndTheCommonSuffix) {
    const auto network = ReadLnkLink(lnk::Build({"Z:\\", "\\\\srv\\share", "tools\\a.exe", {}}));
    ASSERT_TRUE(network);
    EXPECT_EQ(network->NetworkPath, "\\\\srv\\share\\tools\\a.exe");
    EXPECT_EQ(network->LocalPath, "Z:\\tools\\a.exe");
    const auto trailing = ReadLnkLink(lnk::Build({{}, "\\\\srv\\share\\", "a.exe", {}}));
    ASSERT_TRUE(trailing);
    EXPECT_EQ(trailing->NetworkPath, "\\\\srv\\share\\a.exe");
    const auto bare = ReadLnkShortcut(lnk::Build({{}, "\\\\srv\\share", {}, {}}));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->Target, "\\\\srv\\share");
}

TEST(LnkShortcut, EveryStringFieldInUnicodeAndInTheAnsiCodePage) {
    for (const bool ansi : {false, true}) {
        lnk::Link built{"C:\\a.exe",
                        {},
                        {},
                        QStringLiteral("-f \"报告.doc\""),
                        QStringLiteral("D:\\工作"),
                        QStringLiteral("C:\\图标.ico")};
        built.AnsiStrings = ansi;
        const auto link = ReadLnkLink(lnk::Build(built));
        ASSERT_TRUE(link) << ansi;
        EXPECT_EQ(link->Arguments, built.Arguments);
        EXPECT_EQ(link->WorkingDir, built.WorkingDir);
        EXPECT_EQ(link->IconLocation, built.IconLocation);
        EXPECT_EQ(link->IconIndex, 2);
        EXPECT_EQ(link->Name, "");
    }
}

TEST(LnkShortcut, TheUnicodeLocationFieldsWinOverTheAnsiOnes) {
    lnk::Link built{"C:\\?\\a.exe", {}, "", {}};
    built.UnicodeLocal = QStringLiteral("C:\\程序\\");
    built.UnicodeSuffix = QStringLiteral("a.exe");
    const auto target = ReadLnkShortcut(lnk::Build(built));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->Target, QStringLiteral("C:\\程序\\a.exe"));
}

TEST(LnkShortcut, TheTargetIdListGivesThePathOfALinkWithoutLinkInfo) {
    const QByteArray list = lnk::MyComputerItem() + lnk::DriveItem("C:\\") +
                            lnk::FileItem("PROGRA~1", QStringLiteral("Program Files"), true) +
                            lnk::FileItem("TOOL.EXE");
    const auto target = ReadLnkShortcut(lnk::Build({{}, {}, {}, "-q", {}, {}, list}));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->Target, "C:\\Program Files\\TOOL.EXE");
    EXPECT_EQ(target->Params, "-q");
    // The location block, when there is one, is what the shell reports.
    const auto both = ReadLnkShortcut(lnk::Build({"C:\\x.exe", {}, {}, {}, {}, {}, list}));
    ASSERT_TRUE(both);
    EXPECT_EQ(both->Target, "C:\\x.exe");
    // A list rooted anywhere but My Computer (the network, a control panel item) names no file.
    QByteArray virtualItem = list;
    virtualItem[2] = 0x2E;
    const auto none = ReadLnkShortcut(lnk::Build({{}, {}, {}, {}, {}, {}, virtualItem}));
    ASSERT_TRUE(none);
    EXPECT_EQ(none->Target, "");
}

TEST(LnkShortcut, ALinkWithoutAFileTargetReadsAsEmpty) {
    const auto target = ReadLnkShortcut(lnk::Build({{}, {}, {}, "--only-arguments"}));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->Target, "");
    EXPECT_EQ(target->Params, "--only-arguments");
}

TEST(LnkShortcut, DamagedBytesAreNotALink) {
    const QByteArray good = lnk::Build({"C:\\a.exe", {}, {}, "x"});
    EXPECT_FALSE(ReadLnkShortcut({}));
    EXPECT_FALSE(ReadLnkShortcut("not a link"));
    EXPECT_FALSE(ReadLnkShortcut(good.left(40)));
    EXPECT_FALSE(ReadLnkShortcut(good.left(90)));
    QByteArray badClsid = good;
    badClsid[5] = 0x7F;
    EXPECT_FALSE(ReadLnkShortcut(badClsid));
}

TEST(LinuxShellShortcuts, RealFilesOfEveryKindByExtensionInAnyCase) {
    QTemporaryDir dir;
    LinuxShell shell;
    TShortcutTarget target;
    ASSERT_TRUE(
        shell.ReadShortcut(WriteFile(dir, "App.LNK", lnk::Build({"C:\\app.exe", {}, {}, "-v"})), target));
    EXPECT_EQ(target.Target, "C:\\app.exe");
    EXPECT_EQ(target.Params, "-v");
    ASSERT_TRUE(shell.ReadShortcut(WriteFile(dir, "网站.Url", "[InternetShortcut]\nURL=https://x.example/\n"),
                                   target));
    EXPECT_EQ(target.Target, "https://x.example/");
    EXPECT_EQ(target.Params, "");
    ASSERT_TRUE(shell.ReadShortcut(WriteFile(dir, "nosection.url", "[Other]\nURL=x\n"), target));
    EXPECT_EQ(target.Target, "");
    // An application entry is launched as itself, so that its trust is checked when it runs.
    const QString entry =
        WriteFile(dir, "ed.desktop", "[Desktop Entry]\nType=Application\nExec=/usr/bin/ed -p %f\n");
    ASSERT_TRUE(shell.ReadShortcut(entry, target));
    EXPECT_EQ(target.Target, entry);
    EXPECT_EQ(target.Params, "");
    ASSERT_TRUE(shell.ReadShortcut(
        WriteFile(dir, "site.desktop", "[Desktop Entry]\nType=Link\nURL=https://x.example/\n"), target));
    EXPECT_EQ(target.Target, "https://x.example/");
}

TEST(LinuxShellShortcuts, MissingOrDamagedFilesAreNotRead) {
    QTemporaryDir dir;
    LinuxShell shell;
    TShortcutTarget target;
    EXPECT_FALSE(shell.ReadShortcut(dir.filePath("absent.lnk"), target));
    EXPECT_FALSE(shell.ReadShortcut(dir.filePath("absent.url"), target));
    EXPECT_FALSE(shell.ReadShortcut(WriteFile(dir, "bad.lnk", "[InternetShortcut]\nURL=x\n"), target));
    EXPECT_FALSE(shell.ReadShortcut(WriteFile(dir, "bad.desktop", "\x01\x02\x03"), target));
    EXPECT_FALSE(shell.ReadShortcut(dir.path(), target));  // a folder named like nothing
    // A FIFO named like a shortcut is not opened: that would wait for a writer for ever.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("pipe.lnk")).constData(), 0600), 0);
    EXPECT_FALSE(shell.ReadShortcut(dir.filePath("pipe.lnk"), target));
}

TEST(LinuxShellShortcuts, AMenuEntryNamesItselfAndOtherFilesHaveNoName) {
    QTemporaryDir dir;
    LinuxShell shell;
    EXPECT_EQ(shell.ShortcutName(WriteFile(
                  dir, "term.Desktop", "[Desktop Entry]\nType=Application\nName= Terminal \nExec=xterm\n")),
              "Terminal");
    EXPECT_EQ(
        shell.ShortcutName(WriteFile(dir, "noname.desktop", "[Desktop Entry]\nType=Application\nExec=x\n")),
        "");
    EXPECT_EQ(shell.ShortcutName(WriteFile(dir, "bad.desktop", "\x01\x02\x03")), "");
    EXPECT_EQ(shell.ShortcutName(WriteFile(dir, "named.txt", "[Desktop Entry]\nName=Not a shortcut\n")), "");
    EXPECT_EQ(shell.ShortcutName(dir.filePath("absent.desktop")), "");
    EXPECT_EQ(ReadDesktopEntryName("[Desktop Entry]\nName=Files\nName[zh_CN]=文件\n"), "Files");  // C locale
}

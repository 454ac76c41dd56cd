// The portable helpers: texts and colours, and the way the machine-facing ones use the shell.

#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "FakePlatformScope.h"
#include "uErrors.h"
#include "uPubFuns.h"

TEST(PubFunsTexts, YesAndNo) {
    EXPECT_EQ(BoolToYesNo(true), QStringLiteral("是"));
    EXPECT_EQ(BoolToYesNo(false), QStringLiteral("否"));
    EXPECT_TRUE(YesNoToBool(QStringLiteral("是")));
    for (const QString& text : {QStringLiteral("否"), QStringLiteral("是 "), QStringLiteral(" 是"), QString(),
                                QStringLiteral("true"), QStringLiteral("1")})
        EXPECT_FALSE(YesNoToBool(text)) << text.toStdString();
}

TEST(PubFunsTexts, ImageExtensionsKeepTheirLetterCase) {
    EXPECT_EQ(GetImageFileExt(IK_Png), ".Png");
    EXPECT_EQ(GetImageFileExt(IK_Ico), ".Ico");
}

TEST(PubFunsTexts, GuidTextsAreBracedUpperCaseAndNew) {
    const QString first = NewGUIDText();
    const QRegularExpression form("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    EXPECT_EQ(first.size(), 38);
    EXPECT_TRUE(form.match(first).hasMatch()) << first.toStdString();
    EXPECT_NE(first, NewGUIDText());
}

TEST(PubFunsColours, ColourWordsBecomeOpaqueTextsRedFirst) {
    EXPECT_EQ(ColorToText(0), "#FF000000");
    EXPECT_EQ(ColorToText(0x000000FF), "#FFFF0000");
    EXPECT_EQ(ColorToText(0x00332211), "#FF112233");
    EXPECT_EQ(ColorToText(0xFF000005), "#FF050000");  // the highest byte is not a colour
    EXPECT_EQ(ColorToText(0x00ABCDEF), "#FFEFCDAB");
}

TEST(PubFunsColours, TextsBecomeColourWordsWithoutTheirAlpha) {
    EXPECT_EQ(TextToColor("#FF112233"), 0x00332211u);
    EXPECT_EQ(TextToColor("#80ABCDEF"), 0x00EFCDABu);
    EXPECT_EQ(TextToColor("#00abcdef"), 0x00EFCDABu);
    // A short text yields shorter pieces, as long as they still form a number.
    EXPECT_EQ(TextToColor("#FF1122"), 0x00002211u);
    for (TColorValue colour : {0x0u, 0x00FFFFFFu, 0x00123456u})
        EXPECT_EQ(TextToColor(ColorToText(colour)), colour);
}

TEST(PubFunsColours, TextsThatAreNotHexadecimalRaise) {
    for (const char* bad : {"", "#FF", "#FFGG0000", "#FF 12345", "#FF-12345", "#FF0x1234", "red"})
        EXPECT_THROW(TextToColor(bad), EConvertError) << bad;
    EXPECT_THROW(TextToColor(QStringLiteral("#FF１２３４５６")), EConvertError);  // full-width digits
}

TEST(PubFunsShell, LaunchesGoToTheShellAndItsAnswerIsTheResult) {
    FakePlatformScope platform;
    auto& shell = platform->ShellFake();
    EXPECT_TRUE(RunFile("/usr/bin/tool", "-a b"));
    shell.LaunchResult = false;
    EXPECT_FALSE(RunFile("https://example.com", ""));
    ASSERT_EQ(shell.Launches.size(), 2u);
    EXPECT_EQ(shell.Launches[0].FileName, "/usr/bin/tool");
    EXPECT_EQ(shell.Launches[0].Params, "-a b");
    EXPECT_EQ(shell.Launches[1].FileName, "https://example.com");
}

TEST(PubFunsShell, WallpaperAndFoldersComeFromTheShell) {
    FakePlatformScope platform;
    auto& shell = platform->ShellFake();
    shell.WallPaperPath = "/pictures/sea.jpg";
    shell.DesktopPath = "/home/u/桌面";
    shell.CommonDesktopPath = "";
    EXPECT_EQ(GetWallPaper(), "/pictures/sea.jpg");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_DESKTOP), "/home/u/桌面");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY), "/home/u/桌面");
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY), "");
    shell.CommonDesktopPath = "/srv/desktop";
    EXPECT_EQ(GetSpecialFolderPath(CSIDL_COMMON_DESKTOPDIRECTORY), "/srv/desktop");
    EXPECT_EQ(GetSpecialFolderPath(0x0005), "");  // a folder the program never asks for
}

TEST(PubFunsShell, OnlyShortcutExtensionsAreReadAndOthersLeaveTheOutputsAlone) {
    FakePlatformScope platform;
    auto& shell = platform->ShellFake();
    shell.Shortcuts["/d/App.LNK"] = {"/opt/app/run", "--fast"};
    shell.Shortcuts["/d/Site.Url"] = {"https://example.com/", ""};
    shell.Shortcuts["/d/Editor.desktop"] = {"/usr/bin/editor", "--new"};
    shell.Shortcuts["/d/notes.txt"] = {"should", "not be read"};

    QString target = "keep", params = "keep";
    EXPECT_FALSE(ResolveShortcut("/d/notes.txt", target, params));
    EXPECT_EQ(target, "keep");
    EXPECT_EQ(params, "keep");
    EXPECT_FALSE(ResolveShortcut("/d/noextension", target, params));
    EXPECT_EQ(target, "keep");

    EXPECT_TRUE(ResolveShortcut("/d/App.LNK", target, params));
    EXPECT_EQ(target, "/opt/app/run");
    EXPECT_EQ(params, "--fast");
    EXPECT_TRUE(ResolveShortcut("/d/Site.Url", target, params));
    EXPECT_EQ(target, "https://example.com/");
    EXPECT_EQ(params, "");
    EXPECT_TRUE(ResolveShortcut("/d/Editor.desktop", target, params));
    EXPECT_EQ(target, "/usr/bin/editor");
}

TEST(PubFunsShell, AShortcutThatCannotBeReadEmptiesBothOutputs) {
    FakePlatformScope platform;
    QString target = "old", params = "old";
    EXPECT_FALSE(ResolveShortcut("/d/broken.lnk", target, params));
    EXPECT_EQ(target, "");
    EXPECT_EQ(params, "");
}

TEST(PubFunsShell, IconExtractionRemovesAnOldIconFileFirst) {
    FakePlatformScope platform;
    auto& shell = platform->ShellFake();
    QTemporaryDir dir;
    const QString icon = dir.filePath("App.Ico");
    {
        QFile old(icon);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old icon");
    }
    shell.ExtractResult = false;  // the shell finds no icon: the old one must not remain
    EXPECT_FALSE(ExtractIconToFile("/d/App.lnk", icon));
    EXPECT_FALSE(QFile::exists(icon));
    ASSERT_EQ(shell.ExtractedIcons.size(), 1u);
    EXPECT_EQ(shell.ExtractedIcons[0].first, "/d/App.lnk");
    EXPECT_EQ(shell.ExtractedIcons[0].second, icon);
    shell.ExtractResult = true;
    EXPECT_TRUE(ExtractIconToFile("/d/App.lnk", icon));
}

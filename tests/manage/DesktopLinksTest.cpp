#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "uDesktopLinks.h"
#include "uMaroviaManage.h"
#include "vgRectangle.h"

namespace {

// Two desktop folders holding real files; the fake shell answers for the shortcuts it was told of.
class DesktopLinks : public ::testing::Test {
protected:
    DesktopLinks() {
        QDir(Folders.path()).mkpath("user");
        QDir(Folders.path()).mkpath("common");
        Fake->ShellFake().DesktopPath = UserDesktop();
        Fake->ShellFake().CommonDesktopPath = CommonDesktop();
    }
    QString UserDesktop() const { return Folders.path() + "/user"; }
    QString CommonDesktop() const { return Folders.path() + "/common"; }
    // Makes a file; a shortcut given a target is one the shell can read.
    QString Make(const QString& folder, const QString& name, const QString& target = {},
                 const QString& params = {}) {
        const QString path = folder + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("shortcut");
        if (!target.isEmpty()) Fake->ShellFake().Shortcuts.insert(path, {target, params});
        return path;
    }
    std::vector<TVGDesktopButton*> Buttons() const {
        std::vector<TVGDesktopButton*> buttons;
        for (TvgObject* child : Panel.ChildList())
            if (auto* b = qobject_cast<TVGDesktopButton*>(child)) buttons.push_back(b);
        return buttons;
    }

    FakePlatformScope Fake;
    InstallationScope Install;
    QTemporaryDir Folders;
    TVGDesktopPanel Panel;
};

TEST_F(DesktopLinks, ListsShortcutsOfTheUserDesktopBeforeTheSharedOne) {
    const QString shared = Make(CommonDesktop(), "Shared.lnk");
    const QString mine = Make(UserDesktop(), "Mine.url");
    const QStringList list = TMaroviaManage::GetDesktopLinkList();
    EXPECT_EQ(list, QStringList({mine, shared}));
}

TEST_F(DesktopLinks, OnlyVisibleShortcutFilesCount) {
    const QString upper = Make(UserDesktop(), "My Tool.LNK");
    const QString dotted = Make(UserDesktop(), ".Hidden.lnk");
    Make(UserDesktop(), "notes.txt");
    Make(UserDesktop(), "lnk");
    QDir(UserDesktop()).mkpath("Folder.lnk");
    QStringList expected{upper};
#ifdef Q_OS_WIN
    // Windows hides a file by its attribute, not by a leading dot.
    expected << dotted;
#endif
    QStringList list = TMaroviaManage::GetDesktopLinkList();
    list.sort();
    expected.sort();
    EXPECT_EQ(list, expected);
}

TEST_F(DesktopLinks, ALinkToAShortcutIsFollowedADanglingOneIsNot) {
    const QString real = Make(Folders.path(), "elsewhere.lnk");
    ASSERT_TRUE(QFile::link(real, UserDesktop() + "/Linked.lnk"));
    ASSERT_TRUE(QFile::link(Folders.path() + "/gone.lnk", UserDesktop() + "/Dangling.lnk"));
    QStringList expected{UserDesktop() + "/Linked.lnk"};
#ifdef Q_OS_WIN
    // Links there are shell shortcuts: files of their own, whatever they point at.
    expected << UserDesktop() + "/Dangling.lnk";
#endif
    QStringList list = TMaroviaManage::GetDesktopLinkList();
    list.sort();
    expected.sort();
    EXPECT_EQ(list, expected);
}

// What the desktop shows: a shell shortcut to a folder, or to a program that has been removed,
// is a shortcut all the same (the shell decides whether it can be read). A symbolic link counts
// as what it points at: a folder, or nothing.
TEST_F(DesktopLinks, ShellShortcutsCountWhateverTheyPointAtSymbolicLinksAsTheirTarget) {
    const QString folder = Folders.path() + "/a folder";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString toFolder = UserDesktop() + "/To Folder.lnk";
    const QString toMissing = UserDesktop() + "/Removed Tool.lnk";
    ASSERT_TRUE(QFile::link(folder, toFolder));
    ASSERT_TRUE(QFile::link(Folders.path() + "/removed tool.exe", toMissing));
    QStringList expected;
#ifdef Q_OS_WIN
    EXPECT_TRUE(QFileInfo(toFolder).isShortcut());
    expected << toFolder << toMissing;
#endif
    QStringList list = TMaroviaManage::GetDesktopLinkList();
    list.sort();
    expected.sort();
    EXPECT_EQ(list, expected);
}

TEST_F(DesktopLinks, MissingFoldersGiveAnEmptyListNotTheRootFolder) {
    Fake->ShellFake().DesktopPath = Folders.path() + "/none";
    Fake->ShellFake().CommonDesktopPath.clear();
    EXPECT_TRUE(TMaroviaManage::GetDesktopLinkList().isEmpty());
}

TEST_F(DesktopLinks, EachReadableShortcutBecomesALaunchButton) {
    const QString tool = Make(UserDesktop(), "My Tool.LNK", "/opt/tool/run", "--fast");
    Make(UserDesktop(), "Broken.lnk");  // the shell cannot read it
    Make(CommonDesktop(), "Home Page.url", "https://example.org/");
    EXPECT_EQ(LoadDesktopLinksInto(Panel), 2);

    const auto buttons = Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    TVGDesktopButton* first = buttons[0];
    EXPECT_EQ(first->ButtonName(), "my tool");
    EXPECT_EQ(first->FileName(), "/opt/tool/run");
    EXPECT_EQ(first->CmdLine(), "--fast");
    EXPECT_FALSE(first->IsRunAsk());
    EXPECT_EQ(first->Place(), BP_Desktop);
    EXPECT_TRUE(first->IsDesktopLink());
    EXPECT_EQ(first->ImageFile(), PathInfo->TempImagePath() + "my tool.Ico");
    EXPECT_EQ(buttons[1]->ButtonName(), "home page");
    EXPECT_EQ(buttons[1]->FileName(), "https://example.org/");
    EXPECT_TRUE(buttons[1]->CmdLine().isEmpty());

    // Icons are taken from the shortcut file itself, only for shortcuts that resolved.
    const auto& icons = Fake->ShellFake().ExtractedIcons;
    ASSERT_EQ(icons.size(), 2u);
    EXPECT_EQ(icons[0].first, tool);
    EXPECT_EQ(icons[0].second, PathInfo->TempImagePath() + "my tool.Ico");
}

TEST_F(DesktopLinks, TheSameNameOnBothDesktopsGivesTwoButtonsSharingOneIconFile) {
    Make(UserDesktop(), "Editor.lnk", "/usr/bin/a");
    Make(CommonDesktop(), "editor.lnk", "/usr/bin/b");
    LoadDesktopLinksInto(Panel);
    const auto buttons = Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->ButtonName(), buttons[1]->ButtonName());
    EXPECT_EQ(buttons[0]->ImageFile(), buttons[1]->ImageFile());
    EXPECT_NE(buttons[0]->FileName(), buttons[1]->FileName());
}

TEST_F(DesktopLinks, DoubleClickRunsTheTargetWithoutAsking) {
    Make(UserDesktop(), "Tool.lnk", "/opt/tool/run", "-x");
    LoadDesktopLinksInto(Panel);
    ASSERT_EQ(Buttons().size(), 1u);
    Buttons()[0]->BackGround()->DblClick();
    ASSERT_EQ(Fake->ShellFake().Launches.size(), 1u);
    EXPECT_EQ(Fake->ShellFake().Launches[0].FileName, "/opt/tool/run");
    EXPECT_EQ(Fake->ShellFake().Launches[0].Params, "-x");
    EXPECT_TRUE(Fake->Messages().empty());
}

}  // namespace

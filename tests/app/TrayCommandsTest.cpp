#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGDesktopPanel.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "uTakeNoteManage.h"
#include "uXmlTakeNote.h"
#include "ufrmManageButton.h"
#include "ufrmMarovia.h"
#include "ufrmWindowPanel.h"
#include "vgButton.h"
#include "vg_Marovia.h"

namespace {

int LoadTakeNotesCount(const QString& file) {
    return LoadTakeNotes(file)->Count();
}

class TrayCommands : public ::testing::Test {
protected:
    TrayCommands() {
        platform->SetScreenSize(QSize(1600, 900));
        platform->SetWorkArea(QRect(0, 0, 1600, 860));
        form = std::make_unique<TfrmMarovia>();
        form->Show();
        platform->Advance(50);
    }
    IPopupMenu& Tray() { return *form->TrayMenu(); }
    TPopupMenuItem& Item(TfrmMarovia::TTrayItem item) {
        return Tray().Items()[static_cast<std::size_t>(item)];
    }
    int IndexOf(const QString& caption) {
        for (std::size_t i = 0; i < Tray().Items().size(); ++i)
            if (Tray().Items()[i].Caption == caption) return static_cast<int>(i);
        return -1;
    }
    FakeTrayIcon& Icon() { return *platform->TrayIcons().front(); }

    FakePlatformScope platform;
    InstallationScope install;
    std::unique_ptr<TfrmMarovia> form;
};

}  // namespace

TEST_F(TrayCommands, TheMenuHasItsItemsInOrderAndTheIconItsTitle) {
    std::vector<QString> captions;
    for (const TPopupMenuItem& item : Tray().Items()) captions.push_back(item.Caption);
    EXPECT_EQ(captions,
              (std::vector<QString>{"管理按钮", "显示Dock", "显示侧边栏", "打开桌面快捷方式", "-",
                                    "独立侧边栏区域", "开机启动", "退出时还原桌面大小", "-", "恢复备份",
                                    "撤销删除便签", "导出工作区", "导入工作区", "-", "帮助", "退出程序"}));
    EXPECT_EQ(Item(TfrmMarovia::nRestoreBackup).Caption, "恢复备份");
    EXPECT_EQ(Item(TfrmMarovia::nExitApp).Caption, "退出程序");
    EXPECT_FALSE(Item(TfrmMarovia::nLoadDesktopLink).Visible);
    EXPECT_FALSE(Item(TfrmMarovia::nRestoreScreen).Enabled);
    EXPECT_FALSE(Item(TfrmMarovia::nAloneWindowRect).Checked);
    EXPECT_TRUE(Icon().Visible);
    EXPECT_EQ(Icon().ToolTip, "Marovia");
    EXPECT_EQ(Icon().Menu, form->TrayMenu());
}

TEST(TrayIcon, IsMadeAfterTheFirstFrameAndNotOnceTheFormIsGone) {
    FakePlatformScope platform;
    InstallationScope install;
    ASSERT_TRUE(QDir().mkpath(PathInfo->ImagesPath()));
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(QColor(10, 120, 240));
    ASSERT_TRUE(picture.save(PathInfo->ImagesPath() + "Marovia.png"));
    std::uint64_t framesWhenMade = 0;
    auto form = std::make_unique<TfrmMarovia>();
    platform->SetOnCreateTrayIcon(
        [&] { framesWhenMade = form->DesktopPanel()->HostWindow()->PresentedFrames(); });
    form->Show();
    // Nothing of the tray before the loop runs; the menu is there.
    EXPECT_EQ(form->TrayIcon(), nullptr);
    EXPECT_TRUE(platform->TrayIcons().empty());
    ASSERT_NE(form->TrayMenu(), nullptr);
    platform->RunPosted();
    ASSERT_EQ(platform->TrayIcons().size(), 1u);
    EXPECT_EQ(framesWhenMade, 1u);  // the first frame had been presented
    const FakeTrayIcon& icon = *platform->TrayIcons().front();
    EXPECT_EQ(form->TrayIcon(), &icon);
    EXPECT_TRUE(icon.Visible);
    EXPECT_EQ(icon.ToolTip, "Marovia");
    EXPECT_EQ(icon.Menu, form->TrayMenu());
    ASSERT_EQ(icon.Icon.size(), QSize(16, 16));
    EXPECT_EQ(icon.Icon.pixel(8, 8), qRgb(10, 120, 240));
    EXPECT_TRUE(icon.OnDoubleClick);
    form->Show();  // shown again: still the one icon
    platform->RunPosted();
    EXPECT_EQ(platform->TrayIcons().size(), 1u);

    // A form gone before its loop ran makes none.
    platform->SetOnCreateTrayIcon(nullptr);
    form = std::make_unique<TfrmMarovia>();
    form->Show();
    form.reset();
    platform->RunPosted();
    EXPECT_EQ(platform->TrayIcons().size(), 1u);
}

TEST_F(TrayCommands, StartAtLoginAsksTheShellAndTheMarkShowsWhatTheShellSays) {
    FakeShell& shell = platform->ShellFake();
    EXPECT_FALSE(Item(TfrmMarovia::nAutoStart).Checked);
    Tray().Click(TfrmMarovia::nAutoStart);
    EXPECT_TRUE(shell.AutoStart);
    EXPECT_EQ(shell.AutoStartProgram, QCoreApplication::applicationFilePath());
    EXPECT_TRUE(Item(TfrmMarovia::nAutoStart).Checked);

    shell.AutoStart = false;  // removed behind the program's back
    Tray().Popup(QPoint(10, 10));
    EXPECT_FALSE(Item(TfrmMarovia::nAutoStart).Checked);

    shell.AutoStartResult = false;  // the entry cannot be written
    Tray().Click(TfrmMarovia::nAutoStart);
    EXPECT_FALSE(Item(TfrmMarovia::nAutoStart).Checked);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Title, "提示");

    shell.AutoStartResult = true;
    shell.AutoStart = true;
    Tray().Popup(QPoint(10, 10));
    Tray().Click(TfrmMarovia::nAutoStart);  // ticked → unticked: off
    EXPECT_FALSE(shell.AutoStart);
    EXPECT_FALSE(Item(TfrmMarovia::nAutoStart).Checked);
}

TEST_F(TrayCommands, ShowDockFromTheTrayFollowsTheItemAndOpeningTheMenuRefreshesTheMarks) {
    MaroviaManage->SetIsShowDock(false);
    Item(TfrmMarovia::nShowDock).Checked = false;
    Tray().Click(TfrmMarovia::nShowDock);  // auto-check turns the mark on, then the dock follows it
    EXPECT_TRUE(MaroviaManage->IsShowDock());
    MaroviaManage->SetIsShowSideBar(false);
    Tray().Popup(QPoint(10, 10));
    EXPECT_TRUE(Item(TfrmMarovia::nShowDock).Checked);
    EXPECT_FALSE(Item(TfrmMarovia::nShowSideBar).Checked);
}

TEST_F(TrayCommands, SceneCommandsToggleOrFollowTheSceneWhateverTheMarks) {
    const bool dock = MaroviaManage->IsShowDock();
    form->HandleBuildInEvent(nullptr, MVC_ShowDock);
    EXPECT_EQ(MaroviaManage->IsShowDock(), !dock);
    form->HandleBuildInEvent(nullptr, MVC_ShowSideBar);
    EXPECT_FALSE(MaroviaManage->IsShowSideBar());

    form->HandleBuildInEvent(nullptr, MVC_ShowDesktopPanel);  // hidden → slides in
    EXPECT_TRUE(MaroviaManage->IsShowDesktop());
    EXPECT_TRUE(form->BtnDesktopPc()->Enabled());
    EXPECT_FALSE(form->BtnMarovia()->Enabled());
    platform->Advance(700);
    form->HandleBuildInEvent(nullptr, MVC_ShowDesktopPanel);  // shown → slides out
    EXPECT_FALSE(form->BtnDesktopPc()->Enabled());
    EXPECT_TRUE(form->BtnMarovia()->Enabled());
    platform->Advance(700);
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());

    form->HandleBuildInEvent(nullptr, MVC_DesktopAttribute);
    EXPECT_EQ(platform->ShellFake().DisplaySettingsOpened, 1);
    form->HandleBuildInEvent(nullptr, static_cast<TMVSysCommand>(200));  // unknown: nothing
}

TEST_F(TrayCommands, TheDesktopMenuOpeningSyncsOnlyTheItemsTaggedDockAndSideBar) {
    IPopupMenu& menu = *MaroviaManage->DesktopPanel()->Menu();
    std::vector<bool> before;
    for (TPopupMenuItem& item : menu.Items()) {
        item.Checked = !(item.Tag == MVC_ShowDock || item.Tag == MVC_ShowSideBar);
        before.push_back(item.Checked);
    }
    MaroviaManage->SetIsShowDock(true);
    MaroviaManage->SetIsShowSideBar(true);
    form->HandleBuildInEvent(MaroviaManage->DesktopPanel(), MVC_DesktopMenuPopup);
    for (std::size_t i = 0; i < menu.Items().size(); ++i) {
        const TPopupMenuItem& item = menu.Items()[i];
        if (item.Tag == MVC_ShowDock || item.Tag == MVC_ShowSideBar)
            EXPECT_TRUE(item.Checked) << item.Caption.toStdString();
        else
            EXPECT_EQ(item.Checked, before[i]) << item.Caption.toStdString();
    }
}

TEST_F(TrayCommands, ANewNoteLandsFiftyPixelsUpAndLeftOfThePointer) {
    platform->SetCursorPos(QPoint(30, 20));
    form->HandleBuildInEvent(nullptr, MVC_CreateTakeNote);
    TTakeNoteManage* store = MaroviaManage->TakeNoteManage();
    ASSERT_EQ(store->Count(), 1);
    EXPECT_EQ(store->Item(0)->Left, -20);
    EXPECT_EQ(store->Item(0)->Top, -30);
}

TEST_F(TrayCommands, TheSideBarStripIsReservedAndGivenBackAtOnceAndAtExit) {
    Tray().Click(TfrmMarovia::nAloneWindowRect);
    EXPECT_TRUE(Item(TfrmMarovia::nRestoreScreen).Enabled);
    EXPECT_EQ(platform->ReservedStrips(), std::vector<int>{43});
    Tray().Click(TfrmMarovia::nAloneWindowRect);
    EXPECT_FALSE(Item(TfrmMarovia::nRestoreScreen).Enabled);
    EXPECT_EQ(platform->ReservedStrips(), (std::vector<int>{43, 0}));

    Tray().Click(TfrmMarovia::nAloneWindowRect);  // on again; "退出时还原桌面大小" left unticked
    form.reset();
    EXPECT_EQ(platform->ReservedStrips(), (std::vector<int>{43, 0, 43, 0}));
}

TEST_F(TrayCommands, ExitingWithoutTheReservationLeavesTheWorkAreaAlone) {
    form.reset();
    EXPECT_TRUE(platform->ReservedStrips().empty());
}

TEST_F(TrayCommands, ExitEndsTheLoopAndHelpOpensTheHomePage) {
    Tray().Click(TfrmMarovia::nHelp);
    ASSERT_EQ(platform->ShellFake().Launches.size(), 1u);
    EXPECT_EQ(platform->ShellFake().Launches[0].FileName, QString::fromLatin1(MaroviaHomePage));
    Tray().Click(TfrmMarovia::nExitApp);
    EXPECT_EQ(platform->QuitRequests(), 1);
}

TEST_F(TrayCommands, WithoutANotificationAreaTheSwitchOffersTheMenu) {
    FakeHostWindow& window = *platform->HostWindows().front();
    const TvgRect segment = form->BtnMarovia()->AbsoluteRect();
    const QPointF centre((segment.Left + segment.Right) / 2, (segment.Top + segment.Bottom) / 2);
    auto& menu = static_cast<FakePopupMenu&>(Tray());
    window.Click(TMouseButton::mbRight, centre);
    EXPECT_EQ(menu.PopupCount(), 0);  // the tray icon is there: no second way needed
    Icon().Available = false;
    window.Click(TMouseButton::mbRight, centre);
    EXPECT_EQ(menu.PopupCount(), 1);
}

TEST_F(TrayCommands, TheManageDialogAndTheDesktopFileWindowOpenOnceAndGoWithTheForm) {
    Icon().OnDoubleClick();
    TfrmManageButton* dialog = ManageButtonForm();
    ASSERT_NE(dialog, nullptr);
    Icon().OnDoubleClick();  // the same dialog comes forward, no second one
    EXPECT_EQ(ManageButtonForm(), dialog);
    form->HandleBuildInEvent(nullptr, MVC_DockPanelManage);
    EXPECT_EQ(ManageButtonForm(), dialog);

    form->HandleBuildInEvent(MaroviaManage->DesktopPanel(), MVC_ShowDesktopFile);
    ASSERT_NE(frmWindowPanel, nullptr);
    TfrmWindowPanel* window = frmWindowPanel;
    form->HandleBuildInEvent(MaroviaManage->DesktopPanel(), MVC_LoadDesktopLink);
    EXPECT_EQ(frmWindowPanel, window);

    form.reset();
    EXPECT_EQ(ManageButtonForm(), nullptr);
    EXPECT_EQ(frmWindowPanel, nullptr);
}

TEST_F(TrayCommands, AWorkspaceThatCannotBeImportedIsNamedWithTheSystemsSeparators) {
    const QString missing = install.Folder() + "/gone/workspace.xml";
    platform->ScriptOpenFileName(missing);
    platform->ClearMessages();
    Tray().Click(IndexOf("导入工作区"));
    ASSERT_EQ(platform->Messages().size(), 1u);
    const QString text = platform->Messages()[0].Text;
    EXPECT_TRUE(text.startsWith("导入工作区失败！错误信息如下：\r\n")) << text.toStdString();
    // Unchanged on Linux; backslashes throughout on Windows.
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(missing) + ": ")) << text.toStdString();
#ifdef Q_OS_WIN
    EXPECT_FALSE(text.contains("/gone/")) << text.toStdString();
#endif
}

// "删除便签" can be taken back from the tray, and every save leaves the version it replaced in
// "恢复备份", which puts it back and shows it.
TEST_F(TrayCommands, ADeletedNoteComesBackAndAnEarlierVersionCanBeRestored) {
    TTakeNoteManage& store = *MaroviaManage->TakeNoteManage();
    MaroviaManage->CreateNewTakeNote(10, 10);
    store.Item(0)->Content = "first";
    MaroviaManage->CreateNewTakeNote(20, 20);  // saves "first"; the one-note file becomes a version
    const int undo = IndexOf("撤销删除便签");
    const int restore = IndexOf("恢复备份");
    Tray().Popup(QPoint(1, 1));
    EXPECT_FALSE(Tray().Items()[static_cast<std::size_t>(undo)].Enabled);

    store.Delete(store.Item(0));
    ASSERT_EQ(store.Count(), 1);
    Tray().Popup(QPoint(1, 1));
    ASSERT_TRUE(Tray().Items()[static_cast<std::size_t>(undo)].Enabled);
    Tray().Click(undo);
    ASSERT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Item(1)->Content, "first");
    EXPECT_EQ(LoadTakeNotesCount(install.Paths().TakeNoteConfigFile()), 2);
    Tray().Popup(QPoint(1, 1));
    EXPECT_FALSE(Tray().Items()[static_cast<std::size_t>(undo)].Enabled);  // taken back only once

    // Newest first: the version before the undo held one note.
    const auto& versions = Tray().Items()[static_cast<std::size_t>(restore)].Items;
    ASSERT_GE(versions.size(), 3u);
    EXPECT_TRUE(versions[0].Caption.startsWith("便签 ")) << versions[0].Caption.toStdString();
    Tray().ClickSubItem(restore, 0);
    platform->RunPosted();
    EXPECT_EQ(store.Count(), 1);
    EXPECT_EQ(LoadTakeNotesCount(install.Paths().TakeNoteConfigFile()), 1);
    EXPECT_TRUE(platform->Messages().empty());
    // The state before the restore is itself a version now.
    Tray().Popup(QPoint(1, 1));
    Tray().ClickSubItem(restore, 0);
    EXPECT_EQ(store.Count(), 2);
}

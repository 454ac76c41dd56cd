// "应用" and "确定": the file written, the pictures deleted, the scene rebuilt.

#include "DialogFixture.h"
#include "uManageButtonModel.h"

namespace {

class ManageButtonApply : public DialogFixture {
protected:
    void Select(int row) {
        model.SetItemIndex(row);
        model.LvButtonsClick();
    }
    void DeleteSelected(int row) {
        Select(row);
        model.BtnDeleteClick();
    }

    TManageButtonModel model{manage};
};

TEST_F(ManageButtonApply, WritesEveryRowInListOrderAndRebuildsTheScene) {
    WritePicture(PlanPath() + "{9}.Png", Qt::red);
    // Paths read from the file are written back as they were, whatever separators they use.
    WritePlan(
        {{"Side", "0", "true", "/bin/s", "-a & <b>", "{9}.Png"}, {"Dock", "1", "false", "C:/Tools/d.exe"}});
    model.LoadButtonList();
    Select(1);
    model.BtnupMoveClick();
    model.SetName("Web");
    model.SetFileName("http://example.org/?a=1&b=\"2\"");
    model.SetPlaceIndex(2);
    model.SetSaveMode(SM_Add);
    model.BtnWorkOkClick();
    model.Apply();

    EXPECT_EQ(ReadPlan(),
              (std::vector<TWritten>{{"Dock", 1, false, "C:/Tools/d.exe", "", ""},
                                     {"Side", 0, true, "/bin/s", "-a & <b>", "{9}.Png"},
                                     {"Web", 2, false, "http://example.org/?a=1&b=\"2\"", "", ""}}));
    EXPECT_EQ(SceneNames(), (std::vector<QString>{"Win桌面文件", "Dock", "Side", "Web"}));
    EXPECT_FALSE(model.ApplyEnabled());
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(ManageButtonApply, EveryButtonCarriesTheSixAttributesInOrder) {
    WritePlan({{"A"}});
    model.LoadButtonList();
    model.Apply();
    QFile file(manage.CurrentPlanConfigFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(
        xml.contains("<MVButton Name=\"A\" Place=\"0\" IsRunAsk=\"false\" FileName=\"/usr/bin/true\" "
                     "CmdLine=\"\" Image=\"\""))
        << xml.toStdString();
}

TEST_F(ManageButtonApply, AnEmptyListWritesAnEmptyRootAndLeavesOnlyTheSystemButton) {
    WritePlan({{"A"}, {"B"}});
    model.LoadButtonList();
    DeleteSelected(0);
    DeleteSelected(0);
    model.Apply();
    const QByteArray bytes = Bytes(manage.CurrentPlanConfigFile());
    EXPECT_FALSE(bytes.contains("MVButtons")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("<Desktop")) << bytes.constData();
    EXPECT_EQ(SceneNames(), std::vector<QString>{"Win桌面文件"});
}

TEST_F(ManageButtonApply, DesktopShortcutButtonsAreNotWrittenAndVanishFromTheScene) {
    WritePlan({{"A"}, {"Link"}});
    manage.GetButton(2)->SetIsDesktopLink(true);
    model.LoadButtonList();
    model.Apply();
    EXPECT_EQ(SceneNames(), (std::vector<QString>{"Win桌面文件", "A"}));
}

TEST_F(ManageButtonApply, DeletesThePicturesOfRemovedButtonsAndEmptiesTheQueue) {
    WritePicture(PlanPath() + "{1}.Png", Qt::red);
    WritePicture(PlanPath() + "{2}.Png", Qt::blue);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}, {"B", "0", "false", "/bin/b", "", "{2}.Png"}});
    model.LoadButtonList();
    DeleteSelected(0);
    model.Apply();
    EXPECT_FALSE(QFileInfo::exists(PlanPath() + "{1}.Png"));
    EXPECT_TRUE(QFileInfo::exists(PlanPath() + "{2}.Png"));
    EXPECT_TRUE(model.TempImageList().isEmpty());
    EXPECT_EQ(ReadPlan(), (std::vector<TWritten>{{"B", 0, false, "/bin/b", "", "{2}.Png"}}));
}

TEST_F(ManageButtonApply, NeverDeletesAFileOutsideThePlanFolderWhateverTheNameSays) {
    const QString outside = install.Folder() + "/precious.png";
    WritePicture(outside, Qt::red);
    const QString sibling = install.Folder() + "/Data/other.png";
    WritePicture(sibling, Qt::red);
    WritePlan({{"Up", "0", "false", "/bin/a", "", "../../precious.png"},
               {"Side", "0", "false", "/bin/b", "", "../other.png"}});
    model.LoadButtonList();
    ASSERT_EQ(model.Row(0).ImagePath, PlanPath() + "../../precious.png");
    DeleteSelected(0);
    DeleteSelected(0);
    model.Apply();
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(QFileInfo::exists(sibling));
}

TEST_F(ManageButtonApply, APictureStillNamedByARowIsKeptEvenWhenQueued) {
    // Two buttons of a hand-written file share one picture; removing one keeps it for the other.
    WritePicture(PlanPath() + "shared.Png", Qt::red);
    WritePlan(
        {{"A", "0", "false", "/bin/a", "", "shared.Png"}, {"B", "0", "false", "/bin/b", "", "shared.Png"}});
    model.LoadButtonList();
    DeleteSelected(0);
    model.Apply();
    EXPECT_TRUE(QFileInfo::exists(PlanPath() + "shared.Png"));
    EXPECT_EQ(ReadPlan()[0].Image, "shared.Png");
}

TEST_F(ManageButtonApply, AFailedSaveIsReportedKeepsTheQueueAndDeletesNothing) {
    WritePicture(PlanPath() + "{1}.Png", Qt::red);
    WritePlan({{"A", "0", "false", "/bin/a", "", "{1}.Png"}, {"B"}});
    model.LoadButtonList();
    DeleteSelected(0);
    // A folder where the file should be: the save cannot replace it.
    ASSERT_TRUE(QFile::remove(manage.CurrentPlanConfigFile()));
    ASSERT_TRUE(QDir().mkdir(manage.CurrentPlanConfigFile()));
    platform->ClearMessages();

    EXPECT_FALSE(model.BtnApplyClick());
    ASSERT_FALSE(platform->Messages().empty());
    const TRecordedMessage& message = platform->Messages().back();
    EXPECT_TRUE(message.Text.startsWith("应用失败！错误信息如下：\r\n")) << message.Text.toStdString();
    EXPECT_EQ(message.Title, "提示");
    EXPECT_TRUE(QFileInfo::exists(PlanPath() + "{1}.Png"));
    EXPECT_EQ(model.TempImageList(), QStringList{PlanPath() + "{1}.Png"});
    EXPECT_TRUE(model.ApplyEnabled());
    EXPECT_THROW(model.Apply(), std::exception);

    // Once the file can be written again, the next "应用" finishes the job.
    ASSERT_TRUE(QDir().rmdir(manage.CurrentPlanConfigFile()));
    platform->ClearMessages();
    EXPECT_TRUE(model.BtnApplyClick());
    EXPECT_FALSE(QFileInfo::exists(PlanPath() + "{1}.Png"));
    EXPECT_EQ(SceneNames(), (std::vector<QString>{"Win桌面文件", "B"}));
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(ManageButtonApply, OkAppliesPendingChangesAndClosesOnlyWhenThatWorked) {
    WritePlan({{"A"}, {"B"}});
    model.LoadButtonList();
    EXPECT_TRUE(model.BtnOkClick());  // nothing to apply: closes, file untouched
    EXPECT_EQ(ReadPlan().size(), 2u);

    DeleteSelected(0);
    ASSERT_TRUE(QFile::remove(manage.CurrentPlanConfigFile()));
    ASSERT_TRUE(QDir().mkdir(manage.CurrentPlanConfigFile()));
    EXPECT_FALSE(model.BtnOkClick());
    ASSERT_TRUE(QDir().rmdir(manage.CurrentPlanConfigFile()));
    EXPECT_TRUE(model.BtnOkClick());
    EXPECT_EQ(ReadPlan(), (std::vector<TWritten>{{"B", 0, false, "/usr/bin/true", "", ""}}));
    EXPECT_FALSE(model.ApplyEnabled());
}

}  // namespace

// A bad Place in entry 4 of 10: the nine others load, "应用" writes all nine, and the damaged
// original stays beside the new file.
TEST_F(ManageButtonApply, AfterADamagedEntryApplyWritesEveryReadableButtonAndTheCopyStays) {
    std::vector<TEntry> entries;
    for (int i = 1; i <= 10; ++i) entries.push_back({QStringLiteral("B%1").arg(i), i == 4 ? "x" : "0"});
    WritePlan(entries);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.contains("第4个按钮“B4”"));
    model.LoadButtonList();
    EXPECT_EQ(model.RowCount(), 9);
    model.EnableApply();
    ASSERT_TRUE(model.BtnApplyClick());
    EXPECT_EQ(ReadPlan().size(), 9u);
    const QStringList copies = QDir(PlanPath()).entryList({"Desktop.xml.unreadable-*"}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    QFile copy(PlanPath() + copies[0]);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_TRUE(copy.readAll().contains("Name=\"B4\" Place=\"x\""));
}

// Opening the dialog and clicking its list.

#include "DialogFixture.h"
#include "uManageButtonModel.h"

namespace {

class ManageButtonLoad : public DialogFixture {
protected:
    TManageButtonModel model{manage};
};

TEST_F(ManageButtonLoad, RowsMirrorThePlansButtonsWithoutTheSystemButtonOrDesktopLinks) {
    WritePicture(PlanPath() + "a.Png", Qt::red);
    WritePlan({{"Editor", "0", "true", "/usr/bin/editor", "-n"},
               {"Mail", "1", "false", "/usr/bin/mail", "", "a.Png"},
               {"Home", "2", "false", "http://example.org"},
               {"Link", "2"}});
    // An imported desktop shortcut lives in the scene but is not one of the plan's buttons.
    manage.GetButton(4)->SetIsDesktopLink(true);
    model.LoadButtonList();

    ASSERT_EQ(model.RowCount(), 3);
    const TButtonRow& editor = model.Row(0);
    EXPECT_EQ(editor.Caption, "Editor");
    EXPECT_EQ(editor.PlaceText, "侧边栏");
    EXPECT_EQ(editor.RunAskText, "是");
    EXPECT_EQ(editor.FileName, "/usr/bin/editor");
    EXPECT_EQ(editor.CmdLine, "-n");
    EXPECT_FALSE(editor.Picture);
    EXPECT_TRUE(editor.ImagePath.isEmpty());

    const TButtonRow& mail = model.Row(1);
    EXPECT_EQ(mail.PlaceText, "Dock");
    EXPECT_EQ(mail.RunAskText, "否");
    ASSERT_TRUE(mail.Picture);
    EXPECT_EQ(mail.Picture->Image().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(mail.ImagePath, PlanPath() + "a.Png");
    EXPECT_EQ(model.Row(2).PlaceText, "Marovia");

    EXPECT_EQ(model.ItemIndex(), -1);
    EXPECT_FALSE(model.ApplyEnabled());
    EXPECT_FALSE(model.RowButtonsEnabled());
    EXPECT_EQ(model.SaveMode(), SM_Add);
}

TEST_F(ManageButtonLoad, AnUnreadableOrMissingPictureLeavesTheRowWithoutIconOrPath) {
    QFile broken(PlanPath() + "broken.Png");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    WritePlan({{"Broken", "0", "false", "/bin/a", "", "broken.Png"},
               {"Missing", "0", "false", "/bin/b", "", "gone.Png"},
               {"NoImage", "0", "false", "/bin/c", "", ""}});
    model.LoadButtonList();
    ASSERT_EQ(model.RowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(model.Row(i).Picture) << i;
        // An empty Image names the plan folder itself, which is no picture either.
        EXPECT_TRUE(model.Row(i).ImagePath.isEmpty()) << i;
    }
}

TEST_F(ManageButtonLoad, WithoutAPlanFileTheListStaysEmpty) {
    manage.LoadFromFile();
    model.LoadButtonList();
    EXPECT_EQ(model.RowCount(), 0);
}

TEST_F(ManageButtonLoad, ClickingARowFillsTheFieldsAndSwitchesToEdit) {
    WritePicture(PlanPath() + "p.Png", Qt::blue);
    WritePlan({{"A", "0"}, {"B", "2", "true", "/opt/b", "--x", "p.Png"}});
    model.LoadButtonList();
    model.SetItemIndex(1);
    model.LvButtonsClick();
    EXPECT_EQ(model.Name(), "B");
    EXPECT_EQ(model.PlaceIndex(), 2);
    EXPECT_TRUE(model.RunAsk());
    EXPECT_EQ(model.FileName(), "/opt/b");
    EXPECT_EQ(model.CmdLine(), "--x");
    ASSERT_TRUE(model.Picture());
    EXPECT_EQ(model.Picture()->Image().pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(model.SaveMode(), SM_Edit);
    EXPECT_TRUE(model.RowButtonsEnabled());

    // A row without a picture removes the icon shown before.
    model.SetItemIndex(0);
    model.LvButtonsClick();
    EXPECT_EQ(model.Name(), "A");
    EXPECT_FALSE(model.Picture());
}

TEST_F(ManageButtonLoad, ClickingBesideTheRowsClearsTheFieldsAndSwitchesToAdd) {
    WritePicture(PlanPath() + "p.Png", Qt::blue);
    WritePlan({{"B", "2", "true", "/opt/b", "--x", "p.Png"}});
    model.LoadButtonList();
    model.SetItemIndex(0);
    model.LvButtonsClick();
    model.SetItemIndex(-1);
    model.LvButtonsClick();
    EXPECT_EQ(model.SaveMode(), SM_Add);
    EXPECT_TRUE(model.Name().isEmpty());
    EXPECT_TRUE(model.FileName().isEmpty());
    EXPECT_TRUE(model.CmdLine().isEmpty());
    EXPECT_EQ(model.PlaceIndex(), 0);
    EXPECT_FALSE(model.RunAsk());
    EXPECT_FALSE(model.Picture());
    EXPECT_FALSE(model.RowButtonsEnabled());
}

TEST(ManageButtonText, TrimTakesBlanksAndControlCharactersOnly) {
    EXPECT_EQ(TrimText(" \t名称\r\n "), "名称");
    EXPECT_EQ(TrimText("\u3000名\u3000"), "\u3000名\u3000");
    EXPECT_EQ(TrimText("   "), "");
    EXPECT_EQ(TrimText("a b"), "a b");
}

}  // namespace

// Reordering and deleting rows.

#include "DialogFixture.h"
#include "uManageButtonModel.h"

namespace {

class ManageButtonList : public DialogFixture {
protected:
    void SetUp() override {
        WritePicture(PlanPath() + "b.Png", Qt::red);
        WritePlan({{"A"}, {"B", "1", "true", "/bin/b", "", "b.Png"}, {"C"}});
        model.LoadButtonList();
        model.SetOnFocusField([this](TManageField field) { focused.push_back(field); });
    }
    void Select(int row) {
        model.SetItemIndex(row);
        model.LvButtonsClick();
    }
    std::vector<QString> Captions() const {
        std::vector<QString> captions;
        for (int i = 0; i < model.RowCount(); ++i) captions.push_back(model.Row(i).Caption);
        return captions;
    }

    TManageButtonModel model{manage};
    std::vector<TManageField> focused;
};

TEST_F(ManageButtonList, MovingSwapsWholeRowsAndTheSelectionFollows) {
    Select(1);
    model.BtnupMoveClick();
    EXPECT_EQ(Captions(), (std::vector<QString>{"B", "A", "C"}));
    EXPECT_EQ(model.ItemIndex(), 0);
    EXPECT_TRUE(model.ApplyEnabled());
    EXPECT_EQ(focused, std::vector<TManageField>{MF_List});
    // The picture, the place and the flag travel with their row.
    EXPECT_TRUE(model.Row(0).Picture);
    EXPECT_EQ(model.Row(0).PlaceText, "Dock");
    EXPECT_EQ(model.Row(0).ImagePath, PlanPath() + "b.Png");
    EXPECT_FALSE(model.Row(1).Picture);

    model.BtnDownMoveClick();
    model.BtnDownMoveClick();
    EXPECT_EQ(Captions(), (std::vector<QString>{"A", "C", "B"}));
    EXPECT_EQ(model.ItemIndex(), 2);
    // The fields still show the moved row, as they did before the move.
    EXPECT_EQ(model.Name(), "B");
}

TEST_F(ManageButtonList, MovingPastEitherEndOrWithoutSelectionChangesNothing) {
    Select(0);
    model.BtnupMoveClick();
    Select(2);
    model.BtnDownMoveClick();
    model.SetItemIndex(-1);
    model.BtnupMoveClick();
    model.BtnDownMoveClick();
    EXPECT_EQ(Captions(), (std::vector<QString>{"A", "B", "C"}));
    EXPECT_FALSE(model.ApplyEnabled());
    EXPECT_EQ(focused.size(), 4u);  // the list takes the focus all the same
}

TEST_F(ManageButtonList, DeletingAsksFirstAndCancelKeepsTheRow) {
    Select(1);
    platform->ScriptAnswer(TMsgResult::MR_Cancel);
    model.BtnDeleteClick();
    ASSERT_EQ(platform->Messages().size(), 1u);
    const TRecordedMessage& question = platform->Messages()[0];
    EXPECT_EQ(question.Text, "确定要删除按钮【B】吗？");
    EXPECT_EQ(question.Title, "提示");
    EXPECT_EQ(question.Icon, TMsgIcon::MI_Question);
    EXPECT_EQ(question.Buttons, TMsgButtons::MB_OkCancel);
    EXPECT_EQ(model.RowCount(), 3);
    EXPECT_TRUE(model.TempImageList().isEmpty());
    EXPECT_FALSE(model.ApplyEnabled());
}

TEST_F(ManageButtonList, DeletingQueuesThePictureAndSelectsTheNextRow) {
    Select(1);
    model.BtnDeleteClick();
    EXPECT_EQ(Captions(), (std::vector<QString>{"A", "C"}));
    EXPECT_EQ(model.TempImageList(), QStringList{PlanPath() + "b.Png"});
    EXPECT_TRUE(QFileInfo::exists(PlanPath() + "b.Png"));  // gone only at "应用"
    EXPECT_EQ(model.ItemIndex(), 1);
    EXPECT_EQ(model.Name(), "C");
    EXPECT_EQ(model.SaveMode(), SM_Edit);
    EXPECT_TRUE(model.ApplyEnabled());
}

TEST_F(ManageButtonList, DeletingTheLastRowSelectsTheFirstAndTheOnlyRowLeavesNone) {
    Select(2);
    model.BtnDeleteClick();
    EXPECT_EQ(model.ItemIndex(), 0);
    EXPECT_EQ(model.Name(), "A");
    // A row without a picture is queued with an empty path, which deletes nothing.
    EXPECT_EQ(model.TempImageList(), QStringList{QString()});

    model.BtnDeleteClick();
    model.BtnDeleteClick();
    EXPECT_EQ(model.RowCount(), 0);
    EXPECT_EQ(model.ItemIndex(), -1);
    EXPECT_TRUE(model.Name().isEmpty());
    EXPECT_EQ(model.SaveMode(), SM_Add);
    EXPECT_FALSE(model.RowButtonsEnabled());

    platform->ClearMessages();
    model.BtnDeleteClick();  // nothing selected: not even a question
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(ManageButtonList, RowsNamedAlikeAfterAnEditKeepTheirOwnPictures) {
    WritePicture(PlanPath() + "c.Png", Qt::blue);
    WritePlan({{"A", "0", "false", "/bin/a", "", "b.Png"}, {"C", "0", "false", "/bin/c", "", "c.Png"}});
    TManageButtonModel fresh(manage);
    fresh.LoadButtonList();
    fresh.SetItemIndex(1);
    fresh.LvButtonsClick();
    fresh.SetName("A");
    fresh.BtnWorkOkClick();
    // Deleting the second "A" queues its own picture, not the first one's.
    fresh.BtnDeleteClick();
    EXPECT_EQ(fresh.TempImageList(), QStringList{PlanPath() + "c.Png"});
    EXPECT_EQ(fresh.Row(0).ImagePath, PlanPath() + "b.Png");
    fresh.Apply();
    EXPECT_TRUE(QFileInfo::exists(PlanPath() + "b.Png"));
    EXPECT_FALSE(QFileInfo::exists(PlanPath() + "c.Png"));
    EXPECT_EQ(ReadPlan()[0].Image, "b.Png");
}

}  // namespace

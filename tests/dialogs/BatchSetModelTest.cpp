#include "DialogFixture.h"
#include "uBatchSetModel.h"
#include "uManageButtonModel.h"

namespace {

class BatchSet : public DialogFixture {
protected:
    void SetUp() override {
        WritePlan({{"A", "1", "true"}, {"B", "2", "true"}, {"C", "1", "true"}});
        manageModel.LoadButtonList();
        batch.LoadButtons();
    }
    std::vector<std::pair<QString, QString>> PlacesAndFlags() const {
        std::vector<std::pair<QString, QString>> result;
        for (int i = 0; i < manageModel.RowCount(); ++i)
            result.emplace_back(manageModel.Row(i).PlaceText, manageModel.Row(i).RunAskText);
        return result;
    }

    TManageButtonModel manageModel{manage};
    TBatchSetModel batch{manageModel};
};

TEST_F(BatchSet, ListsTheRowsUncheckedWithDefaultsSideBarAndNo) {
    ASSERT_EQ(batch.ItemCount(), 3);
    EXPECT_EQ(batch.ItemCaption(0), "A");
    EXPECT_EQ(batch.ItemCaption(2), "C");
    EXPECT_EQ(batch.GetCheckedCount(), 0);
    EXPECT_EQ(batch.PlaceIndex(), 0);
    EXPECT_FALSE(batch.RunAsk());
    EXPECT_FALSE(batch.CheckAll());
}

TEST_F(BatchSet, OkWithNothingCheckedAsksForAChoiceAndStaysOpen) {
    EXPECT_FALSE(batch.BtnOkClick());
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Text, "请勾选要设置的按钮！");
    EXPECT_EQ(platform->Messages()[0].Title, "提示");
    EXPECT_EQ(platform->Messages()[0].Icon, TMsgIcon::MI_Information);
    EXPECT_EQ(PlacesAndFlags(),
              (std::vector<std::pair<QString, QString>>{{"Dock", "是"}, {"Marovia", "是"}, {"Dock", "是"}}));
    EXPECT_FALSE(manageModel.ApplyEnabled());
}

TEST_F(BatchSet, AnEmptyListAsksForAChoiceToo) {
    TManageButtonModel empty(manage);
    TBatchSetModel emptyBatch(empty);
    emptyBatch.LoadButtons();
    EXPECT_EQ(emptyBatch.ItemCount(), 0);
    EXPECT_FALSE(emptyBatch.BtnOkClick());
    EXPECT_EQ(platform->Messages().size(), 1u);
}

TEST_F(BatchSet, CheckedRowsGetThePlaceAndTheFlagOthersKeepTheirs) {
    batch.SetChecked(0, true);
    batch.SetChecked(2, true);
    batch.SetPlaceIndex(1);
    batch.SetRunAsk(true);
    EXPECT_EQ(batch.GetCheckedCount(), 2);
    EXPECT_TRUE(batch.BtnOkClick());
    // B keeps "Marovia"; A and C were already Dock/是 but are written all the same.
    EXPECT_EQ(PlacesAndFlags(),
              (std::vector<std::pair<QString, QString>>{{"Dock", "是"}, {"Marovia", "是"}, {"Dock", "是"}}));
    EXPECT_TRUE(manageModel.ApplyEnabled());
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(BatchSet, UntouchedDefaultsWriteSideBarAndNo) {
    batch.SetChecked(1, true);
    EXPECT_TRUE(batch.BtnOkClick());
    EXPECT_EQ(PlacesAndFlags(),
              (std::vector<std::pair<QString, QString>>{{"Dock", "是"}, {"侧边栏", "否"}, {"Dock", "是"}}));
}

TEST_F(BatchSet, CheckAllChangesEveryRowAndSingleBoxesLeaveItAlone) {
    batch.CbCheckAllClick(true);
    EXPECT_EQ(batch.GetCheckedCount(), 3);
    batch.SetChecked(1, false);
    EXPECT_TRUE(batch.CheckAll());
    batch.CbCheckAllClick(true);
    batch.SetPlaceIndex(2);
    EXPECT_TRUE(batch.BtnOkClick());
    EXPECT_EQ(PlacesAndFlags(), (std::vector<std::pair<QString, QString>>{
                                    {"Marovia", "否"}, {"Marovia", "否"}, {"Marovia", "否"}}));

    batch.CbCheckAllClick(false);
    EXPECT_EQ(batch.GetCheckedCount(), 0);
}

TEST_F(BatchSet, TheNewPlacesReachTheFileAtApply) {
    batch.CbCheckAllClick(true);
    batch.SetPlaceIndex(0);
    ASSERT_TRUE(batch.BtnOkClick());
    manageModel.Apply();
    for (const TWritten& written : ReadPlan()) {
        EXPECT_EQ(written.Place, 0) << written;
        EXPECT_FALSE(written.IsRunAsk) << written;
    }
}

}  // namespace

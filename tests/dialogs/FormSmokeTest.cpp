// The two forms on the offscreen platform: created, driven through their controls, and checked
// against the state of the plain classes beneath them.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "DialogFixture.h"
#include "MouseClick.h"
#include "uButtonListView.h"
#include "ufrmBatchSet.h"
#include "ufrmManageButton.h"

namespace {

class Forms : public DialogFixture {
protected:
    void SetUp() override {
        WritePicture(PlanPath() + "{1}.Png", Qt::red);
        WritePlan({{"Editor", "0", "true", "/usr/bin/editor", "-n", "{1}.Png"}, {"Mail", "1"}});
        MaroviaManage = &manage;
    }
    void TearDown() override {
        if (TfrmManageButton* open = ManageButtonForm()) delete open;
        MaroviaManage = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void ClickRow(TButtonListView* list, int row) {
        const QRect rect = list->visualRect(list->model()->index(row, 1));
        MouseClick(list->viewport(), rect.center());
    }
};

TEST_F(Forms, ShowManageButtonOpensOneDialogAndClosingForgetsIt) {
    ShowManageButton();
    TfrmManageButton* form = ManageButtonForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "按钮管理");
    EXPECT_EQ(form->parentWidget(), nullptr);  // a window of its own
    form->showMinimized();
    ShowManageButton();
    EXPECT_EQ(ManageButtonForm(), form);
    EXPECT_FALSE(form->isMinimized());

    QPointer<TfrmManageButton> watch = form;
    form->BtnCancle->click();
    EXPECT_EQ(ManageButtonForm(), nullptr);  // at once, not when Qt frees it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
    ShowManageButton();
    EXPECT_NE(ManageButtonForm(), nullptr);
}

TEST_F(Forms, TheManageDialogShowsTheListAndTheStartingStates) {
    TfrmManageButton form(manage);
    EXPECT_EQ(form.size(), QSize(713, 489));
    EXPECT_EQ(form.LvButtons->model()->rowCount(), 2);
    EXPECT_EQ(form.LvButtons->model()->headerData(3, Qt::Horizontal).toString(), "执行文件路径");
    EXPECT_EQ(form.LvButtons->header()->sectionSize(0), 130);
    EXPECT_EQ(form.CbbPlace->count(), 3);
    EXPECT_EQ(form.CbbPlace->itemText(2), "Marovia");
    EXPECT_TRUE(form.RbAdd->isChecked());
    EXPECT_FALSE(form.BtnupMove->isEnabled());
    EXPECT_FALSE(form.BtnDownMove->isEnabled());
    EXPECT_FALSE(form.BtnDelete->isEnabled());
    EXPECT_FALSE(form.BtnApply->isEnabled());
    EXPECT_TRUE(form.BtnBatchSet->isEnabled());

    // Column limits hold whatever the user drags.
    form.LvButtons->header()->resizeSection(1, 300);
    EXPECT_EQ(form.LvButtons->header()->sectionSize(1), 90);
    form.LvButtons->header()->resizeSection(3, 20);
    EXPECT_EQ(form.LvButtons->header()->sectionSize(3), 240);

    // The right-hand buttons keep their distance from the right edge.
    form.show();
    const int margin = form.PanelBotom->width() - form.BtnApply->geometry().right();
    form.resize(900, 489);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.PanelBotom->width() - form.BtnApply->geometry().right(), margin);
    EXPECT_EQ(form.BtnupMove->x(), 10);
}

TEST_F(Forms, ClickingARowFillsTheControlsAndApplyWritesTheEdit) {
    TfrmManageButton form(manage);
    form.show();
    ClickRow(form.LvButtons, 0);
    EXPECT_EQ(form.EdtName->text(), "Editor");
    EXPECT_EQ(form.BEdtFileName->text(), "/usr/bin/editor");
    EXPECT_EQ(form.EdtCmdLine->text(), "-n");
    EXPECT_TRUE(form.CbRunAsk->isChecked());
    EXPECT_TRUE(form.RbEdit->isChecked());
    EXPECT_TRUE(form.BtnDelete->isEnabled());
    ASSERT_FALSE(form.ImageIco->pixmap().isNull());

    form.EdtName->setText("Writer");
    form.CbbPlace->setCurrentIndex(1);
    form.BtnWorkOk->click();
    EXPECT_TRUE(form.BtnApply->isEnabled());
    EXPECT_EQ(form.LvButtons->model()->index(0, 0).data().toString(), "Writer");
    EXPECT_EQ(form.LvButtons->model()->index(0, 1).data().toString(), "Dock");

    form.BtnDownMove->click();
    EXPECT_EQ(form.LvButtons->SelectedRow(), 1);
    form.BtnApply->click();
    EXPECT_FALSE(form.BtnApply->isEnabled());
    EXPECT_EQ(ReadPlan(), (std::vector<TWritten>{{"Mail", 1, false, "/usr/bin/true", "", ""},
                                                 {"Writer", 1, true, "/usr/bin/editor", "-n", "{1}.Png"}}));
    EXPECT_EQ(SceneNames(), (std::vector<QString>{"Win桌面文件", "Mail", "Writer"}));
}

TEST_F(Forms, AddingThroughTheControlsAndRefusingAnEmptyName) {
    TfrmManageButton form(manage);
    form.show();
    form.BtnWorkOk->click();
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Text, "按钮名称不能为空！");

    form.EdtName->setText("Web");
    // The file dialog's forward slashes become the system's separators in the field and the file.
    platform->ScriptOpenFileName("C:/Program Files/Browser/browser.exe");
#ifdef Q_OS_WIN
    const QString stored = "C:\\Program Files\\Browser\\browser.exe";
#else
    const QString stored = "C:/Program Files/Browser/browser.exe";
#endif
    form.BEdtFileNameButton->trigger();
    EXPECT_EQ(form.BEdtFileName->text(), stored);
    form.CbRunAsk->setChecked(true);
    form.BtnWorkOk->click();
    EXPECT_EQ(form.LvButtons->model()->rowCount(), 3);
    EXPECT_TRUE(form.EdtName->text().isEmpty());
    EXPECT_FALSE(form.CbRunAsk->isChecked());
    form.BtnOk->click();
    EXPECT_EQ(ReadPlan().back(), (TWritten{"Web", 0, true, stored, "", ""}));
}

TEST_F(Forms, DeletingFromTheFormAndDrawingTheSelectedRow) {
    TfrmManageButton form(manage);
    form.resize(713, 489);
    form.show();
    ClickRow(form.LvButtons, 1);
    EXPECT_EQ(form.LvButtons->SelectedRow(), 1);
    // The selected row is filled with its own colour, with the icon of another row beside it.
    const QImage shot = form.LvButtons->viewport()->grab().toImage();
    const QRect selected = form.LvButtons->visualRect(form.LvButtons->model()->index(1, 0));
    EXPECT_EQ(shot.pixelColor(selected.right() - 3, selected.top() + 3), QColor(236, 247, 140));
    const QRect first = form.LvButtons->visualRect(form.LvButtons->model()->index(0, 0));
    EXPECT_EQ(shot.pixelColor(first.left() + 18, first.top() + 18), QColor(Qt::red));
    EXPECT_EQ(first.height(), 36);

    form.BtnDelete->click();
    EXPECT_EQ(form.LvButtons->model()->rowCount(), 1);
    EXPECT_EQ(form.LvButtons->SelectedRow(), 0);
    EXPECT_EQ(form.EdtName->text(), "Editor");
    // Clicking below the rows clears the selection and the fields.
    MouseClick(form.LvButtons->viewport(), QPoint(20, form.LvButtons->viewport()->height() - 5));
    EXPECT_EQ(form.LvButtons->SelectedRow(), -1);
    EXPECT_TRUE(form.EdtName->text().isEmpty());
    EXPECT_TRUE(form.RbAdd->isChecked());
    form.BtnCancle->click();
    EXPECT_EQ(ReadPlan().size(), 2u);  // closing without "应用" writes nothing
}

TEST_F(Forms, TheBatchDialogWritesCheckedRowsAndEnablesApply) {
    TfrmManageButton form(manage);
    TfrmBatchSet batch(&form);
    batch.LoadButtons();
    EXPECT_EQ(batch.size(), QSize(413, 266));
    EXPECT_EQ(batch.windowTitle(), "批量设置");
    ASSERT_EQ(batch.CLButtons->count(), 2);
    EXPECT_EQ(batch.CLButtons->item(1)->text(), "Mail");

    batch.BtnOk->click();
    EXPECT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(batch.result(), QDialog::Rejected);

    batch.CbCheckAll->click();
    EXPECT_EQ(batch.CLButtons->item(0)->checkState(), Qt::Checked);
    batch.CLButtons->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(batch.Model().GetCheckedCount(), 1);
    batch.CbbPlace->setCurrentIndex(2);
    batch.CbRunAsk->setChecked(true);
    batch.BtnOk->click();
    EXPECT_EQ(batch.result(), QDialog::Accepted);
    form.SyncFromModel();
    EXPECT_EQ(form.Model().Row(1).PlaceText, "Marovia");
    EXPECT_EQ(form.Model().Row(1).RunAskText, "是");
    EXPECT_EQ(form.Model().Row(0).PlaceText, "侧边栏");
    EXPECT_TRUE(form.BtnApply->isEnabled());
}

}  // namespace

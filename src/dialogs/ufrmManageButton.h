#pragma once
// The manage buttons dialog ("按钮管理"): the plan's buttons in a list, the fields of one button,
// and the buttons that add, edit, reorder, delete and apply. The work itself is done by
// TManageButtonModel; this form shows its state and hands it the user's actions.

#include <QWidget>

#include <memory>

#include "uManageButtonModel.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TButtonListView;
class TButtonTableModel;
class TMaroviaManage;

class TfrmManageButton : public QWidget {
    Q_OBJECT

public:
    // Fills the list from the scene manager's buttons. A top-level window of its own.
    explicit TfrmManageButton(TMaroviaManage& AManage);
    ~TfrmManageButton() override;

    TManageButtonModel& Model() { return *FModel; }
    // Shows the model's state in the controls (after every action, and after the batch dialog).
    void SyncFromModel();

    // The controls, under the names the program's other code and the tests use.
    TButtonListView* LvButtons;
    QFrame* PanelInfo;
    QLabel* LbName;
    QLineEdit* EdtName;
    QLabel* RzLabel2;
    QComboBox* CbbPlace;
    QCheckBox* CbRunAsk;
    QLabel* LbFileName;
    QLineEdit* BEdtFileName;
    QAction* BEdtFileNameButton;  // the browse button inside BEdtFileName
    QLabel* LbCmdLine;
    QLineEdit* EdtCmdLine;
    QLabel* RzLabel1;
    QLabel* LbImage;
    QFrame* Shape1;
    QLabel* ImageIco;
    QPushButton* BtnChageIcon;
    QLabel* LbHint;
    QFrame* RzBorder1;
    QLabel* RzLabel3;
    QRadioButton* RbEdit;
    QRadioButton* RbAdd;
    QLabel* RzLabel4;
    QPushButton* BtnWorkOk;
    QWidget* PanelBotom;
    QPushButton* BtnupMove;
    QPushButton* BtnDownMove;
    QPushButton* BtnDelete;
    QPushButton* BtnBatchSet;
    QPushButton* BtnOk;
    QPushButton* BtnCancle;
    QPushButton* BtnApply;

protected:
    void closeEvent(QCloseEvent* AEvent) override;

private:
    void CreateInfoPanel();
    void CreateInfoFields();
    void CreateBottomPanel();
    void ConnectFields();
    void ConnectButtons();
    void SetTabOrder();
    // Runs one of the model's actions, then shows the result.
    void Run(void (TManageButtonModel::*AAction)());
    void LvButtonsClick();
    void BtnApplyClick();
    void BtnOkClick();
    void BtnBatchSetClick();
    void FocusField(TManageField AField);
    void ShowPicture();

    std::unique_ptr<TManageButtonModel> FModel;
    TButtonTableModel* FListModel;
    bool FSyncing = false;
};

// Opens the one manage buttons dialog, or brings the open one forward. Not modal.
void ShowManageButton();
// The open dialog, or null.
TfrmManageButton* ManageButtonForm();

#pragma once
// The batch settings dialog ("批量设置"): check the buttons of the manage dialog's list, choose one
// place and the confirmation flag, and "确定" writes both into every checked row. The work is
// done by TBatchSetModel; this form shows it.

#include <QDialog>

#include "uBatchSetModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class TfrmManageButton;

class TfrmBatchSet : public QDialog {
    Q_OBJECT

public:
    explicit TfrmBatchSet(TfrmManageButton* AManageButtonForm);

    TBatchSetModel& Model() { return FModel; }
    // Lists the manage dialog's rows, all unchecked.
    void LoadButtons();

    QListWidget* CLButtons;
    QLabel* RzLabel2;
    QComboBox* CbbPlace;
    QCheckBox* CbRunAsk;
    QPushButton* BtnOk;
    QPushButton* BtnCancle;
    QCheckBox* CbCheckAll;

private:
    void CreateControls();
    void CbCheckAllClick(bool AChecked);
    void CLButtonsItemChanged(QListWidgetItem* AItem);
    void BtnOkClick();

    TfrmManageButton* FManageButtonForm;  // the dialog that opened this one; not owned
    TBatchSetModel FModel;
    bool FSyncing = false;
};

// Opens the batch settings modally over the manage dialog and frees them when they close.
void ShowBatchSet(TfrmManageButton* AManageButtonForm);

#include "ufrmManageButton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "uButtonListView.h"
#include "uButtonTableModel.h"
#include "uMaroviaManage.h"
#include "ufrmBatchSet.h"

namespace {

// The one open dialog. Cleared as soon as the dialog closes, not when Qt gets round to freeing it,
// so that asking again in between opens a new dialog rather than reviving a closing one.
QPointer<TfrmManageButton> frmManageButton;

}  // namespace

TfrmManageButton::TfrmManageButton(TMaroviaManage& AManage)
    : QWidget(nullptr, Qt::Window), FModel(std::make_unique<TManageButtonModel>(AManage)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("按钮管理"));
    FListModel = new TButtonTableModel(*FModel, this);
    CreateInfoPanel();
    SetTabOrder();
    ConnectFields();
    ConnectButtons();
    FModel->SetOnFocusField([this](TManageField field) { FocusField(field); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FModel->LoadButtonList();
    SyncFromModel();
}

TfrmManageButton::~TfrmManageButton() {
    if (frmManageButton == this) frmManageButton = nullptr;
    // Hidden while the list's models still live: closing a visible widget in QWidget's own
    // destructor lays the list out again, after this class's members are gone.
    hide();
}

void TfrmManageButton::ConnectFields() {
    connect(EdtName, &QLineEdit::textChanged, this, [this](const QString& text) { FModel->SetName(text); });
    connect(CbbPlace, &QComboBox::currentIndexChanged, this,
            [this](int index) { FModel->SetPlaceIndex(index); });
    connect(CbRunAsk, &QCheckBox::toggled, this, [this](bool checked) { FModel->SetRunAsk(checked); });
    connect(BEdtFileName, &QLineEdit::textChanged, this,
            [this](const QString& text) { FModel->SetFileName(text); });
    connect(EdtCmdLine, &QLineEdit::textChanged, this,
            [this](const QString& text) { FModel->SetCmdLine(text); });
    connect(RbEdit, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) FModel->SetSaveMode(SM_Edit);
    });
    connect(RbAdd, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) FModel->SetSaveMode(SM_Add);
    });
    LvButtons->SetOnClick([this] { LvButtonsClick(); });
    // The keyboard moves the selection too; the fields follow it as they follow a click.
    connect(LvButtons->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!FSyncing) LvButtonsClick();
    });
}

void TfrmManageButton::ConnectButtons() {
    connect(BEdtFileNameButton, &QAction::triggered, this,
            [this] { Run(&TManageButtonModel::BEdtFileNameButtonClick); });
    connect(BtnChageIcon, &QPushButton::clicked, this,
            [this] { Run(&TManageButtonModel::BtnChageIconClick); });
    connect(BtnWorkOk, &QPushButton::clicked, this, [this] { Run(&TManageButtonModel::BtnWorkOkClick); });
    connect(BtnupMove, &QPushButton::clicked, this, [this] { Run(&TManageButtonModel::BtnupMoveClick); });
    connect(BtnDownMove, &QPushButton::clicked, this, [this] { Run(&TManageButtonModel::BtnDownMoveClick); });
    connect(BtnDelete, &QPushButton::clicked, this, [this] { Run(&TManageButtonModel::BtnDeleteClick); });
    connect(BtnBatchSet, &QPushButton::clicked, this, [this] { BtnBatchSetClick(); });
    connect(BtnApply, &QPushButton::clicked, this, [this] { BtnApplyClick(); });
    connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
    connect(BtnCancle, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmManageButton::Run(void (TManageButtonModel::*AAction)()) {
    ((*FModel).*AAction)();
    SyncFromModel();
}

void TfrmManageButton::LvButtonsClick() {
    FModel->SetItemIndex(LvButtons->SelectedRow());
    FModel->LvButtonsClick();
    SyncFromModel();
}

void TfrmManageButton::BtnApplyClick() {
    // One repaint for the rebuilt list instead of one per change while the scene reloads.
    LvButtons->setUpdatesEnabled(false);
    FModel->BtnApplyClick();
    SyncFromModel();
    LvButtons->setUpdatesEnabled(true);
}

void TfrmManageButton::BtnOkClick() {
    const bool close = FModel->BtnOkClick();
    SyncFromModel();
    if (close) this->close();
}

void TfrmManageButton::BtnBatchSetClick() {
    ShowBatchSet(this);
    SyncFromModel();
}

void TfrmManageButton::FocusField(TManageField AField) {
    switch (AField) {
        case MF_Name:
            EdtName->setFocus();
            break;
        case MF_FileName:
            BEdtFileName->setFocus();
            break;
        case MF_List:
            LvButtons->setFocus();
            break;
    }
}

void TfrmManageButton::SyncFromModel() {
    FSyncing = true;
    EdtName->setText(FModel->Name());
    CbbPlace->setCurrentIndex(FModel->PlaceIndex());
    CbRunAsk->setChecked(FModel->RunAsk());
    BEdtFileName->setText(FModel->FileName());
    EdtCmdLine->setText(FModel->CmdLine());
    (FModel->SaveMode() == SM_Edit ? RbEdit : RbAdd)->setChecked(true);
    ShowPicture();
    FListModel->Refresh();
    LvButtons->SelectRow(FModel->ItemIndex());
    BtnupMove->setEnabled(FModel->RowButtonsEnabled());
    BtnDownMove->setEnabled(FModel->RowButtonsEnabled());
    BtnDelete->setEnabled(FModel->RowButtonsEnabled());
    BtnApply->setEnabled(FModel->ApplyEnabled());
    FSyncing = false;
}

void TfrmManageButton::ShowPicture() {
    const auto& picture = FModel->Picture();
    if (!picture) {
        ImageIco->clear();
        return;
    }
    // Shown centred at its own size; a larger picture is scaled down to fit the frame.
    QImage image = picture->Image();
    if (image.width() > ImageIco->width() || image.height() > ImageIco->height())
        image = image.scaled(ImageIco->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImageIco->setPixmap(QPixmap::fromImage(image));
}

void TfrmManageButton::closeEvent(QCloseEvent* AEvent) {
    if (frmManageButton == this) frmManageButton = nullptr;
    AEvent->accept();
}

TfrmManageButton* ManageButtonForm() {
    return frmManageButton;
}

void ShowManageButton() {
    if (!MaroviaManage) return;
    if (!frmManageButton) {
        frmManageButton = new TfrmManageButton(*MaroviaManage);
        // The program's shut-down frees the scene manager this dialog works on; the dialog goes first.
        TfrmManageButton* form = frmManageButton;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, form, [form] { delete form; });
        frmManageButton->show();
    } else {
        frmManageButton->showNormal();
    }
    frmManageButton->raise();
    frmManageButton->activateWindow();
}

#include "ufrmBatchSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "uButtonRow.h"
#include "ufrmManageButton.h"

namespace {

constexpr int kColumns = 3;
constexpr int kItemHeight = 13;

}  // namespace

TfrmBatchSet::TfrmBatchSet(TfrmManageButton* AManageButtonForm)
    : QDialog(AManageButtonForm,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FManageButtonForm(AManageButtonForm),
      FModel(AManageButtonForm->Model()) {
    setWindowTitle(QStringLiteral("批量设置"));
    setFixedSize(413, 266);
    CreateControls();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmBatchSet::CreateControls() {
    CLButtons = new QListWidget(this);
    CLButtons->setGeometry(6, 5, 401, 187);
    // Items run down the first column, then the next: three columns side by side.
    CLButtons->setFlow(QListView::TopToBottom);
    CLButtons->setWrapping(true);
    CLButtons->setResizeMode(QListView::Adjust);
    CLButtons->setUniformItemSizes(true);
    CLButtons->setGridSize(QSize((CLButtons->width() - 2 * CLButtons->frameWidth()) / kColumns, kItemHeight));
    connect(CLButtons, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { CLButtonsItemChanged(item); });

    RzLabel2 = new QLabel(QStringLiteral("按钮位置："), this);
    RzLabel2->move(9, 201);
    RzLabel2->adjustSize();
    CbbPlace = new QComboBox(this);
    CbbPlace->addItems(PlaceItems());
    CbbPlace->setGeometry(70, 198, 102, 21);
    connect(CbbPlace, &QComboBox::currentIndexChanged, this,
            [this](int index) { FModel.SetPlaceIndex(index); });
    CbRunAsk = new QCheckBox(QStringLiteral("运行之前是否询问"), this);
    CbRunAsk->move(202, 201);
    CbRunAsk->adjustSize();
    connect(CbRunAsk, &QCheckBox::toggled, this, [this](bool checked) { FModel.SetRunAsk(checked); });

    BtnOk = new QPushButton(QStringLiteral("确定"), this);
    BtnOk->setGeometry(246, 230, 75, 25);
    connect(BtnOk, &QPushButton::clicked, this, [this] { BtnOkClick(); });
    BtnCancle = new QPushButton(QStringLiteral("取消"), this);
    BtnCancle->setGeometry(332, 230, 75, 25);
    connect(BtnCancle, &QPushButton::clicked, this, &QDialog::reject);
    CbCheckAll = new QCheckBox(QStringLiteral("全选"), this);
    CbCheckAll->move(8, 234);
    CbCheckAll->adjustSize();
    connect(CbCheckAll, &QCheckBox::clicked, this, [this](bool checked) { CbCheckAllClick(checked); });

    setTabOrder(CbbPlace, CbRunAsk);
    setTabOrder(CbRunAsk, BtnOk);
    setTabOrder(BtnOk, BtnCancle);
    setTabOrder(BtnCancle, CbCheckAll);
}

void TfrmBatchSet::LoadButtons() {
    FModel.LoadButtons();
    FSyncing = true;
    CLButtons->clear();
    for (int i = 0; i < FModel.ItemCount(); ++i) {
        auto* item = new QListWidgetItem(FModel.ItemCaption(i), CLButtons);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    FSyncing = false;
}

void TfrmBatchSet::CLButtonsItemChanged(QListWidgetItem* AItem) {
    if (FSyncing) return;
    FModel.SetChecked(CLButtons->row(AItem), AItem->checkState() == Qt::Checked);
}

void TfrmBatchSet::CbCheckAllClick(bool AChecked) {
    FModel.CbCheckAllClick(AChecked);
    FSyncing = true;
    for (int i = 0; i < CLButtons->count(); ++i)
        CLButtons->item(i)->setCheckState(FModel.Checked(i) ? Qt::Checked : Qt::Unchecked);
    FSyncing = false;
}

void TfrmBatchSet::BtnOkClick() {
    if (FModel.BtnOkClick()) accept();
}

void ShowBatchSet(TfrmManageButton* AManageButtonForm) {
    TfrmBatchSet form(AManageButtonForm);
    form.LoadButtons();
    form.exec();
}

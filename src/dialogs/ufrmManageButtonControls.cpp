// The manage dialog's controls: where each one sits and how it looks.

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "uButtonListView.h"
#include "uButtonTableModel.h"
#include "ufrmManageButton.h"

namespace {

const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

QFont SongFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    return font;
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

QLabel* NewLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* NewButton(QWidget* parent, const QString& text, const QRect& bounds) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(bounds);
    return button;
}

// Keeps children at a fixed distance from their parent's right edge as the parent is resized.
class TRightAnchors : public QObject {
public:
    TRightAnchors(QWidget* parent, int designWidth) : QObject(parent), FDesignWidth(designWidth) {
        parent->installEventFilter(this);
    }
    void Add(QWidget* child) { FChildren.push_back({child, FDesignWidth - child->geometry().right()}); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const int width = static_cast<QWidget*>(watched)->width();
            for (const auto& [child, margin] : FChildren)
                child->move(width - margin - child->width() + 1, child->y());
        }
        return false;
    }

private:
    int FDesignWidth;
    std::vector<std::pair<QWidget*, int>> FChildren;
};

constexpr int kClientWidth = 713;
constexpr int kClientHeight = 489;

}  // namespace

void TfrmManageButton::CreateInfoPanel() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    LvButtons = new TButtonListView(this);
    LvButtons->setFont(SongFont());
    LvButtons->setModel(FListModel);
    layout->addWidget(LvButtons, 1);

    PanelInfo = new QFrame(this);
    PanelInfo->setFrameStyle(QFrame::Box | QFrame::Sunken);
    PanelInfo->setFixedHeight(205);
    layout->addWidget(PanelInfo);
    CreateInfoFields();

    PanelBotom = new QWidget(this);
    PanelBotom->setFixedHeight(42);
    layout->addWidget(PanelBotom);
    CreateBottomPanel();
    resize(kClientWidth, kClientHeight);
}

void TfrmManageButton::CreateInfoFields() {
    QWidget* panel = PanelInfo;
    LbName = NewLabel(panel, QStringLiteral("按钮名称："), 14, 18);
    EdtName = new QLineEdit(panel);
    EdtName->setGeometry(74, 14, 240, 21);
    RzLabel2 = NewLabel(panel, QStringLiteral("按钮位置："), 363, 18);
    CbbPlace = new QComboBox(panel);
    CbbPlace->addItems(PlaceItems());
    CbbPlace->setGeometry(423, 14, 102, 21);
    CbRunAsk = new QCheckBox(QStringLiteral("运行之前是否询问"), panel);
    CbRunAsk->move(548, 16);
    CbRunAsk->adjustSize();

    LbFileName = NewLabel(panel, QStringLiteral("执行文件："), 14, 48);
    BEdtFileName = new QLineEdit(panel);
    BEdtFileName->setGeometry(74, 43, 240, 21);
    BEdtFileNameButton =
        BEdtFileName->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    LbCmdLine = NewLabel(panel, QStringLiteral("运行参数："), 363, 48);
    EdtCmdLine = new QLineEdit(panel);
    EdtCmdLine->setGeometry(423, 43, 240, 21);
    RzLabel1 = new QLabel(QStringLiteral("执行文件可以是网址，但必须以Http://开头！运行参数若没有留空即可！"),
                          panel);
    RzLabel1->setGeometry(74, 72, 543, 14);
    RzLabel1->setFont(SongFont());
    SetTextColor(RzLabel1, kMaroon);

    LbImage = NewLabel(panel, QStringLiteral("按钮图标："), 14, 94);
    Shape1 = new QFrame(panel);
    Shape1->setGeometry(74, 95, 52, 52);
    Shape1->setStyleSheet(QStringLiteral("border: 1px solid #000080;"));
    ImageIco = new QLabel(panel);
    ImageIco->setGeometry(76, 97, 48, 48);
    ImageIco->setAlignment(Qt::AlignCenter);
    ImageIco->setAttribute(Qt::WA_TranslucentBackground);
    ImageIco->setCursor(Qt::PointingHandCursor);
    BtnChageIcon = NewButton(panel, QStringLiteral("更换图标"), QRect(131, 124, kButtonWidth, 22));
    LbHint = new QLabel(QStringLiteral("推荐使用PNG格式图标！"), panel);
    LbHint->setGeometry(212, 128, 225, 15);
    LbHint->setFont(SongFont());
    SetTextColor(LbHint, kMaroon);
    RzBorder1 = new QFrame(panel);
    RzBorder1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    RzBorder1->setGeometry(14, 154, 649, 2);

    RzLabel3 = NewLabel(panel, QStringLiteral("请选择保存模式："), 14, 172);
    SetTextColor(RzLabel3, kMaroon);
    RbEdit = new QRadioButton(QStringLiteral("编辑"), panel);
    RbEdit->move(122, 170);
    RbEdit->adjustSize();
    RbAdd = new QRadioButton(QStringLiteral("添加"), panel);
    RbAdd->move(187, 170);
    RbAdd->adjustSize();
    RbAdd->setChecked(true);
    RzLabel4 = new QLabel(QStringLiteral("提示：点击应用之后才会生效！"), panel);
    RzLabel4->setGeometry(342, 174, 173, RzLabel4->sizeHint().height());
    RzLabel4->setAlignment(Qt::AlignRight | Qt::AlignTop);
    SetTextColor(RzLabel4, kMaroon);
    BtnWorkOk = NewButton(panel, QStringLiteral("保存信息"), QRect(536, 165, 128, 28));
    BtnWorkOk->setFont(SongFont());
    SetTextColor(BtnWorkOk, kRed);
}

void TfrmManageButton::CreateBottomPanel() {
    QWidget* panel = PanelBotom;
    BtnupMove = NewButton(panel, QStringLiteral("上移"), QRect(10, 10, 60, 24));
    BtnDownMove = NewButton(panel, QStringLiteral("下移"), QRect(78, 10, 60, 24));
    BtnDelete = NewButton(panel, QStringLiteral("删除"), QRect(147, 10, 60, 24));
    BtnBatchSet = NewButton(panel, QStringLiteral("批量设置"), QRect(216, 10, 60, 24));
    BtnOk = NewButton(panel, QStringLiteral("确定"), QRect(464, 9, kButtonWidth, kButtonHeight));
    BtnCancle = NewButton(panel, QStringLiteral("取消"), QRect(549, 9, kButtonWidth, kButtonHeight));
    BtnApply = NewButton(panel, QStringLiteral("应用"), QRect(634, 9, 70, kButtonHeight));
    auto* anchors = new TRightAnchors(panel, kClientWidth);
    for (QWidget* button : {BtnOk, BtnCancle, BtnApply}) anchors->Add(button);
}

void TfrmManageButton::SetTabOrder() {
    QWidget* order[] = {EdtName,      CbbPlace,  CbRunAsk, BEdtFileName, EdtCmdLine,
                        BtnChageIcon, BtnWorkOk, RbEdit,   RbAdd};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

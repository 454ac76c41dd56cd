// The main form's tray icon and menu, and the dispatcher of the built-in commands raised in the
// scene by the panels and the notes.

#include <QCoreApplication>

#include "IPlatform.h"
#include "TVGDesktopPanel.h"
#include "uDataSafetyMenu.h"
#include "uMaroviaManage.h"
#include "uPathInfo.h"
#include "uPubFuns.h"
#include "ufrmManageButton.h"
#include "ufrmMarovia.h"
#include "ufrmWindowPanel.h"
#include "vgButton.h"
#include "vgDecodedPictures.h"

namespace {
constexpr int SideBarStripWidth = 43;
}  // namespace

void TfrmMarovia::CreateTray() {
    FTrayMenu = Platform().CreatePopupMenu();
    AddTrayItem(QStringLiteral("管理按钮"), [this] { ShowManageButton(); });
    AddTrayItem(
        QStringLiteral("显示Dock"),
        [this] { FMaroviaManage->SetIsShowDock(FTrayMenu->Items()[nShowDock].Checked); }, true, true);
    AddTrayItem(
        QStringLiteral("显示侧边栏"),
        [this] { FMaroviaManage->SetIsShowSideBar(FTrayMenu->Items()[nShowSideBar].Checked); }, true, true);
    AddTrayItem(QStringLiteral("打开桌面快捷方式"), [this] { ShowWindowPanel(); });
    FTrayMenu->Items()[nLoadDesktopLink].Visible = false;  // reached only through the command
    AddTrayItem(QStringLiteral("-"), nullptr);
    AddTrayItem(
        QStringLiteral("独立侧边栏区域"),
        [this] {
            auto& items = FTrayMenu->Items();
            items[nRestoreScreen].Enabled = items[nAloneWindowRect].Checked;
            ReserveSideBarArea(items[nAloneWindowRect].Checked);
        },
        true);
    AddTrayItem(
        QStringLiteral("开机启动"), [this] { AutoStartClick(); }, true);
    AddTrayItem(QStringLiteral("退出时还原桌面大小"), nullptr, true);
    FTrayMenu->Items()[nRestoreScreen].Enabled = false;
    FDataSafetyMenu = std::make_unique<TDataSafetyMenu>(*FTrayMenu, [this] { return FMaroviaManage.get(); });
    FDataSafetyMenu->AddItems();
    AddTrayItem(QStringLiteral("-"), nullptr);
    AddTrayItem(QStringLiteral("帮助"), [] { RunFile(QString::fromLatin1(MaroviaHomePage), QString()); });
    AddTrayItem(QStringLiteral("退出程序"), [] { Platform().Quit(); });
    FTrayMenu->SetOnPopup([this] { TrayMenuPopup(); });

    // Without a notification area the menu would be out of reach: the switch at the top of the
    // screen offers it on a right click instead.
    for (TvgCornerButton* segment : {FBtnDesktopPc, FBtnMarovia})
        segment->SetOnMouseDown([this](TvgObject*, TMouseButton button, TShiftState, float, float) {
            SwitchSegmentMouseDown(button);
        });
}

void TfrmMarovia::ShowTrayIcon() {
    if (FTrayIcon) return;
    FTrayIcon = Platform().CreateTrayIcon();
    FTrayIcon->SetToolTip(QStringLiteral("Marovia"));
    // Through the store of decoded pictures, which reads a PNG without loading every image plug-in.
    FTrayIcon->SetIcon(
        DecodedPicture(PathInfo->ImagesPath() + QStringLiteral("Marovia.png"), QSize(), Qt::KeepAspectRatio));
    FTrayIcon->SetMenu(FTrayMenu.get());
    FTrayIcon->SetOnDoubleClick([this] { TrayIconDblClick(); });
    FTrayIcon->Show();
}

void TfrmMarovia::AddTrayItem(const QString& ACaption, std::function<void()> AOnClick, bool AAutoCheck,
                              bool AChecked) {
    TPopupMenuItem item;
    item.Caption = ACaption;
    item.AutoCheck = AAutoCheck;
    item.Checked = AChecked;
    item.OnClick = std::move(AOnClick);
    FTrayMenu->Items().push_back(std::move(item));
}

void TfrmMarovia::SwitchSegmentMouseDown(TMouseButton Button) {
    if (Button != TMouseButton::mbRight || (FTrayIcon && FTrayIcon->IsAvailable())) return;
    FTrayMenu->Popup(Platform().CursorPos());
}

void TfrmMarovia::TrayMenuPopup() {
    auto& items = FTrayMenu->Items();
    items[nShowDock].Checked = FMaroviaManage->IsShowDock();
    items[nShowSideBar].Checked = FMaroviaManage->IsShowSideBar();
    if (FDataSafetyMenu) FDataSafetyMenu->Refresh();
    // The session's tools can change the entry behind our back: the mark is read, never remembered.
    items[nAutoStart].Checked = Platform().Shell().IsAutoStart();
}

void TfrmMarovia::AutoStartClick() {
    TPopupMenuItem& item = FTrayMenu->Items()[nAutoStart];
    const bool written =
        Platform().Shell().SetAutoStart(item.Checked, QCoreApplication::applicationFilePath());
    item.Checked = Platform().Shell().IsAutoStart();
    if (!written)
        Platform().MessageBox(QStringLiteral("开机启动设置失败！"), QStringLiteral("提示"),
                              TMsgIcon::MI_Warning, TMsgButtons::MB_Ok);
}

void TfrmMarovia::TrayIconDblClick() {
    FTrayMenu->Click(nManageButton);
}

void TfrmMarovia::SyncMenuChecks(IPopupMenu& APopupMenu) {
    for (TPopupMenuItem& item : APopupMenu.Items()) {
        if (item.Tag == MVC_ShowDock) item.Checked = FMaroviaManage->IsShowDock();
        if (item.Tag == MVC_ShowSideBar) item.Checked = FMaroviaManage->IsShowSideBar();
    }
}

void TfrmMarovia::ReserveSideBarArea(bool AReserve) {
    Platform().ReserveRightStrip(AReserve ? SideBarStripWidth : 0);
}

void TfrmMarovia::RestoreWorkArea() {
    const auto& items = FTrayMenu->Items();
    // Only "独立侧边栏区域" decides; the mark of "退出时还原桌面大小" is not read.
    if (items[nAloneWindowRect].Checked && items[nAloneWindowRect].Enabled) ReserveSideBarArea(false);
}

void TfrmMarovia::ShowManageButton() {
    ::ShowManageButton();
}

void TfrmMarovia::ShowWindowPanel() {
    ::ShowWindowPanel();
}

void TfrmMarovia::HandleBuildInEvent(QObject* Sender, TMVSysCommand SysCommand) {
    switch (SysCommand) {
        case MVC_None:
            break;
        case MVC_AddDesktopButton:
            FTrayMenu->Click(nManageButton);
            break;
        case MVC_ShowDock:
            FMaroviaManage->SetIsShowDock(!FMaroviaManage->IsShowDock());
            break;
        case MVC_ShowSideBar:
            FMaroviaManage->SetIsShowSideBar(!FMaroviaManage->IsShowSideBar());
            break;
        case MVC_ShowDesktopPanel:
            if (FMaroviaManage->IsShowDesktop())
                BtnDesktopPcClick();
            else
                BtnMaroviaClick();
            break;
        case MVC_DesktopAttribute:
            Platform().Shell().OpenDisplaySettings();
            break;
        case MVC_DesktopMenuPopup:
            // The desktop panel raises this as its menu opens; the menu is the panel's.
            if (auto* panel = qobject_cast<TVGDesktopPanel*>(Sender); panel && panel->Menu())
                SyncMenuChecks(*panel->Menu());
            break;
        case MVC_DockPanelManage:
            ShowManageButton();
            break;
        case MVC_LoadDesktopLink:
            FTrayMenu->Click(nLoadDesktopLink);
            break;
        case MVC_CreateTakeNote: {
            const QPoint cursor = Platform().CursorPos();
            FMaroviaManage->CreateNewTakeNote(cursor.x() - 50, cursor.y() - 50);
            break;
        }
        case MVC_DeleteTakeNote:
            FMaroviaManage->DeleteTakeNote();
            break;
        case MVC_ShowDesktopFile:
            ShowWindowPanel();
            break;
    }
}

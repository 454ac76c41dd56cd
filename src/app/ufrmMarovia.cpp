#include "ufrmMarovia.h"

#include "IPlatform.h"
#include "uCursors.h"
#include "uDropToAdd.h"
#include "uKeyboardLaunch.h"
#include "uMaroviaManage.h"
#include "ufrmManageButton.h"
#include "ufrmWindowPanel.h"
#include "vgBackground.h"
#include "vgBrush.h"
#include "vgButton.h"
#include "vgFont.h"
#include "vgLabel.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vgProgramStyles.h"
#include "vgResources.h"
#include "vg_Marovia.h"

const char* const MaroviaHomePage = "https://marovia.example.org/";
TfrmMarovia* frmMarovia = nullptr;

namespace {

TvgCornerButton* CreateSwitchSegment(TvgLayout* parent, float x, const QString& text, TvgCorners corners) {
    auto* button = new TvgCornerButton(parent);
    button->SetParent(parent);
    button->SetBounds(x, 4, 90, 22);
    button->SetText(text);
    button->Font()->SetFamily(QStringLiteral("宋体"));
    button->Font()->SetSize(12);
    button->SetTextAlign(vgTextAlignCenter);
    button->SetResource(QStringLiteral("BtnDesktopPcStyle1"));
    button->SetxRadius(8);
    button->SetyRadius(8);
    button->SetCorners(corners);
    button->SetSides(AllSides);
    button->SetStaysPressed(false);
    return button;
}

}  // namespace

TfrmMarovia::TfrmMarovia() {
    CreateComponents();
    FormCreate();
}

TfrmMarovia::~TfrmMarovia() {
    // The forms opened later go first, as the application frees its forms newest first.
    FreeWindowPanel();
    delete ManageButtonForm();
    FormDestroy();
}

void TfrmMarovia::CreateComponents() {
    FMyResources = std::make_unique<TvgResources>();
    LoadProgramStyles(*FMyResources);

    FDesktopPanel = std::make_unique<TMarovia>(nullptr, THostWindowKind::HW_Desktop);
    FDesktopPanel->HostWindow()->SetTitle(QStringLiteral("Marovia"));
    FDesktopPanel->SetTransparency(true);
    FDesktopPanel->SetStyle(FMyResources.get());

    FVGRoot = new TvgBackground(FDesktopPanel.get());
    FDesktopPanel->AddObject(FVGRoot);

    FLableURL = new TvgLabel(FVGRoot);
    FLableURL->SetParent(FVGRoot);
    // Placed in the root's bottom-right corner of the size its last layout pass saw; the alignment
    // keeps that distance as the root grows to the work area.
    FLableURL->SetBounds(FVGRoot->LastWidth() - 188, FVGRoot->LastHeight() - 23, 188, 23);
    FLableURL->SetAlign(vaBottomRight);
    FLableURL->SetCursor(crHandPoint);
    FLableURL->SetResource(QStringLiteral("LableURLStyle1"));
    FLableURL->Font()->SetSize(12);
    FLableURL->SetTextAlign(vgTextAlignNear);
    FLableURL->SetVertTextAlign(vgTextAlignCenter);
    FLableURL->SetText(QString::fromLatin1(MaroviaHomePage));

    FLoTopButton = new TvgLayout(FVGRoot);
    FLoTopButton->SetParent(FVGRoot);
    FLoTopButton->SetWidth(203);
    FLoTopButton->SetHeight(29);
    FBtnDesktopPc = CreateSwitchSegment(FLoTopButton, 10, QStringLiteral("电脑桌面"),
                                        TvgCorners(vgCornerTopLeft) | vgCornerBottomLeft);
    FBtnDesktopPc->SetEnabled(false);
    FBtnDesktopPc->SetOnClick([this](TvgObject*) { BtnDesktopPcClick(); });
    FBtnMarovia = CreateSwitchSegment(FLoTopButton, 100, QStringLiteral("Marovia"),
                                      TvgCorners(vgCornerTopRight) | vgCornerBottomRight);
    FBtnMarovia->SetOnClick([this](TvgObject*) { BtnMaroviaClick(); });
    CreateTray();
}

void TfrmMarovia::FormCreate() {
    FitToWorkArea();
    FMaroviaManage = std::make_unique<TMaroviaManage>(FVGRoot);
    MaroviaManage = FMaroviaManage.get();
    FMaroviaManage->SetOnBuildInEvent(
        [this](QObject* sender, TMVSysCommand command) { HandleBuildInEvent(sender, command); });
    FMaroviaManage->LoadFromFile();
    // Files, shortcuts and addresses dragged from other programs onto a panel become buttons there.
    FDesktopPanel->SetOnDrop([this](const TDropData& AData, const TvgPoint& P, bool ADrop) {
        if (!ADrop) return DropSpotAt(*FMaroviaManage, P).has_value();
        // The manage dialog writes its own list of buttons at "应用": one dropped meanwhile would
        // be lost then, so the user is asked to close it first.
        if (ManageButtonForm()) {
            Platform().MessageBox(QStringLiteral("请先关闭“管理按钮”窗口，再拖放添加按钮。"),
                                  QStringLiteral("提示"), TMsgIcon::MI_Information, TMsgButtons::MB_Ok);
            return true;
        }
        AddDroppedButtons(*FMaroviaManage, AData, P);
        return true;
    });
    Platform().SetOnScreenChanged([this] { ScreenChanged(); });
    // A click into another program ends a search as Escape does: the panel slides out.
    FDesktopPanel->SetOnDeactivated([this] {
        TKeyboardLaunch* search = FMaroviaManage->KeyboardLaunch();
        if (search->Active()) search->KeyDown(Qt::Key_Escape, QChar(), {});
    });
    FMaroviaManage->KeyboardLaunch()->SetOnFinish([this] { BtnDesktopPcClick(); });
    FLaunchKeyName = Platform().SetOnLaunchKey([this] { LaunchKeyPressed(); });
}

void TfrmMarovia::ScreenChanged() {
    FitToWorkArea();
    FMaroviaManage->FitToWorkArea();
}

void TfrmMarovia::FormDestroy() {
    Platform().SetOnScreenChanged(nullptr);
    Platform().SetOnLaunchKey(nullptr);
    FDesktopPanel->HostWindow()->GrabKeyboard(false);
    FDesktopPanel->SetOnDrop(nullptr);
    FDesktopPanel->SetOnDeactivated(nullptr);
    RestoreWorkArea();
    MaroviaManage = nullptr;
    FMaroviaManage.reset();
}

void TfrmMarovia::FitToWorkArea() {
    FVGRoot->Fill()->SetStyle(vgBrushNone);
    // The work area's own left and top are not used: the form starts at the screen's corner.
    const QRect workArea = Platform().WorkArea();
    FDesktopPanel->SetBounds(QRect(0, 0, workArea.width(), workArea.height()));
    // Not rounded: on an odd width the switch keeps its half pixel.
    FLoTopButton->Position()->SetX((static_cast<float>(workArea.width()) - FLoTopButton->Width()) / 2);
    FLoTopButton->Position()->SetY(0);
}

void TfrmMarovia::Show() {
    FDesktopPanel->Show();
    // The tray icon comes after the first frame, which is drawn from a task posted before this
    // one: making the icon asks the session bus whether there is a notification area, and the
    // frame needs none of it.
    if (!FTrayIcon)
        Platform().Post([this, alive = std::weak_ptr<char>(FAlive)] {
            if (!alive.expired()) ShowTrayIcon();
        });
}

QRect TfrmMarovia::BoundsRect() const {
    return FDesktopPanel->HostWindow()->Geometry();
}

void TfrmMarovia::BtnDesktopPcClick() {
    // A search that was going on ends with the panel; the keyboard goes back to the other windows.
    FDesktopPanel->HostWindow()->GrabKeyboard(false);
    FMaroviaManage->SetIsShowDesktop(false);
    FBtnDesktopPc->SetEnabled(false);
    FBtnMarovia->SetEnabled(true);
}

void TfrmMarovia::BtnMaroviaClick() {
    FMaroviaManage->SetIsShowDesktop(true);
    FBtnDesktopPc->SetEnabled(true);
    FBtnMarovia->SetEnabled(false);
}

void TfrmMarovia::LaunchKeyPressed() {
    TKeyboardLaunch* search = FMaroviaManage->KeyboardLaunch();
    if (search->Active()) {
        search->KeyDown(Qt::Key_Escape, QChar(), {});
        return;
    }
    BtnMaroviaClick();
    IHostWindow* window = FDesktopPanel->HostWindow();
    window->Activate();
    window->GrabKeyboard(true);
    search->Start();
}

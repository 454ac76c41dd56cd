#pragma once
// The main form: a borderless per-pixel-alpha window over the primary work area, kept below every
// ordinary window, whose scene shows the panels, the notes, the URL label and the two-segment
// switch between the ordinary desktop and the desktop panel.

#include <QRect>
#include <functional>
#include <memory>

#include "IPlatform.h"
#include "uDataSafetyMenu.h"
#include "uMaroviaTypes.h"

class TMarovia;
class TMaroviaManage;
class TvgBackground;
class TvgCornerButton;
class TvgLabel;
class TvgLayout;
class TvgResources;

// The product's home page, shown by the URL label and opened by "帮助".
extern const char* const MaroviaHomePage;

class TfrmMarovia {
public:
    TfrmMarovia();
    ~TfrmMarovia();
    TfrmMarovia(const TfrmMarovia&) = delete;
    TfrmMarovia& operator=(const TfrmMarovia&) = delete;

    void Show();
    QRect BoundsRect() const;

    TMarovia* DesktopPanel() const { return FDesktopPanel.get(); }
    TvgBackground* VGRoot() const { return FVGRoot; }
    TvgResources* MyResources() const { return FMyResources.get(); }
    TvgLabel* LableURL() const { return FLableURL; }
    TvgLayout* LoTopButton() const { return FLoTopButton; }
    TvgCornerButton* BtnDesktopPc() const { return FBtnDesktopPc; }
    TvgCornerButton* BtnMarovia() const { return FBtnMarovia; }

    void BtnDesktopPcClick();
    void BtnMaroviaClick();
    // The launch key: slides the desktop panel in and starts the search of the buttons with the
    // keyboard on the form; pressed again during the search, it ends it.
    void LaunchKeyPressed();
    // The name of the launch key the platform gave; empty when none could be had.
    QString LaunchKeyName() const { return FLaunchKeyName; }

    // --- built-in commands and the tray ---
    // The items of the tray menu, in their order.
    enum TTrayItem {
        nManageButton,
        nShowDock,
        nShowSideBar,
        nLoadDesktopLink,
        N6,
        nAloneWindowRect,
        nAutoStart,
        nRestoreScreen,
        // The data's versions and the workspace (uDataSafetyMenu).
        N7,
        nRestoreBackup,
        nUndoDeleteTakeNote,
        nExportWorkspace,
        nImportWorkspace,
        N2,
        nHelp,
        nExitApp
    };
    void HandleBuildInEvent(QObject* Sender, TMVSysCommand SysCommand);
    // Check marks of the show-dock and show-side-bar items (tagged 2 and 3) from the scene.
    void SyncMenuChecks(IPopupMenu& APopupMenu);
    void TrayMenuPopup();
    // "开机启动": asks the platform to start the program at login or not, then shows what it says.
    void AutoStartClick();
    void TrayIconDblClick();
    // Reserves the 43-pixel strip at the right for the side bar, or gives it back.
    void ReserveSideBarArea(bool AReserve);
    void RestoreWorkArea();
    void ShowManageButton();
    void ShowWindowPanel();
    // Null until the loop has drawn the first frame after Show (ShowTrayIcon).
    ITrayIcon* TrayIcon() const { return FTrayIcon.get(); }
    IPopupMenu* TrayMenu() const { return FTrayMenu.get(); }

private:
    void CreateComponents();
    void FormCreate();
    void FormDestroy();
    void FitToWorkArea();
    // The work area or the screen changed: the form and every panel are fitted to them again.
    void ScreenChanged();
    // The tray menu, and the right click on the switch that offers it without a tray.
    void CreateTray();
    // Makes and shows the tray icon with the menu (once).
    void ShowTrayIcon();
    void AddTrayItem(const QString& ACaption, std::function<void()> AOnClick, bool AAutoCheck = false,
                     bool AChecked = false);
    void SwitchSegmentMouseDown(TMouseButton Button);

    std::unique_ptr<TvgResources> FMyResources;
    std::unique_ptr<TMarovia> FDesktopPanel;
    TvgBackground* FVGRoot = nullptr;
    TvgLabel* FLableURL = nullptr;
    TvgLayout* FLoTopButton = nullptr;
    TvgCornerButton* FBtnDesktopPc = nullptr;
    TvgCornerButton* FBtnMarovia = nullptr;
    std::unique_ptr<TMaroviaManage> FMaroviaManage;
    std::unique_ptr<IPopupMenu> FTrayMenu;
    std::unique_ptr<ITrayIcon> FTrayIcon;
    std::unique_ptr<TDataSafetyMenu> FDataSafetyMenu;
    QString FLaunchKeyName;
    // Tasks posted by the form hold it weakly: gone with the form.
    std::shared_ptr<char> FAlive = std::make_shared<char>();
};

// The one main form while the program runs.
extern TfrmMarovia* frmMarovia;

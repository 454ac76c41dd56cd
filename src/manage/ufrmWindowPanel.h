#pragma once
// The desktop file window: a floating HUD window whose scene shows the shortcuts of the desktop
// as a grid of desktop buttons that launch their targets. At most one is open at a time.

#include <QObject>

#include <memory>

#include "IvgForm.h"

class TMarovia;
class TVGDesktopPanel;
class TvgBackground;
class TvgHudWindow;
class TvgResources;
class TvgScrollBox;

class TfrmWindowPanel : public QObject, public IvgForm {
    Q_OBJECT

public:
    explicit TfrmWindowPanel(QObject* AOwner = nullptr);
    ~TfrmWindowPanel() override;

    // Centres the window on the screen and shows it.
    void Show();
    void BringToFront();
    // Hides the window at once and frees it once the current input has been handled.
    void Close() override;
    bool Closing() const { return FClosing; }

    TMarovia* Scene() const { return FScene.get(); }
    TvgBackground* Root() const { return FRoot; }
    TvgHudWindow* HudWindow() const { return FHudWindow; }
    TvgScrollBox* WinScrollBox() const { return FWinScrollBox; }
    TVGDesktopPanel* VGDesktopPanel() const { return FVGDesktopPanel; }

    // Fills the desktop panel with one button per usable desktop shortcut.
    void LoadDesktopLinks();

private:
    void CreateComponents();
    void FormCreate();

    std::unique_ptr<TvgResources> FMyResources;
    std::unique_ptr<TMarovia> FScene;
    TvgBackground* FRoot = nullptr;
    TvgHudWindow* FHudWindow = nullptr;
    TvgScrollBox* FWinScrollBox = nullptr;
    TVGDesktopPanel* FVGDesktopPanel = nullptr;
    bool FClosing = false;
};

// The open desktop file window, null while none is open.
extern TfrmWindowPanel* frmWindowPanel;

// Opens the desktop file window, or brings the open one forward without refreshing it.
void ShowWindowPanel();
// Frees an open window at once (the program's shut-down).
void FreeWindowPanel();

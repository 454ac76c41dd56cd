#pragma once
// The main form: a borderless per-pixel-alpha window over the primary work area, kept below every
// ordinary window, whose scene shows the panels, the notes, the URL label and the two-segment
// switch between the ordinary desktop and the desktop panel.

#include <QRect>
#include <memory>

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
    void HandleBuildInEvent(QObject* Sender, TMVSysCommand SysCommand);

private:
    void CreateComponents();
    void FormCreate();
    void FormDestroy();
    void FitToWorkArea();

    std::unique_ptr<TvgResources> FMyResources;
    std::unique_ptr<TMarovia> FDesktopPanel;
    TvgBackground* FVGRoot = nullptr;
    TvgLabel* FLableURL = nullptr;
    TvgLayout* FLoTopButton = nullptr;
    TvgCornerButton* FBtnDesktopPc = nullptr;
    TvgCornerButton* FBtnMarovia = nullptr;
    std::unique_ptr<TMaroviaManage> FMaroviaManage;
};

// The one main form while the program runs.
extern TfrmMarovia* frmMarovia;

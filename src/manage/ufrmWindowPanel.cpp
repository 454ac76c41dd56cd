#include "ufrmWindowPanel.h"

#include <QPointer>

#include "IPlatform.h"
#include "TVGDesktopPanel.h"
#include "uDesktopLinks.h"
#include "vgBackground.h"
#include "vgBounds.h"
#include "vgBrush.h"
#include "vgHudWindow.h"
#include "vgProgramStyles.h"
#include "vgResources.h"
#include "vgScrollBox.h"
#include "vg_Marovia.h"

TfrmWindowPanel* frmWindowPanel = nullptr;

namespace {
constexpr int FormWidth = 720;
constexpr int FormHeight = 640;
constexpr TvgRect ScrollBoxPadding{16, 36, 16, 16};
}  // namespace

TfrmWindowPanel::TfrmWindowPanel(QObject* AOwner) : QObject(AOwner) {
    CreateComponents();
    FormCreate();
}

TfrmWindowPanel::~TfrmWindowPanel() {
    if (frmWindowPanel == this) frmWindowPanel = nullptr;
    // The scene goes first: its objects belong to it and use the style set while they go.
    FScene.reset();
}

void TfrmWindowPanel::CreateComponents() {
    // The same compiled-in style set as the main form's.
    FMyResources = std::make_unique<TvgResources>();
    LoadProgramStyles(*FMyResources);

    FScene = std::make_unique<TMarovia>(this, THostWindowKind::HW_Tool);
    FScene->HostWindow()->SetTitle(QStringLiteral("Win桌面文件"));
    FScene->SetTransparency(true);
    FScene->SetStyle(FMyResources.get());

    FRoot = new TvgBackground(FScene.get());
    FRoot->Fill()->SetStyle(vgBrushNone);
    FRoot->SetHitTest(false);
    FScene->AddObject(FRoot);

    FHudWindow = new TvgHudWindow(FRoot);
    FHudWindow->SetParent(FRoot);
    FHudWindow->SetAlign(vaClient);
    FHudWindow->SetHitTest(false);
    FHudWindow->SetShowSizeGrip(false);
    FHudWindow->SetTextAlign(vgTextAlignNear);
    FHudWindow->SetText(QStringLiteral("Win桌面快捷方式"));
    FHudWindow->SetButtonAlign(vgButtonAlignRight);
    FHudWindow->Fill()->SetColor(QStringLiteral("#96363736"));
    FHudWindow->SetResource(QStringLiteral("HudWindowStyle1"));

    FWinScrollBox = new TvgScrollBox(FHudWindow);
    FWinScrollBox->SetParent(FHudWindow);
    FWinScrollBox->SetAlign(vaClient);
    FWinScrollBox->Padding()->SetRect(ScrollBoxPadding);
    FWinScrollBox->ApplyResource();
}

void TfrmWindowPanel::FormCreate() {
    FScene->SetBounds(QRect(0, 0, FormWidth, FormHeight));
    FVGDesktopPanel = new TVGDesktopPanel(FWinScrollBox);
    FVGDesktopPanel->SetParent(FWinScrollBox);
    FVGDesktopPanel->SetAlign(vaTop);
    FVGDesktopPanel->SetButtonAlign(BA_Horizontal);
    FVGDesktopPanel->SetValidWidth(FormWidth);
    LoadDesktopLinks();
}

void TfrmWindowPanel::LoadDesktopLinks() {
    LoadDesktopLinksInto(*FVGDesktopPanel);
    // The window shows its buttons at once: their pictures are needed for its first frame.
    FVGDesktopPanel->LoadDuePictures();
}

void TfrmWindowPanel::Show() {
    const QSize screen = Platform().ScreenSize();
    FScene->SetBounds(
        QRect((screen.width() - FormWidth) / 2, (screen.height() - FormHeight) / 2, FormWidth, FormHeight));
    FScene->Show();
    FScene->HostWindow()->Activate();
}

void TfrmWindowPanel::BringToFront() {
    FScene->HostWindow()->Raise();
    FScene->HostWindow()->Activate();
}

void TfrmWindowPanel::Close() {
    if (FClosing) return;
    FClosing = true;
    FScene->Hide();
    if (frmWindowPanel == this) frmWindowPanel = nullptr;
    // The close button's release is still being dispatched through this window's scene.
    Platform().Post([self = QPointer<TfrmWindowPanel>(this)] { delete self.data(); });
}

void ShowWindowPanel() {
    if (frmWindowPanel) {
        frmWindowPanel->BringToFront();
        return;
    }
    frmWindowPanel = new TfrmWindowPanel();
    frmWindowPanel->Show();
}

void FreeWindowPanel() {
    delete frmWindowPanel;
    frmWindowPanel = nullptr;
}

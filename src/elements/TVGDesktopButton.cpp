#include "TVGDesktopButton.h"

#include "TVGDesktopPanel.h"
#include "vgBounds.h"
#include "vgBrush.h"
#include "vgLabel.h"
#include "vgRectangle.h"
#include "vgReflectionEffect.h"

TVGDesktopButton::TVGDesktopButton(QObject* AOwner) : TVGDockButton(AOwner) {
    SetOnMouseEnter(nullptr);
    SetOnMouseLeave(nullptr);
    SetOnClick(nullptr);
    SetWidth(80);
    SetHeight(90);
    ButtonMouseLeave(this);
    FReflectionEffect->SetEnabled(false);

    FBackGround->SetxRadius(2);
    FBackGround->SetyRadius(2);
    FBackGround->SetHitTest(true);
    FBackGround->SetOnMouseEnter([this](TvgObject* sender) { ButtonMouseEnter(sender); });
    FBackGround->SetOnMouseLeave([this](TvgObject* sender) { ButtonMouseLeave(sender); });
    FBackGround->SetOnDblClick([this](TvgObject* sender) { BackGroundDblClick(sender); });

    FTitle->SetParent(FBackGround);
    FTitle->Padding()->SetRect(TvgRect{2, 0, 2, 2});
    FTitle->SetResource(QStringLiteral("ValueLabel1Style3"));
    FTitle->SetHeight(20);
    Realign();
}

void TVGDesktopButton::ButtonMouseEnter(TvgObject*) {
    FBackGround->Stroke()->SetStyle(vgBrushSolid);
    FBackGround->Stroke()->SetColor(QStringLiteral("#FF25283B"));
    FBackGround->Fill()->SetStyle(vgBrushSolid);
    FBackGround->Fill()->SetColor(QStringLiteral("#644A4E68"));
}

void TVGDesktopButton::ButtonMouseLeave(TvgObject*) {
    FBackGround->Stroke()->SetStyle(vgBrushNone);
    FBackGround->Fill()->SetStyle(vgBrushNone);
}

void TVGDesktopButton::BackGroundDblClick(TvgObject*) {
    if (!IsSystemButton()) {
        ButtonClick(this);
        return;
    }
    // A system button raises its command through the panel that placed it.
    if (FDesktopPanel && FDesktopPanel->OnBuildInEvent()) FDesktopPanel->OnBuildInEvent()(this, SysCommand());
}

void TVGDesktopButton::MatrixChanged() {
    TVGDockButton::MatrixChanged();
    if (auto* panel = qobject_cast<TVGDesktopPanel*>(Parent())) panel->DesktopButtonMoved(this);
}

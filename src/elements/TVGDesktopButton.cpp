#include "TVGDesktopButton.h"

#include "TVGDesktopPanel.h"
#include "TVGHintBox.h"
#include "vgBounds.h"
#include "vgBrush.h"
#include "vgLabel.h"
#include "vgPosition.h"
#include "vgRectangle.h"
#include "vgReflectionEffect.h"

TVGDesktopButton::TVGDesktopButton(QObject* AOwner) : TVGDockButton(AOwner) {
    SetOnMouseEnter(nullptr);
    SetOnMouseLeave(nullptr);
    SetOnClick(nullptr);
    SetWidth(80);
    SetHeight(90);
    SetPictureWhenShown(true);
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
    FTitle->SetResourceLater(QStringLiteral("ValueLabel1Style3"));
    FTitle->SetHeight(20);
    Realign();
}

void TVGDesktopButton::ButtonMouseEnter(TvgObject*) {
    FBackGround->Stroke()->SetStyle(vgBrushSolid);
    FBackGround->Stroke()->SetColor(QStringLiteral("#FF25283B"));
    FBackGround->Fill()->SetStyle(vgBrushSolid);
    FBackGround->Fill()->SetColor(QStringLiteral("#644A4E68"));
    // Desktop buttons show their name in their title; the hint box only tells of a missing target.
    TVGHintBox* hint = FDesktopPanel ? FDesktopPanel->HintBox() : nullptr;
    if (!hint || !IsTargetMissing()) return;
    hint->SetHintDirection(HD_Bottom);
    hint->SetWidth(100);
    hint->Position()->SetPoint({FDesktopPanel->Position()->X() + Position()->X() + (Width() - 100) / 2,
                                FDesktopPanel->Position()->Y() + Position()->Y() - hint->Height()});
    hint->SetHintInfo(HintText());
    hint->SetVisible(true);
}

void TVGDesktopButton::ButtonMouseLeave(TvgObject*) {
    FBackGround->Stroke()->SetStyle(vgBrushNone);
    FBackGround->Fill()->SetStyle(vgBrushNone);
    if (FDesktopPanel && FDesktopPanel->HintBox() && IsTargetMissing())
        FDesktopPanel->HintBox()->SetVisible(false);
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

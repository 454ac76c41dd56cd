#include "vgWindow.h"

#include "vgClassRegistry.h"
#include "vgCloseButton.h"

VG_REGISTER_CLASS(TvgWindow)

TvgWindow::TvgWindow(QObject* AOwner) : TvgTextControl(AOwner) {
    SetWidth(200);
    SetHeight(200);
    SetHitTest(false);
    SetTextAlign(vgTextAlignNear);
}

void TvgWindow::SetShowCloseButton(bool value) {
    if (FShowCloseButton == value) return;
    FShowCloseButton = value;
    UpdateResource();
}

void TvgWindow::SetShowSizeGrip(bool value) {
    if (FShowSizeGrip == value) return;
    FShowSizeGrip = value;
    UpdateResource();
}

void TvgWindow::SetOnCloseClick(TNotifyEvent h) {
    FOnCloseClick = std::move(h);
    if (!Loading()) ApplyWindowStyle();
}

TvgVisualObject* TvgWindow::VisualPart(const QString& AName) const {
    TvgObject* part = FindResource(AName);
    return part && part->IsVisual() ? part->Visual() : nullptr;
}

void TvgWindow::StyleApplied() {
    TvgTextControl::StyleApplied();
    ApplyWindowStyle();
}

void TvgWindow::ApplyWindowStyle() {
    if (TvgVisualObject* close = VisualPart(QStringLiteral("close"))) {
        close->SetVisible(FShowCloseButton);
        if (auto* button = qobject_cast<TvgCloseButton*>(close); button && FOnCloseClick) {
            button->SetCloseForm(false);
            button->SetOnClick(FOnCloseClick);
        }
    }
    if (TvgVisualObject* grip = VisualPart(QStringLiteral("sizegrip"))) grip->SetVisible(FShowSizeGrip);
}

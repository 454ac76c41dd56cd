#include "ufrmMarovia.h"

TfrmMarovia* frmMarovia = nullptr;

TfrmMarovia::TfrmMarovia() : FWindow(Platform().CreateHostWindow(THostWindowKind::HW_Desktop)) {
    FWindow->SetTitle(QStringLiteral("Marovia"));
    FormCreate();
}

TfrmMarovia::~TfrmMarovia() {
    FormDestroy();
}

void TfrmMarovia::FormCreate() {
    FitToWorkArea();
}

void TfrmMarovia::FormDestroy() {}

void TfrmMarovia::FitToWorkArea() {
    // The work area's own left and top are not used: the form starts at the screen's corner.
    const QRect workArea = Platform().WorkArea();
    FWindow->SetGeometry(QRect(0, 0, workArea.width(), workArea.height()));
}

void TfrmMarovia::Show() {
    FWindow->Show();
}

QRect TfrmMarovia::BoundsRect() const {
    return FWindow->Geometry();
}

#include "TVGDockPanel.h"

#include <QFileInfo>
#include <QPointer>

#include "IPlatform.h"
#include "TVGBaseButton.h"
#include "TVGHotButton.h"
#include "uCursors.h"
#include "uPathInfo.h"
#include "vgClassRegistry.h"
#include "vgImage.h"
#include "vgLayout.h"
#include "vgPosition.h"

VG_REGISTER_CLASS(TVGDockPanel)

namespace {

// The buttons' row begins inside the left end and stands 30 pixels above the strip; the dock is
// 80 pixels wider than the row, for its two ends.
constexpr float kRowStart = 50;
constexpr float kRowRise = -30;
constexpr float kExtraWidth = 80;
constexpr float kButtonGap = 4;
constexpr float kBottomGap = 20;

TvgImage* CreatePiece(TVGDockPanel* dock, TvgAlign align) {
    auto* piece = new TvgImage(dock);
    piece->SetParent(dock);
    piece->SetHitTest(false);
    piece->SetAlign(align);
    return piece;
}

TVGHotButton* CreateHotButton(TVGDockPanel* dock, TvgPoint at, const QString& imageFile) {
    auto* button = new TVGHotButton(dock);
    button->SetParent(dock);
    button->Position()->SetPoint(at);
    button->SetImageFile(imageFile);
    return button;
}

void LoadPiece(TvgImage* piece, const QString& fileName) {
    if (QFileInfo::exists(fileName)) piece->Bitmap()->LoadFromFile(fileName);
}

float WorkAreaWidth() {
    return static_cast<float>(Platform().WorkArea().width());
}

}  // namespace

TVGDockPanel::TVGDockPanel(QObject* AOwner) : TvgSelection(AOwner) {
    SetHeight(55);
    SetWidth(450);
    SetHideSelection(true);
    SetCursor(crSizeAll);

    FLeftImage = CreatePiece(this, vaMostLeft);
    FLeftImage->SetWidth(55);
    FRightImage = CreatePiece(this, vaMostRight);
    FRightImage->SetWidth(25);
    FCenterImage = CreatePiece(this, vaClient);
    FCenterImage->SetWrapMode(vgImageTile);

    FPanel = new TvgLayout(this);
    FPanel->SetParent(this);
    FPanel->SetHeight(55);
    FPanel->SetWidth(Width());
    FPanel->SetHitTest(false);

    FSetButton = CreateHotButton(this, {12, 32}, PathInfo->SetButtonImageFile());
    FSetButton->SetOnClick([this](TvgObject* Sender) { SetButtonClick(Sender); });
    FCloseButton = CreateHotButton(this, {24, 10}, PathInfo->CloseButtonImageFile());
    FCloseButton->SetOnClick([this](TvgObject* Sender) { CloseButtonClick(Sender); });

    Position()->SetPoint(HomePosition());
}

TvgPoint TVGDockPanel::HomePosition() const {
    const QRect workArea = Platform().WorkArea();
    return {(static_cast<float>(workArea.width()) - Width()) / 2,
            static_cast<float>(workArea.height()) - Height() - kBottomGap};
}

TvgRect TVGDockPanel::ShownRect() {
    TvgRect shown = TvgSelection::ShownRect();
    if (!FPanel || !FPanel->Visible()) return shown;
    for (TvgObject* child : FPanel->ChildList())
        if (child->IsVisual() && child->Visual()->Visible())
            shown = UnionRect(shown, MapRect(child->Visual()->ParentedRect(), FPanel->LocalMatrix()));
    return shown;
}

void TVGDockPanel::KeepRowInside() {
    const TvgObject* parent = Parent();
    if (!ParentBounds() || !parent || !parent->Visual()) return;
    const TvgRect shown = ShownRect();
    const float parentHeight = parent->Visual()->Height();
    // A parent not laid out yet says nothing about where the dock may go.
    if (parentHeight <= 0) return;
    float y = Position()->Y();
    // The top rule comes last: a dock taller than the work area keeps its buttons in view.
    if (y + shown.Bottom > parentHeight) y = parentHeight - shown.Bottom;
    if (y + shown.Top < 0) y = -shown.Top;
    Position()->SetY(y);
}

void TVGDockPanel::DblClick() {
    TvgSelection::DblClick();
    FGoHome = true;
}

void TVGDockPanel::MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) {
    FGoHome = false;
    const QPointer<TVGDockPanel> self(this);
    TvgSelection::MouseDown(Button, Shift, X, Y);
    if (!self || !FGoHome) return;
    FGoHome = false;
    // The second press of the double click would otherwise drag the dock from where it was.
    CancelDrag();
    Position()->SetPoint(HomePosition());
}

void TVGDockPanel::LoadBackGround(const QString& ALeftImageFile, const QString& ACenterImageFile,
                                  const QString& ARightImageFile) {
    LoadPiece(FLeftImage, ALeftImageFile);
    LoadPiece(FCenterImage, ACenterImageFile);
    LoadPiece(FRightImage, ARightImageFile);
}

void TVGDockPanel::AddDockButton(TVGBaseButton* AVGDockButton) {
    AVGDockButton->SetParent(FPanel);
    const float pitch = AVGDockButton->Width() + kButtonGap;
    AVGDockButton->Position()->SetX(static_cast<float>(FButtonCount) * pitch);
    AVGDockButton->SetPanel(this);
    AVGDockButton->Realign();
    ++FButtonCount;
    FAddedWhileAdding = FAdding;

    const float oldWidth = Width();
    SetWidth(static_cast<float>(FButtonCount) * pitch + kExtraWidth);
    // A dock outside a scene is not laid out by the toolkit when its width changes.
    if (Width() != oldWidth && !Scene()) Realign();
    SetVisible(true);
}

void TVGDockPanel::Realign() {
    TvgSelection::Realign();
    if (!FPanel || Destroying()) return;
    FPanel->SetWidth(Width() - kExtraWidth);
    FPanel->Position()->SetPoint({kRowStart, kRowRise});
    Position()->SetX((WorkAreaWidth() - Width()) / 2);
    if (!FAdding) KeepRowInside();
}

void TVGDockPanel::BeginAdding() {
    if (FAdding) return;
    FAdding = true;
    FPanel->BeginUpdate();
}

void TVGDockPanel::EndAdding() {
    if (!FAdding) return;
    const bool added = FAddedWhileAdding;
    FAdding = FAddedWhileAdding = false;
    FPanel->EndUpdate();
    if (added) Realign();
}

float TVGDockPanel::PaddingLeft() const {
    return FLeftImage->Width();
}

void TVGDockPanel::SetButtonClick(TvgObject*) {
    if (FOnBuildInEvent) FOnBuildInEvent(this, MVC_DockPanelManage);
}

void TVGDockPanel::CloseButtonClick(TvgObject*) {
    SetVisible(false);
}

#include "TVGDesktopPanel.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "TVGDesktopButton.h"
#include "uPathInfo.h"
#include "vgBrush.h"
#include "vgClassRegistry.h"
#include "vgDecodedPictures.h"
#include "vgFloatAnimation.h"
#include "vgPosition.h"

VG_REGISTER_CLASS(TVGDesktopPanel)

namespace {

// The gap between cells, and the margin before the first row and column.
constexpr float kGap = 4;

TvgPoint CellAt(int col, int row, float pitchX, float pitchY) {
    return {static_cast<float>(col) * pitchX + kGap, static_cast<float>(row) * pitchY + kGap};
}

// More cells than any screen or window holds; it keeps the counts, and the walk over them, within
// the integers.
constexpr double kMostCells = 1 << 20;

// How many whole pitches of `size` + 4 fit into `length`, rounded to whole pixels first. A length
// that is not a number, or not positive, holds no cell.
int CountCells(double length, int size) {
    if (!(length > 0)) return 0;
    const double pitch = std::max(static_cast<double>(size) + kGap, 1.0);
    const double rounded = RoundHalfEven(std::min(length, kMostCells * pitch));
    return static_cast<int>(std::min(std::floor(rounded / pitch), kMostCells));
}

}  // namespace

TVGDesktopPanel::TVGDesktopPanel(QObject* AOwner) : TvgRectangle(AOwner) {
    Position()->SetPoint({static_cast<float>(Platform().WorkArea().width()), 0});
    SetWidth(1);
    SetHeight(static_cast<float>(Platform().ScreenSize().height()));

    Stroke()->SetStyle(vgBrushNone);
    Fill()->SetStyle(vgBrushBitmap);
    Fill()->Bitmap()->SetWrapMode(vgWrapTileStretch);
    SetOnMouseDown([this](TvgObject* Sender, TMouseButton Button, TShiftState Shift, float X, float Y) {
        PanelMouseDown(Sender, Button, Shift, X, Y);
    });

    FFloatAnimation = new TvgFloatAnimation(this);
    FFloatAnimation->SetParent(this);
    FFloatAnimation->SetEnabled(false);
    FFloatAnimation->SetPropertyName(QStringLiteral("Position.X"));
    FFloatAnimation->SetDuration(SlideDuration);
    FFloatAnimation->SetOnFinish([this](TvgObject*) { FloatAnimationFinish(); });
    FFloatAnimation->SetOnProcess([this](TvgObject*) { KeepOverPictures(); });

    FPopupMenu = Platform().CreatePopupMenu();
    FPopupMenu->SetOnPopup([this] { PopupMenuPopup(); });
}

TVGDesktopPanel::~TVGDesktopPanel() {
    StopWallPaperTimer();
    FFloatAnimation->SetOnFinish(nullptr);
    FFloatAnimation->SetOnProcess(nullptr);
}

int TVGDesktopPanel::ButtonCount() const {
    return FCells.ButtonCount();
}

void TVGDesktopPanel::AddObject(TvgObject* AObject) {
    TvgRectangle::AddObject(AObject);
    if (!AObject || AObject->Parent() != this) return;
    if (auto* button = qobject_cast<TVGDesktopButton*>(AObject))
        FCells.Add(button, button->Position()->Point());
}

void TVGDesktopPanel::RemoveObject(TvgObject* AObject) {
    TvgRectangle::RemoveObject(AObject);
    // By address only: a button that is being freed is no longer a TVGDesktopButton.
    if (AObject && AObject->Parent() != this) FCells.Remove(AObject);
}

void TVGDesktopPanel::DesktopButtonMoved(TVGDesktopButton* AButton) {
    if (AButton->Parent() == this) FCells.Move(AButton, AButton->Position()->Point());
}

int TVGDesktopPanel::GetColumnCount() const {
    const double width = FButtonAlign == BA_Vertical ? Platform().WorkArea().width() : FValidWidth;
    return CountCells(width, FButtonWidth);
}

int TVGDesktopPanel::GetRowCount() const {
    return CountCells(Height(), FButtonHeight);
}

bool TVGDesktopPanel::PositionUsed(const TvgPoint& P) const {
    return FCells.Used(P);
}

TvgPoint TVGDesktopPanel::GetFreePosition(TVGBaseButton* AButton) {
    int row = 0;
    const TvgPoint P = FindFreeCell(AButton, row);
    GrowToRow(row);
    return P;
}

TvgPoint TVGDesktopPanel::FindFreeCell(TVGBaseButton* AButton, int& ARow) {
    const float pitchX = AButton->Width() + kGap;
    const float pitchY = AButton->Height() + kGap;
    TvgPoint P = SearchCell(pitchX, pitchY, ARow);
    if (PositionUsed(P)) P = OverflowCell(pitchX, pitchY, ARow);
    return P;
}

void TVGDesktopPanel::GrowToRow(int ARow) {
    if (FButtonAlign == BA_Horizontal) SetHeight(static_cast<float>((ARow + 1.0) * FButtonHeight));
}

// The walk through the cells in fill order. It gives the first free cell, or, when the grid is
// full, a cell that is taken. A walk on the same grid resumes where the previous one stopped, as
// long as none of the cells it went through has been freed since: it would pass them again.
TvgPoint TVGDesktopPanel::SearchCell(float APitchX, float APitchY, int& ARow) {
    const int columns = GetColumnCount();
    const int rows = GetRowCount();
    // Once the last row or column is reached the walk goes round it for ever; every state of the
    // walk is a column in 0…columns and a row in 0…rows + 1, so a longer walk has repeated itself.
    const long long longestWalk = (columns + 1LL) * (rows + 2LL);
    TDesktopCells::TTrail& trail = FCells.SearchTrail();
    TDesktopCells::TWalk w;
    if (!trail.Start({columns, rows, APitchX, APitchY, FButtonAlign}, w))
        w.P = CellAt(0, 0, APitchX, APitchY);
    while (!w.Ended && w.Step < longestWalk && PositionUsed(w.P)) {
        trail.Passed(w.P);
        if (FButtonAlign == BA_Vertical) {
            if (w.Row <= rows) ++w.Row;
            if (w.Row == rows) {
                w.Row = 0;
                if (w.Col < columns) ++w.Col;
            }
        } else {
            if (w.Col < columns) ++w.Col;
            if (w.Col == columns) {
                w.Col = 0;
                if (w.Row <= rows) ++w.Row;
            }
        }
        w.P = CellAt(w.Col, w.Row, APitchX, APitchY);
        if (w.Row >= rows && w.Col >= columns)
            w.Ended = true;
        else
            ++w.Step;
    }
    trail.Stopped(w);
    ARow = w.Row;
    return w.P;
}

// A full grid goes on past its edge in the direction it grows: further columns to the right, or
// further rows below (the desktop file window scrolls to them). The first free cell in fill order.
// A grid without rows (or, filling rows, without columns) goes on one cell per line.
TvgPoint TVGDesktopPanel::OverflowCell(float APitchX, float APitchY, int& ARow) {
    const bool vertical = FButtonAlign == BA_Vertical;
    const int perLine = std::max(vertical ? GetRowCount() : GetColumnCount(), 1);
    TDesktopCells::TTrail& trail = FCells.OverflowTrail();
    TDesktopCells::TWalk w;
    trail.Start({perLine, 0, APitchX, APitchY, FButtonAlign}, w);
    // Distinct cells: among the first (taken cells + 1) lines of the walk one cell is free. Cells
    // coincide only when a pitch is zero (buttons of width or height −4) or the positions are too
    // large to tell apart; the walk then gives up on the last cell it looked at.
    const long long longestWalk = (static_cast<long long>(FCells.ButtonCount()) + 1) * perLine;
    TvgPoint P;
    int row = 0;
    for (;; ++w.Step) {
        const auto line = static_cast<int>(std::min<long long>(w.Step / perLine, INT_MAX));
        const int slot = static_cast<int>(w.Step % perLine);
        const int col = vertical ? line : slot;
        row = vertical ? slot : line;
        P = CellAt(col, row, APitchX, APitchY);
        if (!PositionUsed(P)) break;
        trail.Passed(P);
        if (w.Step >= longestWalk) break;
    }
    trail.Stopped(w);
    ARow = row;
    return P;
}

void TVGDesktopPanel::AddDesktopButton(TVGBaseButton* AVGDesktopButton) {
    auto* button = qobject_cast<TVGDesktopButton*>(AVGDesktopButton);
    if (!button) throw std::invalid_argument("only desktop buttons are placed on the desktop panel");
    // Out of the way while the new button looks for its cell.
    if (FAddButton) {
        FAddButton->Position()->SetPoint({0, 0});
        FAddButton->SetVisible(false);
    }
    button->SetParent(this);
    button->SetDesktopPanel(this);
    // On a panel that is shown the picture is needed now.
    if (Visible() && CheckParentVisible()) button->LoadDuePicture();
    // A panel that fills rows grows once the button stands in its cell, not before: the growth
    // lays out what holds the panel (the desktop file window's scroll box), whose range then takes
    // in the new row (its buttons reach below the panel's height, rows of 90 on a pitch of 94).
    int row = 0;
    const TvgPoint P = FindFreeCell(button, row);
    button->SetWidth(static_cast<float>(FButtonWidth));
    button->SetHeight(static_cast<float>(FButtonHeight));
    button->Position()->SetPoint(P);
    GrowToRow(row);
    if (!FAddButton) return;
    if (button != FAddButton) {
        const TvgPoint P2 = FindFreeCell(button, row);
        FAddButton->Position()->SetPoint(P2);
        GrowToRow(row);
    }
    FAddButton->SetVisible(true);
}

bool TVGDesktopPanel::LoadDuePictures(int AMost) {
    // Buttons sharing an icon file look at it once in this pass.
    const TDecodedPicturesPass pictures;
    for (TvgObject* child : ChildList()) {
        auto* button = qobject_cast<TVGBaseButton*>(child);
        if (!button || !button->PictureDue()) continue;
        if (AMost-- <= 0) return true;
        button->LoadDuePicture();
    }
    return false;
}

void TVGDesktopPanel::LoadDuePicturesLater() {
    if (FDuePicturesPosted) return;
    FDuePicturesPosted = true;
    Platform().Post([panel = QPointer<TVGDesktopPanel>(this)] {
        if (!panel) return;
        panel->FDuePicturesPosted = false;
        // About two milliseconds of decoding at a time.
        constexpr int kPicturesAtATime = 16;
        if (panel->LoadDuePictures(kPicturesAtATime)) panel->LoadDuePicturesLater();
    });
}

void TVGDesktopPanel::CreateDefaultButton() {
    if (FAddButton) return;
    FAddButton = new TVGDesktopButton(this);
    FAddButton->SetParent(this);
    FAddButton->SetButtonName(QStringLiteral("添加"));
    FAddButton->SetImageFile(PathInfo->AddImageFile());
    FAddButton->SetFileName(QStringLiteral("MV:\\\\AddDesktopButton"));
    FAddButton->SetIsSystemButton(true);
    FAddButton->SetDesktopPanel(this);
    FAddButton->SetSysCommand(MVC_AddDesktopButton);
    AddDesktopButton(FAddButton);
}

void TVGDesktopPanel::DoRestore() {
    if (!FAddButton || ButtonCount() != 1) return;
    FAddButton->Position()->SetPoint({0, 0});
    FAddButton->Position()->SetPoint(GetFreePosition(FAddButton));
}

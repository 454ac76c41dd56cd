#pragma once
// The dock: a bar of launch buttons near the bottom of the work area on a three-piece background
// (left end, tiled centre, right end), with a manage and a hide hot button on its left end. It is a
// selection frame whose frame is never drawn, so the user can drag it about; the drag keeps the
// whole dock, with the row of buttons above the shelf, inside the work area.

#include <QString>

#include "uMaroviaTypes.h"
#include "vgSelection.h"

class TVGBaseButton;
class TVGHotButton;
class TvgImage;
class TvgLayout;

class TVGDockPanel : public TvgSelection {
    Q_OBJECT
    Q_PROPERTY(int ButtonCount READ ButtonCount WRITE SetButtonCount)
    Q_PROPERTY(float PaddingLeft READ PaddingLeft STORED false)
    Q_PROPERTY(float PaddingTop READ PaddingTop STORED false)

public:
    Q_INVOKABLE explicit TVGDockPanel(QObject* AOwner = nullptr);

    // Loads each piece whose file exists; a missing file leaves that piece as it was.
    void LoadBackGround(const QString& ALeftImageFile, const QString& ACenterImageFile,
                        const QString& ARightImageFile);
    // Appends a button to the row (it becomes a child of the inner layout), widens the dock to
    // hold it and shows the dock.
    void AddDockButton(TVGBaseButton* AVGDockButton);
    // Between these the row is not kept inside the work area after every added button (a walk over
    // every button so far, each time), nor is the row laid out again as it widens; EndAdding does
    // both once. The places are the same: each added button only narrows the range the dock may
    // stand in, and the row's buttons stand where their own X puts them.
    void BeginAdding();
    void EndAdding();
    // The background pieces take their places, the buttons' row follows the width and the dock is
    // centred across the work area again.
    void Realign() override;

    // The buttons added since the last reset. Writing only stores: the scene manager writes 0
    // after freeing the buttons, so that the next one starts the row again.
    int ButtonCount() const { return FButtonCount; }
    void SetButtonCount(int Value) { FButtonCount = Value; }
    // The width of the left end, where the buttons' row begins.
    float PaddingLeft() const;
    float PaddingTop() const { return 10; }

    const TOnBuildInEvent& OnBuildInEvent() const { return FOnBuildInEvent; }
    void SetOnBuildInEvent(TOnBuildInEvent Value) { FOnBuildInEvent = std::move(Value); }

    // The place the dock starts at: centred across the work area, 20 pixels above its bottom.
    TvgPoint HomePosition() const;
    // A double click on the dock's own shelf (not on a button) brings it back to that place.
    void DblClick() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, float X, float Y) override;

    void SetButtonClick(TvgObject* Sender);
    void CloseButtonClick(TvgObject* Sender);

    TvgImage* LeftImage() const { return FLeftImage; }
    TvgImage* CenterImage() const { return FCenterImage; }
    TvgImage* RightImage() const { return FRightImage; }
    // The inner layout that holds the buttons.
    TvgLayout* Panel() const { return FPanel; }
    TVGHotButton* SetButton() const { return FSetButton; }
    TVGHotButton* CloseButton() const { return FCloseButton; }

protected:
    // The shelf and the row of buttons standing above it.
    TvgRect ShownRect() override;

private:
    // The dock, buttons included, inside its parent (the work area) from top to bottom.
    void KeepRowInside();

    TvgImage* FLeftImage = nullptr;
    TvgImage* FRightImage = nullptr;
    TvgImage* FCenterImage = nullptr;
    TvgLayout* FPanel = nullptr;
    int FButtonCount = 0;
    TVGHotButton* FSetButton = nullptr;
    TVGHotButton* FCloseButton = nullptr;
    TOnBuildInEvent FOnBuildInEvent;
    bool FGoHome = false;
    bool FAdding = false;
    bool FAddedWhileAdding = false;
};

#pragma once
// The desktop panel: a full-height layer of large launch buttons on a grid of equal cells, painted
// with the user's wallpaper. It keeps its own "添加" button in the first free cell after the
// others, slides in from the right edge and back out, and opens a menu of built-in commands on a
// right click. The desktop file window shows a second one, without the "添加" button and the menu.

#include <QPointer>
#include <QString>
#include <climits>

#include <cstdint>
#include <memory>
#include <vector>

#include "IPlatform.h"
#include "TDesktopCells.h"
#include "uMaroviaTypes.h"
#include "vgRectangle.h"

class TVGBaseButton;
class TVGDesktopButton;
class TvgFloatAnimation;
class TVGHintBox;
class TvgScene;

// The fill order of the grid.
enum TButtonAlign : std::uint8_t {
    BA_Vertical,    // columns from the top down; the column count comes from the work area
    BA_Horizontal,  // rows from left to right within ValidWidth; the panel grows downwards
};

class TVGDesktopPanel : public TvgRectangle {
    Q_OBJECT
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE SetButtonWidth)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight)
    Q_PROPERTY(float ValidWidth READ ValidWidth WRITE SetValidWidth)
    Q_PROPERTY(int ButtonCount READ ButtonCount STORED false)
    Q_PROPERTY(QString WallPaper READ WallPaper WRITE SetWallPaper)
    Q_PROPERTY(bool IsSynchronWallPaper READ IsSynchronWallPaper WRITE SetIsSynchronWallPaper)

public:
    static constexpr int WallPaperInterval = 500;  // milliseconds
    static constexpr float SlideDuration = 0.6f;   // seconds

    Q_INVOKABLE explicit TVGDesktopPanel(QObject* AOwner = nullptr);
    ~TVGDesktopPanel() override;

    // --- the grid ---
    // Places a TVGDesktopButton (anything else is refused with std::invalid_argument) in the first
    // free cell and moves the "添加" button on to the next one.
    void AddDesktopButton(TVGBaseButton* AVGDesktopButton);
    // Decodes the due pictures (TVGBaseButton::PictureWhenShown) of at most AMost of the panel's
    // buttons, in their order; true while more are due.
    bool LoadDuePictures(int AMost = INT_MAX);
    // Decodes the due pictures a few at a time from the event loop, between whatever else it
    // does, so that they are ready before the panel is first shown and the first frame after a
    // load waits for none of them.
    void LoadDuePicturesLater();
    // Creates the "添加" button; once, right after the panel.
    void CreateDefaultButton();
    // Puts the "添加" button back into the first cell when it is the only button left.
    void DoRestore();

    // The desktop buttons among the direct children ("添加" and hidden ones included).
    int ButtonCount() const;
    // The values apply to buttons added later; buttons already placed stay where they are.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value) { FButtonWidth = Value; }
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value) { FButtonHeight = Value; }
    TButtonAlign ButtonAlign() const { return FButtonAlign; }
    void SetButtonAlign(TButtonAlign Value) { FButtonAlign = Value; }
    float ValidWidth() const { return FValidWidth; }
    void SetValidWidth(float Value) { FValidWidth = Value; }
    TVGDesktopButton* AddButton() const { return FAddButton; }
    // Keeps the record of taken cells: a desktop button tells its panel when it moves.
    void AddObject(TvgObject* AObject) override;
    void RemoveObject(TvgObject* AObject) override;
    void DesktopButtonMoved(TVGDesktopButton* AButton);

    // The hint box a button whose target has gone shows over itself; borrowed, may be none.
    TVGHintBox* HintBox() const { return FHintBox; }
    void SetHintBox(TVGHintBox* Value) { FHintBox = Value; }

    const TOnBuildInEvent& OnBuildInEvent() const { return FOnBuildInEvent; }
    void SetOnBuildInEvent(TOnBuildInEvent Value) { FOnBuildInEvent = std::move(Value); }

    // --- the menu ---
    // Fills the right-click menu with the built-in commands; once, after CreateDefaultButton.
    void CreatePopupMenu();
    // The right-click menu; its items carry their command in Tag.
    IPopupMenu* Menu() const { return FPopupMenu.get(); }
    void PanelMouseDown(TvgObject* Sender, TMouseButton Button, TShiftState Shift, float X, float Y);
    void PopupMenuPopup();
    void MenuItemClick(int AItemIndex);

    // --- sliding and the wallpaper ---
    // Slides in from the right edge of the work area, painted with the current wallpaper.
    void Show();
    // Slides out to the right edge, then hides.
    void Hide();
    // Runs the wallpaper timer while the panel is visible.
    void SetVisible(bool value) override;
    QString WallPaper() const { return FWallPaper; }
    void SetWallPaper(const QString& Value);
    bool IsSynchronWallPaper() const { return FIsSynchronWallPaper; }
    // While on, the wallpaper setting is read again every 500 ms as long as the panel is visible;
    // the timer runs only then.
    void SetIsSynchronWallPaper(bool Value);
    TvgFloatAnimation* FloatAnimation() const { return FFloatAnimation; }
    bool WallPaperTimerActive() const { return FTimer != 0; }

private:
    int GetColumnCount() const;
    int GetRowCount() const;
    bool PositionUsed(const TvgPoint& P) const;
    TvgPoint GetFreePosition(TVGBaseButton* AButton);
    // The cell without growing the panel; GrowToRow then gives a panel that fills rows its height.
    TvgPoint FindFreeCell(TVGBaseButton* AButton, int& ARow);
    void GrowToRow(int ARow);
    TvgPoint SearchCell(float APitchX, float APitchY, int& ARow);
    TvgPoint OverflowCell(float APitchX, float APitchY, int& ARow);

    void AddMenuItem(const QString& ACaption, TMVSysCommand ACommand, bool AAutoCheck = false);
    void AddMenuSeparator();

    bool LoadWallPaper(const QString& AFileName);
    void PaintDesktopColour();
    void FloatAnimationFinish();
    void WallPaperTimer();
    void StartWallPaperTimer();
    void StopWallPaperTimer();
    bool SlidingOut() const;
    void KeepSlidePicture();
    void DropSlidePicture(bool afterThisFrame);
    void KeepOverPictures();
    void KeepOverPicture(TvgScene& AScene, TvgVisualObject& AObject);
    void DropOverPictures();

    int FButtonWidth = 80;
    int FButtonHeight = 90;
    TButtonAlign FButtonAlign = BA_Vertical;
    float FValidWidth = 0;
    TVGDesktopButton* FAddButton = nullptr;
    TOnBuildInEvent FOnBuildInEvent;
    TVGHintBox* FHintBox = nullptr;
    TDesktopCells FCells;

    QString FWallPaper;
    bool FIsSynchronWallPaper = false;
    TvgFloatAnimation* FFloatAnimation;
    std::unique_ptr<IPopupMenu> FPopupMenu;
    TimerId FTimer = 0;
    bool FInWallPaperTimer = false;
    IPlatform* FTimerPlatform = nullptr;
    // What lies over the sliding panel, copied from pictures of its own while the panel slides.
    std::vector<QPointer<TvgVisualObject>> FOverPictures;
    bool FOverPicturesDue = false;
    bool FDuePicturesPosted = false;
};

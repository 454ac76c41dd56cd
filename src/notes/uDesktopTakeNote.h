#pragma once
// One sticky note on the desktop: a coloured paper picture with the note's text, dragged to move,
// double-clicked to edit, right-clicked for its menu. Every change it makes is written at once
// into its note record; the note store saves the records, never the note itself.

#include <QString>

#include <memory>

#include "IPlatform.h"
#include "uMaroviaTypes.h"
#include "vgSelection.h"

class TvgFont;
class TvgImage;
class TvgText;
struct TTakeNoteItem;

class TDesktopTakeNote : public TvgSelection {
    Q_OBJECT
    Q_PROPERTY(int ID READ ID WRITE SetID)
    Q_PROPERTY(QString BackImage READ BackImage WRITE SetBackImage)
    Q_PROPERTY(QString Content READ Content WRITE SetContent)
    Q_PROPERTY(bool IsHide READ IsHide WRITE SetIsHide)
    Q_PROPERTY(bool IsDelete READ IsDelete WRITE SetIsDelete)
    Q_PROPERTY(QString ContentColor READ ContentColor WRITE SetContentColor)

public:
    static constexpr int SkinCount = 7;

    Q_INVOKABLE explicit TDesktopTakeNote(QObject* AOwner = nullptr);
    ~TDesktopTakeNote() override;

    int ID() const { return FID; }
    void SetID(int value) { FID = value; }
    // The picture's file name in the notes picture folder; an empty name picks one at random.
    QString BackImage() const { return FBackImage; }
    void SetBackImage(const QString& value);
    // The text as shown; the record keeps empty text for a blank one.
    QString Content() const { return FContent; }
    void SetContent(const QString& value);
    // Borrowed; the setters below write into it.
    TTakeNoteItem* TakeNoteItem() const { return FTakeNoteItem; }
    void SetTakeNoteItem(TTakeNoteItem* value) { FTakeNoteItem = value; }
    bool IsHide() const { return FIsHide; }
    void SetIsHide(bool value);
    // Marks the note whose own menu asked for it to be deleted.
    bool IsDelete() const { return FIsDelete; }
    void SetIsDelete(bool value) { FIsDelete = value; }
    const TOnBuildInEvent& OnBuildInEvent() const { return FOnBuildInEvent; }
    void SetOnBuildInEvent(TOnBuildInEvent value) { FOnBuildInEvent = std::move(value); }
    // The text's font; writing copies the given one into it (the record is not touched).
    TvgFont* ContentFont() const;
    void SetContentFont(const TvgFont& value);
    // "#AARRGGBB"; writing also stores the colour in the record (alpha dropped).
    QString ContentColor() const;
    void SetContentColor(const QString& value);

    TvgImage* Image() const { return FvgImage; }
    TvgText* Text() const { return FvgContent; }
    // Made when first asked for (a right click, mostly): of thousands of notes few ever open it.
    IPopupMenu* Menu();
    // The place of "更换背景" in the menu; its sub-menu holds the colours.
    int SkinItemIndex();

    // Handlers, public so that tests and the menu reach them the same way.
    void NoteChange(TvgObject* Sender);
    void NoteMouseDown(TvgObject* Sender, TMouseButton Button, TShiftState Shift, float X, float Y);
    void NoteDblClick(TvgObject* Sender);
    void PopupMenuPopup();
    void MenuItemClick(int ATag);
    void SkinItemClick(int ATag);
    void ShowFontDialog();

    // "N.png" with N uniformly from 1 to SkinCount.
    static QString GetRandomBackImage();

private:
    void CreatePopupMenu();
    void CreateSkinMenu(TPopupMenuItem& AParent);
    void LoadBackImage();
    void RaiseBuildInEvent(TMVSysCommand ACommand);

    TvgImage* FvgImage;
    TvgText* FvgContent;
    QString FBackImage;
    QString FContent;
    int FID = 0;
    TTakeNoteItem* FTakeNoteItem = nullptr;
    std::unique_ptr<IPopupMenu> FPopupMenu;
    bool FIsHide = false;
    TOnBuildInEvent FOnBuildInEvent;
    bool FIsDelete = false;
    int FSkinItemParent = -1;
};

// The notes picture folder's file for a picture name, letter case ignored (the notes file spells the
// same picture "3.png" and "3.Png"); empty when there is none.
QString FindTakeNoteImage(const QString& AName);

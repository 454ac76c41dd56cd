#include "uDesktopTakeNote.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#include "uPathInfo.h"
#include "uPubFuns.h"
#include "uTakeNoteManage.h"
#include "ufrmEditTakeNote.h"
#include "vgBitmap.h"
#include "vgBounds.h"
#include "vgDecodedPictures.h"
#include "vgFont.h"
#include "vgImage.h"
#include "vgPosition.h"
#include "vgText.h"

namespace {

// Blank and control characters (all of U+0000 … U+0020) at either end do not make a note's text.
bool IsBlankText(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0x20; });
}

// The folder's file names as last listed. Thousands of notes that spell their picture in another
// letter case than its file ("3.png" for "3.Png") would otherwise list the folder once each.
class TPictureFolderListing {
public:
    // The file of the folder named AName, or else named so but for letter case; the folder is listed
    // again when the name listed before is gone or none matches (a picture added since). Empty when
    // there is none.
    QString Find(const QString& AFolder, const QString& AName) {
        if (AFolder == FFolder) {
            const QString found = Match(AName);
            if (!found.isEmpty() && QFileInfo(AFolder + found).isFile()) return found;
        }
        FFolder = AFolder;
        FEntries = QDir(AFolder).entryList(QDir::Files | QDir::Hidden);
        return Match(AName);
    }

private:
    QString Match(const QString& AName) const {
        if (FEntries.contains(AName)) return AName;
        for (const QString& entry : FEntries)
            if (entry.compare(AName, Qt::CaseInsensitive) == 0) return entry;
        return {};
    }

    QString FFolder;
    QStringList FEntries;
};

}  // namespace

QString FindTakeNoteImage(const QString& AName) {
    if (AName.isEmpty()) return {};
    const QString folder = PathInfo->TakeNoteImagePath();
    static TPictureFolderListing listing;
    const QString entry = listing.Find(folder, AName);
    return entry.isEmpty() ? QString() : folder + entry;
}

TDesktopTakeNote::TDesktopTakeNote(QObject* AOwner) : TvgSelection(AOwner) {
    SetWidth(200);
    SetHeight(220);
    SetHideSelection(true);

    FvgImage = new TvgImage(this);
    FvgImage->SetParent(this);
    FvgImage->SetAlign(vaClient);
    FvgImage->SetHitTest(false);
    FvgImage->SetWrapMode(vgImageStretch);

    FvgContent = new TvgText(this);
    FvgContent->SetParent(FvgImage);
    FvgContent->SetAlign(vaClient);
    FvgContent->Padding()->SetTop(24);
    FvgContent->Padding()->SetLeft(16);
    FvgContent->Padding()->SetRight(6);
    FvgContent->Padding()->SetBottom(8);
    FvgContent->SetHitTest(false);
    FvgContent->SetHorzTextAlign(vgTextAlignNear);
    FvgContent->SetVertTextAlign(vgTextAlignNear);
    FvgContent->SetWordWrap(true);
    FvgContent->Font()->SetFamily(QStringLiteral("宋体"));
    FvgContent->Font()->SetSize(12);
    FvgContent->Fill()->SetColor(QStringLiteral("#FF000000"));
    Realign();

    SetOnChange([this](TvgObject* Sender) { NoteChange(Sender); });
    SetOnMouseDown([this](TvgObject* Sender, TMouseButton Button, TShiftState Shift, float X, float Y) {
        NoteMouseDown(Sender, Button, Shift, X, Y);
    });
    SetOnDblClick([this](TvgObject* Sender) { NoteDblClick(Sender); });
}

TDesktopTakeNote::~TDesktopTakeNote() = default;

QString TDesktopTakeNote::GetRandomBackImage() {
    return QString::number(QRandomGenerator::global()->bounded(1, SkinCount + 1)) + QStringLiteral(".png");
}

void TDesktopTakeNote::SetBackImage(const QString& value) {
    QString name = value;
    if (name.isEmpty())
        name = GetRandomBackImage();
    else if (name == FBackImage)
        return;
    FBackImage = name;
    if (FTakeNoteItem) FTakeNoteItem->BackImage = name;
    LoadBackImage();
}

void TDesktopTakeNote::LoadBackImage() {
    // A missing picture keeps the one shown before; the name is still kept and saved.
    // The seven pictures are shared by every note rather than decoded once per note.
    const QString file = FindTakeNoteImage(FBackImage);
    if (file.isEmpty()) return;
    const QImage picture = DecodedPicture(file, QSize(), Qt::KeepAspectRatio);
    if (!picture.isNull()) FvgImage->Bitmap()->SetImage(picture);
}

void TDesktopTakeNote::SetContent(const QString& value) {
    if (value == FContent) return;
    FContent = value;
    FvgContent->SetText(value);
    if (FTakeNoteItem) FTakeNoteItem->Content = IsBlankText(value) ? QString() : value;
}

void TDesktopTakeNote::SetIsHide(bool value) {
    if (value == FIsHide) return;
    FIsHide = value;
    SetVisible(!value);
    if (FTakeNoteItem) FTakeNoteItem->IsHide = value;
}

TvgFont* TDesktopTakeNote::ContentFont() const {
    return FvgContent->Font();
}

void TDesktopTakeNote::SetContentFont(const TvgFont& value) {
    FvgContent->Font()->Assign(value);
}

QString TDesktopTakeNote::ContentColor() const {
    return FvgContent->Fill()->Color();
}

void TDesktopTakeNote::SetContentColor(const QString& value) {
    // Converted first: a text that is no colour leaves both the note and its record alone.
    const TColorValue color = TextToColor(value);
    FvgContent->Fill()->SetColor(value);
    if (FTakeNoteItem) FTakeNoteItem->FontColor = static_cast<int>(color);
}

void TDesktopTakeNote::NoteChange(TvgObject*) {
    if (!FTakeNoteItem) return;
    // Only the place is kept: the size is not stored, a note always comes back at 200 × 220.
    FTakeNoteItem->Top = static_cast<int>(RoundHalfEven(Position()->Y()));
    FTakeNoteItem->Left = static_cast<int>(RoundHalfEven(Position()->X()));
}

void TDesktopTakeNote::NoteMouseDown(TvgObject*, TMouseButton Button, TShiftState, float, float) {
    BringToFront();
    if (Button == TMouseButton::mbRight) Menu()->Popup(Platform().CursorPos());
}

void TDesktopTakeNote::NoteDblClick(TvgObject*) {
    ShowEditTakeNote(this);
}

void TDesktopTakeNote::RaiseBuildInEvent(TMVSysCommand ACommand) {
    if (FOnBuildInEvent) FOnBuildInEvent(this, ACommand);
}

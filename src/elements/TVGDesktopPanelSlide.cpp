// Sliding the desktop panel in from the right edge of the work area and back out, and painting it
// with the user's wallpaper, which is read again twice a second while the panel is visible.

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "TVGDesktopPanel.h"
#include "uPubFuns.h"
#include "vgBitmap.h"
#include "vgBrush.h"
#include "vgFloatAnimation.h"
#include "vgLayout.h"
#include "vgScene.h"

namespace {

float WorkAreaWidth() {
    return static_cast<float>(Platform().WorkArea().width());
}

// The picture is decoded straight at the size the panel is shown at, before the slide's clock
// starts, so that the slide's first frame copies a ready picture rather than decoding and
// resampling (and a 3840 × 2160 wallpaper keeps 8 MB rather than 33 MB). It is kept in the
// format the frame buffer has, so that no frame converts it. The brush still stretches it should
// the panel's size change.
QImage DecodeWallPaper(const QString& fileName, const QSize& size) {
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // The same bound as every other picture: a small file must not claim gigabytes.
    reader.setAllocationLimit(kDecodeLimitMiB);
    if (!size.isEmpty() && reader.size().isValid() &&
        !reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
        reader.setScaledSize(size);
    QImage image = reader.read();
    if (image.isNull()) return image;
    if (!size.isEmpty() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

}  // namespace

void TVGDesktopPanel::Show() {
    if (Visible()) {
        // Asked back while sliding out: turn round, so that the panel ends up shown as asked.
        if (SlidingOut()) {
            FFloatAnimation->SetStartValue(WorkAreaWidth());
            FFloatAnimation->SetStopValue(0);
        }
        return;
    }
    SetWallPaper(GetWallPaper());
    SetWidth(WorkAreaWidth());
    SetVisible(true);
    SendToBack();
    KeepSlidePicture();
    FFloatAnimation->SetStartValue(WorkAreaWidth());
    FFloatAnimation->SetStopValue(0);
    FFloatAnimation->SetEnabled(true);
}

void TVGDesktopPanel::Hide() {
    if (!Visible()) return;
    KeepSlidePicture();
    // During the slide-in this only changes the running slide's direction; it keeps its time.
    FFloatAnimation->SetStartValue(0);
    FFloatAnimation->SetStopValue(WorkAreaWidth());
    FFloatAnimation->SetEnabled(true);
}

bool TVGDesktopPanel::SlidingOut() const {
    return FFloatAnimation->Running() && FFloatAnimation->StopValue() > FFloatAnimation->StartValue();
}

// While the panel slides nothing on it changes: its wallpaper and buttons are painted once, before
// the slide's clock starts, and every step only moves that picture. Anything that changes on the
// panel meanwhile lets the picture go, and the panel is painted as usual.
void TVGDesktopPanel::KeepSlidePicture() {
    if (auto* scene = dynamic_cast<TvgScene*>(Scene())) scene->KeepPicture(*this);
    FOverPicturesDue = true;
}

// Nor does what lies over the panel (the dock, the notes, the switch): every step would paint it
// again over the moved picture. It is kept at the first step rather than before the clock starts,
// so that the click that started the slide has changed the switch already. Whatever changes
// meanwhile (a hovered dock button) lets its picture go and is painted as usual.
void TVGDesktopPanel::KeepOverPictures() {
    if (!FOverPicturesDue) return;
    FOverPicturesDue = false;
    auto* scene = dynamic_cast<TvgScene*>(Scene());
    TvgVisualObject* parent = VisualParent();
    if (!scene || !parent) return;
    const std::vector<TvgObject*>& siblings = parent->ChildList();
    auto over = std::find(siblings.begin(), siblings.end(), this);
    if (over == siblings.end()) return;
    for (++over; over != siblings.end(); ++over)
        if ((*over)->IsVisual()) KeepOverPicture(*scene, *(*over)->Visual());
}

// A layout paints nothing of its own and may span the whole screen, where a picture of it would be
// mostly see-through pixels to blend at every step: what it holds is kept instead.
void TVGDesktopPanel::KeepOverPicture(TvgScene& AScene, TvgVisualObject& AObject) {
    if (!AObject.Visible()) return;
    if (qobject_cast<TvgLayout*>(&AObject) && !AObject.HasEffect()) {
        for (TvgObject* child : AObject.ChildList())
            if (child->IsVisual()) KeepOverPicture(AScene, *child->Visual());
        return;
    }
    if (!AScene.KeepPicture(AObject)) return;
    if (std::find(FOverPictures.begin(), FOverPictures.end(), &AObject) == FOverPictures.end())
        FOverPictures.emplace_back(&AObject);
}

// At once: the slide's last frame paints them as any pass does.
void TVGDesktopPanel::DropOverPictures() {
    FOverPicturesDue = false;
    auto* scene = dynamic_cast<TvgScene*>(Scene());
    for (const QPointer<TvgVisualObject>& over : FOverPictures)
        if (scene && over) scene->DropPicture(*over);
    FOverPictures.clear();
}

void TVGDesktopPanel::DropSlidePicture(bool afterThisFrame) {
    auto* scene = dynamic_cast<TvgScene*>(Scene());
    if (!scene) return;
    if (afterThisFrame)
        scene->ReleasePicture(*this);
    else
        scene->DropPicture(*this);
}

void TVGDesktopPanel::FloatAnimationFinish() {
    FFloatAnimation->SetEnabled(false);
    DropOverPictures();
    // The last step's frame, still to be drawn, shows the panel in its place from the picture;
    // it is the picture a normal pass paints there.
    const bool slidIn = FFloatAnimation->StopValue() <= FFloatAnimation->StartValue();
    DropSlidePicture(slidIn);
    if (slidIn) return;
    SetWidth(1);
    SetVisible(false);
}

void TVGDesktopPanel::SetVisible(bool value) {
    // Before it is seen (and before a slide's clock starts, for the picture the panel slides as):
    // the pictures its buttons have not decoded yet.
    if (value && !Visible()) LoadDuePictures();
    TvgRectangle::SetVisible(value);
    // A hidden panel reads the wallpaper at its next Show; until then nothing needs to wake up.
    if (!Visible()) {
        StopWallPaperTimer();
    } else if (FIsSynchronWallPaper) {
        StartWallPaperTimer();
    }
}

void TVGDesktopPanel::SetWallPaper(const QString& Value) {
    if (Value.isEmpty()) {
        PaintDesktopColour();
        // Forgotten, so that the same picture set again is loaded again.
        FWallPaper.clear();
        return;
    }
    if (Value == FWallPaper) return;
    // A picture that cannot be had leaves the previous picture or colour; a panel that never had a
    // picture would be see-through, letting clicks meant for it through to the desktop beneath.
    if (!LoadWallPaper(Value) && Fill()->Bitmap()->Bitmap()->IsEmpty()) PaintDesktopColour();
}

bool TVGDesktopPanel::LoadWallPaper(const QString& AFileName) {
    // Not remembered while the file is missing, so that the next poll picks it up once it is there.
    if (!QFileInfo::exists(AFileName)) return false;
    // A file that cannot be decoded is remembered, so that it is not decoded again twice a second.
    FWallPaper = AFileName;
    // Only regular files: a pipe or a device would block or never end.
    if (!QFileInfo(AFileName).isFile()) return false;
    const QImage image = DecodeWallPaper(
        AFileName, QSize(Platform().WorkArea().width(), static_cast<int>(RoundHalfEven(Height()))));
    if (image.isNull()) return false;
    Fill()->Bitmap()->Bitmap()->SetImage(image);
    Fill()->SetStyle(vgBrushBitmap);
    Repaint();
    return true;
}

void TVGDesktopPanel::PaintDesktopColour() {
    Fill()->SetStyle(vgBrushSolid);
    Fill()->SetColor(ColorToText(Platform().Shell().DesktopColor()));
}

void TVGDesktopPanel::SetIsSynchronWallPaper(bool Value) {
    if (Value == FIsSynchronWallPaper) return;
    FIsSynchronWallPaper = Value;
    if (Value) {
        if (Visible()) StartWallPaperTimer();
    } else {
        StopWallPaperTimer();
    }
}

// One repeating timer for the panel's visible life; the flag keeps a tick from running inside
// another should loading the picture ever dispatch events.
void TVGDesktopPanel::WallPaperTimer() {
    if (FInWallPaperTimer) return;
    FInWallPaperTimer = true;
    const struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset{FInWallPaperTimer};
    if (Visible()) SetWallPaper(GetWallPaper());
}

void TVGDesktopPanel::StartWallPaperTimer() {
    if (FTimer != 0) return;
    FTimerPlatform = &Platform();
    FTimer = FTimerPlatform->StartTimer(WallPaperInterval, [this] { WallPaperTimer(); });
}

void TVGDesktopPanel::StopWallPaperTimer() {
    if (FTimer == 0) return;
    const TimerId timer = std::exchange(FTimer, 0);
    // A platform already gone (at exit) or swapped out no longer holds the timer.
    try {
        if (FTimerPlatform == &Platform()) FTimerPlatform->StopTimer(timer);
    } catch (const std::logic_error&) {
    }
}

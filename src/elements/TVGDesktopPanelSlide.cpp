// Sliding the desktop panel in from the right edge of the work area and back out, and painting it
// with the user's wallpaper, which is read again twice a second while the panel is visible.

#include <QFileInfo>

#include <stdexcept>
#include <utility>

#include "TVGDesktopPanel.h"
#include "uPubFuns.h"
#include "vgBrush.h"
#include "vgFloatAnimation.h"

namespace {

float WorkAreaWidth() {
    return static_cast<float>(Platform().WorkArea().width());
}

// The picture is brought to the size the panel is shown at once, when it is loaded, so that every
// frame of the slide copies it rather than resampling a picture of another size (and a 3840 × 2160
// wallpaper keeps 8 MB rather than 33 MB). The brush still stretches it should that size change.
void FitPicture(TvgBitmap& picture, const QSize& size) {
    if (size.isEmpty() || picture.Image().size() == size) return;
    picture.SetImage(picture.Image().scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
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
    FFloatAnimation->SetStartValue(WorkAreaWidth());
    FFloatAnimation->SetStopValue(0);
    FFloatAnimation->SetEnabled(true);
}

void TVGDesktopPanel::Hide() {
    if (!Visible()) return;
    // During the slide-in this only changes the running slide's direction; it keeps its time.
    FFloatAnimation->SetStartValue(0);
    FFloatAnimation->SetStopValue(WorkAreaWidth());
    FFloatAnimation->SetEnabled(true);
}

bool TVGDesktopPanel::SlidingOut() const {
    return FFloatAnimation->Running() && FFloatAnimation->StopValue() > FFloatAnimation->StartValue();
}

void TVGDesktopPanel::FloatAnimationFinish() {
    FFloatAnimation->SetEnabled(false);
    if (FFloatAnimation->StopValue() <= FFloatAnimation->StartValue()) return;
    SetWidth(1);
    SetVisible(false);
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
    TvgBitmap& picture = *Fill()->Bitmap()->Bitmap();
    // Decoded no smaller than it is drawn, so that fitting it only ever shrinks it.
    const QSize drawn(Platform().WorkArea().width(), static_cast<int>(RoundHalfEven(Height())));
    if (!picture.LoadFromFile(AFileName, drawn, Qt::KeepAspectRatioByExpanding)) return false;
    FitPicture(picture, drawn);
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
        StartWallPaperTimer();
    } else {
        StopWallPaperTimer();
    }
}

void TVGDesktopPanel::WallPaperTimer() {
    StopWallPaperTimer();
    if (Visible()) SetWallPaper(GetWallPaper());
    StartWallPaperTimer();
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

#include "uEditTakeNoteLogic.h"

#include <cmath>

#include "IvgScene.h"
#include "vgFont.h"
#include "vgPosition.h"

namespace {

int Round(float value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

QRect TEditTakeNoteLogic::WindowRect() const {
    const TDesktopTakeNote* note = FDesktopTakeNote;
    if (!note) return {};
    // Where the scene lies on the screen (at the origin when the host window fills the screen).
    const QPoint origin = note->Scene() ? note->Scene()->LocalToScreen({0, 0}) : QPoint();
    return {origin.x() + Round(note->Position()->X() + 16), origin.y() + Round(note->Position()->Y() + 24),
            Round(note->Width() - 32), Round(note->Height() - 36)};
}

QString TEditTakeNoteLogic::Text() const {
    return FDesktopTakeNote ? FDesktopTakeNote->Content() : QString();
}

QFont TEditTakeNoteLogic::Font() const {
    if (!FDesktopTakeNote) return {};
    vgInstallFontSubstitutes();
    const TvgFont& source = *FDesktopTakeNote->ContentFont();
    QFont font(source.Family());
    font.setPixelSize(std::max(1, Round(source.Size())));
    const TvgFontStyle style = source.Style();
    font.setBold(style == vgFontBold || style == vgFontBoldItalic);
    font.setItalic(style == vgFontItalic || style == vgFontBoldItalic);
    return font;
}

TColorValue TEditTakeNoteLogic::FontColor() const {
    return FDesktopTakeNote ? TextToColor(FDesktopTakeNote->ContentColor()) : 0;
}

void TEditTakeNoteLogic::Commit(const QString& AText) {
    if (FDesktopTakeNote) FDesktopTakeNote->SetContent(AText);
}

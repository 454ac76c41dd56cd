#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include "FakeHostWindow.h"

#include "NoteScene.h"
#include "uEditTakeNoteLogic.h"
#include "vgFont.h"
#include "vgPosition.h"
#include "vgText.h"

namespace {

class EditTakeNote : public ::testing::Test {
protected:
    NoteScene scene;
    TTakeNoteItem record;
    TDesktopTakeNote* note = scene.AddNote(record, 100, 50);
};

}  // namespace

TEST_F(EditTakeNote, TheWindowLiesOverTheNotesTextArea) {
    TEditTakeNoteLogic logic;
    EXPECT_EQ(logic.WindowRect(), QRect());  // no note yet
    logic.SetDesktopTakeNote(note);
    EXPECT_EQ(logic.WindowRect(), QRect(116, 74, 168, 184));
    note->SetWidth(300);
    note->SetHeight(300);
    EXPECT_EQ(logic.WindowRect().size(), QSize(268, 264));
    note->Position()->SetPoint({10.4f, -60.6f});
    EXPECT_EQ(logic.WindowRect().topLeft(), QPoint(26, -37));
}

TEST_F(EditTakeNote, TheTextBoxShowsTheNotesFontWithBoldAndItalicOnly) {
    TEditTakeNoteLogic logic;
    logic.SetDesktopTakeNote(note);
    note->ContentFont()->SetFamily("DejaVu Sans");
    note->ContentFont()->SetSize(18);
    note->ContentFont()->SetStyle(vgFontUnderline);
    note->SetContentColor("#FF102030");
    QFont font = logic.Font();
    EXPECT_EQ(font.family(), "DejaVu Sans");
    EXPECT_EQ(font.pixelSize(), 18);
    EXPECT_FALSE(font.underline() || font.bold() || font.italic());
    EXPECT_EQ(note->ContentFont()->Style(), vgFontUnderline);  // the note keeps its underline
    EXPECT_EQ(logic.FontColor(), 0x302010u);

    note->ContentFont()->SetStyle(vgFontBoldItalic);
    font = logic.Font();
    EXPECT_TRUE(font.bold() && font.italic());
}

TEST_F(EditTakeNote, LeavingTheWindowWritesTheTextBackAndFreesTheWindow) {
    note->SetContent("旧的");
    QPointer<TfrmEditTakeNote> form = ShowEditTakeNote(note);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->geometry(), QRect(116, 74, 168, 184));
    EXPECT_EQ(form->MmoContent()->toPlainText(), "旧的");
    EXPECT_EQ(form->MmoContent()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(form->MmoContent()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    form->MmoContent()->setPlainText("第一行\n第二行");
    form->FormDeactivate();
    EXPECT_EQ(note->Content(), "第一行\n第二行");
    EXPECT_EQ(record.Content, "第一行\n第二行");
    EXPECT_FALSE(form->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

TEST_F(EditTakeNote, OnlySpacesAreShownOnTheNoteButStoredEmpty) {
    TfrmEditTakeNote* form = ShowEditTakeNote(note);
    form->MmoContent()->setPlainText("   ");
    form->FormDeactivate();
    EXPECT_EQ(note->Text()->Text(), "   ");
    EXPECT_EQ(record.Content, "");
}

TEST_F(EditTakeNote, ANoteFreedWhileItsEditorIsOpenIsNotTouched) {
    TfrmEditTakeNote* form = ShowEditTakeNote(note);
    delete note;
    EXPECT_EQ(form->DesktopTakeNote(), nullptr);
    form->MmoContent()->setPlainText("x");
    form->FormDeactivate();  // must not reach the freed note
    EXPECT_EQ(record.Content, "");
}

namespace {

// The first row and column, from `origin`, inside a box of `size`, where black text covers more
// than half of a pixel of `image` (whose colour at `origin` is the background): where the ink begins.
QPoint InkStart(const QImage& image, QPoint origin, QSize size) {
    const QRgb background = image.pixel(origin);
    const int full = qRed(background) + qGreen(background) + qBlue(background);
    const auto ink = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return 2 * (full - qRed(p) - qGreen(p) - qBlue(p)) > full;
    };
    int top = -1, left = -1;
    for (int y = 0; y < size.height() && top < 0; ++y)
        for (int x = 0; x < size.width(); ++x)
            if (ink(origin.x() + x, origin.y() + y)) {
                top = y;
                break;
            }
    for (int x = 0; x < size.width() && left < 0; ++x)
        for (int y = 0; y < size.height(); ++y)
            if (ink(origin.x() + x, origin.y() + y)) {
                left = x;
                break;
            }
    return {left, top};
}

}  // namespace

TEST_F(EditTakeNote, TheEditorsTextStartsExactlyWhereTheNotesDoes) {
    struct TCase {
        const char* Family;
        float Size;
        const char* Text;
    };
    note->SetBackImage("1.Png");
    for (const TCase& c :
         {TCase{"DejaVu Sans", 16, "Hello\nWorld"}, TCase{"宋体", 12, "第一行便签\n第二行"}}) {
        SCOPED_TRACE(c.Family);
        note->ContentFont()->SetFamily(c.Family);
        note->ContentFont()->SetSize(c.Size);
        note->SetContent(QString::fromUtf8(c.Text));
        QPointer<TfrmEditTakeNote> form = ShowEditTakeNote(note);
        QPlainTextEdit* box = form->MmoContent();

        // Where each lays out its first line: the note's text area and the text box's first line,
        // both in screen pixels.
        const TvgRect area = note->Text()->AbsoluteRect();
        const QPoint noteOrigin = scene.Scene->LocalToScreen({area.Left, area.Top});
        const QRect cursor = box->cursorRect(QTextCursor(box->document()));
        const QPoint editorOrigin =
            form->geometry().topLeft() + box->viewport()->mapTo(form, cursor.topLeft());
        EXPECT_EQ(noteOrigin, QPoint(116, 74));
        EXPECT_EQ(editorOrigin, noteOrigin);

        // And where the ink of the letters begins, drawn by each.
        scene.Fake->RunPosted();
        const QImage drawn = dynamic_cast<FakeHostWindow*>(scene.Scene->HostWindow())->FrameBuffer();
        // Without the caret, which stands at the first line's start where the window has the
        // focus (Windows) and would read as the background there.
        box->setCursorWidth(0);
        const QImage typed = form->grab().toImage();
        const QSize box168(168, 40);
        const QPoint onNote = InkStart(drawn, QPoint(116, 74), box168);
        const QPoint inEditor = InkStart(typed, QPoint(0, 0), box168);
        ASSERT_GE(onNote.y(), 0) << "the note shows its text";
        EXPECT_EQ(inEditor, onNote);
        // The second line follows at the same distance.
        const QPoint secondOnNote = InkStart(drawn, QPoint(116, 74 + onNote.y() + 14), box168);
        const QPoint secondInEditor = InkStart(typed, QPoint(0, inEditor.y() + 14), box168);
        EXPECT_EQ(secondInEditor.y() + inEditor.y(), secondOnNote.y() + onNote.y());

        delete form.data();
    }
}

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>

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

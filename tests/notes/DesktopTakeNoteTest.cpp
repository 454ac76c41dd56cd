#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "FakeHostWindow.h"
#include "NoteScene.h"
#include "uPubFuns.h"
#include "vgFont.h"
#include "vgImage.h"
#include "vgPosition.h"
#include "vgText.h"

namespace {

const QString kNewNoteText = QStringLiteral("双击可以进行编辑便签内容！");

class DesktopTakeNote : public ::testing::Test {
protected:
    FakePopupMenu& Menu(TDesktopTakeNote& note) { return dynamic_cast<FakePopupMenu&>(*note.Menu()); }
    std::vector<TPopupMenuItem>& Skins(TDesktopTakeNote& note) {
        return note.Menu()->Items().at(static_cast<std::size_t>(note.SkinItemIndex())).Items;
    }
    QString CheckedSkin(TDesktopTakeNote& note) {
        QString checked;
        for (const TPopupMenuItem& item : Skins(note))
            if (item.Checked) checked += item.Caption;
        return checked;
    }

    NoteScene scene;
    TTakeNoteItem record;
};

}  // namespace

TEST_F(DesktopTakeNote, ShowsItsTextInsideThePaperAndLetsTheNoteTakeEveryClick) {
    TDesktopTakeNote* note = scene.AddNote(record);
    EXPECT_EQ(note->Width(), 200);
    EXPECT_EQ(note->Height(), 220);
    EXPECT_TRUE(note->HideSelection());
    EXPECT_EQ(note->Image()->Width(), 200);
    EXPECT_EQ(note->Image()->Height(), 220);
    // Inside the paper's margins: 16 left, 24 top, 6 right, 8 bottom.
    EXPECT_EQ(note->Text()->Position()->X(), 16);
    EXPECT_EQ(note->Text()->Position()->Y(), 24);
    EXPECT_EQ(note->Text()->Width(), 178);
    EXPECT_EQ(note->Text()->Height(), 188);
    EXPECT_EQ(note->ContentFont()->Family(), "宋体");
    EXPECT_EQ(note->ContentFont()->Size(), 12);
    EXPECT_EQ(note->ContentColor(), "#FF000000");
    EXPECT_EQ(scene.Root->ObjectByPoint(120, 80), note);  // over the text
}

TEST_F(DesktopTakeNote, AnEmptyPictureNameTakesARandomPictureAndWritesItIntoTheRecord) {
    TDesktopTakeNote* note = scene.AddNote(record);
    note->SetBackImage("");
    const QRegularExpression random("^[1-7]\\.png$");
    EXPECT_TRUE(random.match(note->BackImage()).hasMatch()) << note->BackImage().toStdString();
    EXPECT_EQ(record.BackImage, note->BackImage());
    // The stored pictures are named "N.Png": the lower-case name still finds them.
    EXPECT_EQ(ShownSkin(*note), SkinColor(note->BackImage().left(1).toInt()));

    std::set<QString> seen;
    for (int i = 0; i < 300; ++i) seen.insert(TDesktopTakeNote::GetRandomBackImage());
    EXPECT_EQ(seen.size(), 7u);
}

TEST_F(DesktopTakeNote, AMissingPictureKeepsWhatWasShownButTheNameIsStored) {
    TDesktopTakeNote* note = scene.AddNote(record);
    note->SetBackImage("2.png");
    ASSERT_EQ(ShownSkin(*note), SkinColor(2));
    note->SetBackImage("9.png");
    EXPECT_EQ(note->BackImage(), "9.png");
    EXPECT_EQ(record.BackImage, "9.png");
    EXPECT_EQ(ShownSkin(*note), SkinColor(2));
}

TEST_F(DesktopTakeNote, NotesWithTheSamePictureShareOneDecodedCopyOfIt) {
    TTakeNoteItem second, third;
    TDesktopTakeNote* a = scene.AddNote(record);
    TDesktopTakeNote* b = scene.AddNote(second, 400, 50);
    TDesktopTakeNote* c = scene.AddNote(third, 700, 50);
    a->SetBackImage("4.png");
    b->SetBackImage("4.Png");
    c->SetBackImage("5.png");
    const QImage& shown = a->Image()->Bitmap()->Image();
    // Already in the scene's pixel format: the note takes the decoded picture as it is.
    EXPECT_EQ(shown.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(shown.constBits(), b->Image()->Bitmap()->Image().constBits());
    EXPECT_NE(shown.constBits(), c->Image()->Bitmap()->Image().constBits());
    EXPECT_EQ(ShownSkin(*b), SkinColor(4));
    EXPECT_EQ(ShownSkin(*c), SkinColor(5));
}

TEST_F(DesktopTakeNote, PicturesAddedOrRemovedSinceTheLastLookAreSeen) {
    const QString folder = scene.Installation.Paths().TakeNoteImagePath();
    TTakeNoteItem second, third;
    TDesktopTakeNote* a = scene.AddNote(record);
    a->SetBackImage("1.png");
    a->SetBackImage("8.png");  // none yet
    ASSERT_EQ(ShownSkin(*a), SkinColor(1));
    QImage added(8, 8, QImage::Format_ARGB32);
    added.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(added.save(folder + "8.PNG", "PNG"));
    TDesktopTakeNote* b = scene.AddNote(second, 400, 50);
    b->SetBackImage("8.png");
    EXPECT_EQ(ShownSkin(*b), qRgb(1, 2, 3));

    // A picture removed is no longer found under another letter case either.
    ASSERT_TRUE(QFile::remove(folder + "2.Png"));
    TDesktopTakeNote* c = scene.AddNote(third, 700, 50);
    c->SetBackImage("3.png");
    c->SetBackImage("2.png");
    EXPECT_EQ(ShownSkin(*c), SkinColor(3));
    EXPECT_EQ(FindTakeNoteImage("2.png"), QString());
    EXPECT_EQ(FindTakeNoteImage("8.png"), folder + "8.PNG");
}

TEST_F(DesktopTakeNote, ANoteUnderAnotherShowsNothingUntilUncoveredAndThenItsLatestText) {
    auto* window = dynamic_cast<FakeHostWindow*>(scene.Scene->HostWindow());
    const auto paper = [&] { return window->FrameBuffer().copy(100, 50, 200, 220); };
    TTakeNoteItem upperRecord;
    TDesktopTakeNote* lower = scene.AddNote(record, 100, 50);
    lower->SetBackImage("1.png");
    lower->SetContent("下面的便签");
    TDesktopTakeNote* upper = scene.AddNote(upperRecord, 100, 50);
    upper->SetBackImage("2.png");
    upper->SetContent("上面");
    scene.Fake->Advance(1);
    const QImage covered = paper();
    EXPECT_EQ(covered.pixel(190, 200), SkinColor(2));

    lower->SetContent("下面的便签改过了");
    scene.Fake->Advance(1);
    EXPECT_EQ(paper(), covered);
    // The note on top shows its new text at once.
    upper->SetContent("上面的便签也改过了");
    scene.Fake->Advance(1);
    EXPECT_NE(paper(), covered);

    upper->Position()->SetPoint({500, 300});
    scene.Fake->Advance(1);
    const QImage uncovered = paper();
    EXPECT_EQ(uncovered.pixel(190, 200), SkinColor(1));
    // What the uncovering drew is what drawing everything afresh draws.
    scene.Root->Repaint();
    scene.Fake->Advance(1);
    EXPECT_EQ(paper(), uncovered);
    lower->SetContent("下面的便签");
    scene.Fake->Advance(1);
    EXPECT_NE(paper(), uncovered);
}

TEST_F(DesktopTakeNote, BlankTextIsShownAsTypedButStoredEmpty) {
    TDesktopTakeNote* note = scene.AddNote(record);
    note->SetContent("第一行\r\n第二行");
    EXPECT_EQ(note->Text()->Text(), "第一行\r\n第二行");
    EXPECT_EQ(record.Content, "第一行\r\n第二行");
    note->SetContent("  \t\r\n ");
    EXPECT_EQ(note->Content(), "  \t\r\n ");
    EXPECT_EQ(note->Text()->Text(), "  \t\r\n ");
    EXPECT_EQ(record.Content, "");
    note->SetContent("  a  ");
    EXPECT_EQ(record.Content, "  a  ");  // kept untrimmed
}

TEST_F(DesktopTakeNote, HidingAndColourReachTheRecord) {
    TDesktopTakeNote* note = scene.AddNote(record);
    note->SetIsHide(true);
    EXPECT_FALSE(note->Visible());
    EXPECT_TRUE(record.IsHide);
    note->SetIsHide(false);
    EXPECT_TRUE(note->Visible());
    EXPECT_FALSE(record.IsHide);

    note->SetContentColor("#80112233");
    EXPECT_EQ(note->Text()->Fill()->Color(), "#80112233");
    EXPECT_EQ(record.FontColor, 0x332211);
}

TEST_F(DesktopTakeNote, TheMenuHoldsItsItemsInOrderWithSevenColours) {
    const std::size_t menus = scene.Fake->PopupMenus().size();
    TDesktopTakeNote* note = scene.AddNote(record);
    // Made when first asked for, once.
    EXPECT_EQ(scene.Fake->PopupMenus().size(), menus);
    IPopupMenu* menu = note->Menu();
    EXPECT_EQ(scene.Fake->PopupMenus().size(), menus + 1);
    EXPECT_EQ(note->Menu(), menu);
    std::vector<std::pair<QString, int>> items;
    for (const TPopupMenuItem& item : note->Menu()->Items()) items.emplace_back(item.Caption, item.Tag);
    const std::vector<std::pair<QString, int>> expected{{"编辑内容", 1}, {"新建便签", 0}, {"删除便签", 3},
                                                        {"-", 0},        {"设置字体", 4}, {"更换背景", 5}};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(note->SkinItemIndex(), 5);
    QStringList captions;
    for (const TPopupMenuItem& item : Skins(*note)) {
        captions << item.Caption;
        EXPECT_TRUE(item.RadioItem && item.AutoCheck);
    }
    EXPECT_EQ(captions.join(","), "黄色,粉红,紫色,绿色,蓝色,灰色,灰白");
    EXPECT_EQ(CheckedSkin(*note), "黄色");
}

TEST_F(DesktopTakeNote, ChoosingAColourShowsItsPictureAndTheMenuMarksIt) {
    TDesktopTakeNote* note = scene.AddNote(record);
    note->SetBackImage("6.png");
    Menu(*note).ClickSubItem(note->SkinItemIndex(), 2);  // 紫色
    EXPECT_EQ(note->BackImage(), "3.Png");
    EXPECT_EQ(record.BackImage, "3.Png");
    EXPECT_EQ(ShownSkin(*note), SkinColor(3));
    EXPECT_EQ(CheckedSkin(*note), "紫色");

    // Opening the menu marks the colour of the note's picture, whatever case its name has.
    note->SetBackImage("5.png");
    note->Menu()->Popup({0, 0});
    EXPECT_EQ(CheckedSkin(*note), "蓝色");
    // A name that is none of the seven leaves the marks alone.
    note->SetBackImage("own.png");
    note->Menu()->Popup({0, 0});
    EXPECT_EQ(CheckedSkin(*note), "蓝色");
}

TEST_F(DesktopTakeNote, NewAndDeleteAreRaisedAsCommandsWithTheNoteAsSender) {
    TDesktopTakeNote* note = scene.AddNote(record);
    std::vector<std::pair<QObject*, TMVSysCommand>> raised;
    bool markedWhenRaised = false;
    note->SetOnBuildInEvent([&](QObject* sender, TMVSysCommand command) {
        raised.emplace_back(sender, command);
        markedWhenRaised = note->IsDelete();
    });
    FakePopupMenu& menu = Menu(*note);
    menu.Click(menu.IndexOfCaption("新建便签"));
    EXPECT_FALSE(note->IsDelete());
    menu.Click(menu.IndexOfCaption("删除便签"));
    EXPECT_TRUE(markedWhenRaised);
    const std::vector<std::pair<QObject*, TMVSysCommand>> expected{{note, MVC_CreateTakeNote},
                                                                   {note, MVC_DeleteTakeNote}};
    EXPECT_EQ(raised, expected);
    // Without a receiver the items do nothing and do not fail.
    note->SetOnBuildInEvent(nullptr);
    menu.Click(menu.IndexOfCaption("新建便签"));
}

TEST_F(DesktopTakeNote, ARightClickBringsTheNoteToTheFrontAndOpensTheMenuAtThePointer) {
    TTakeNoteItem otherRecord;
    TDesktopTakeNote* below = scene.AddNote(record, 100, 50);
    TDesktopTakeNote* above = scene.AddNote(otherRecord, 150, 100);
    scene.Fake->SetCursorPos({123, 77});
    scene.RightClick(120, 70);  // only the lower note is there
    EXPECT_EQ(Menu(*below).PopupCount(), 1);
    EXPECT_EQ(Menu(*below).LastPopupPos(), QPoint(123, 77));
    EXPECT_EQ(Menu(*above).PopupCount(), 0);
    EXPECT_EQ(scene.Root->ChildList().back(), below);
    EXPECT_EQ(scene.Root->ObjectByPoint(200, 150), below);
}

TEST_F(DesktopTakeNote, DraggingWritesThePlaceRoundedHalfToEvenAndStopsAtTheEdges) {
    TDesktopTakeNote* note = scene.AddNote(record, 100.5f, 50.5f);
    scene.Drag(150, 100, 152, 103);  // to (102.5, 53.5)
    EXPECT_FLOAT_EQ(note->Position()->X(), 102.5f);
    EXPECT_EQ(record.Left, 102);
    EXPECT_EQ(record.Top, 54);

    scene.Drag(200, 150, 1500, -400);
    EXPECT_EQ(record.Left, 800);  // 1000 − 200
    EXPECT_EQ(record.Top, 0);
}

TEST_F(DesktopTakeNote, ResizingIsNotWrittenAndWithoutARecordNothingIs) {
    TDesktopTakeNote* note = scene.AddNote(record, 100, 50);
    scene.Drag(300, 270, 350, 320);  // the bottom-right grip
    EXPECT_EQ(note->Width(), 250);
    EXPECT_EQ(record.Left, 100);
    EXPECT_EQ(record.Top, 50);

    note->SetTakeNoteItem(nullptr);
    scene.Drag(150, 100, 160, 100);
    EXPECT_EQ(record.Left, 100);
}

TEST_F(DesktopTakeNote, TheFontDialogOpensOnTheNotesFontAndACancelChangesNothing) {
    TDesktopTakeNote* note = scene.AddNote(record);
    note->ContentFont()->SetFamily("Tahoma");
    note->ContentFont()->SetSize(14);
    note->ContentFont()->SetStyle(vgFontBoldItalic);
    note->SetContentColor("#FF0000FF");
    record = TTakeNoteItem{};

    Menu(*note).Click(Menu(*note).IndexOfCaption("设置字体"));
    ASSERT_EQ(scene.Fake->FontDialogs().size(), 1u);
    const TDialogFont given = scene.Fake->FontDialogs()[0];
    EXPECT_EQ(given.Family, "Tahoma");
    EXPECT_EQ(given.Height, 14);
    EXPECT_TRUE(given.Bold && given.Italic && !given.Underline && !given.StrikeOut);
    EXPECT_EQ(given.Color, 0xFF0000u);
    EXPECT_EQ(note->ContentFont()->Style(), vgFontBoldItalic);
    EXPECT_EQ(record.FontName, "");
}

TEST_F(DesktopTakeNote, AChosenFontKeepsOneStyleWithItalicWinning) {
    TDesktopTakeNote* note = scene.AddNote(record);
    const auto choose = [&](bool bold, bool italic, bool underline, bool strikeOut) {
        TDialogFont font;
        font.Family = "DejaVu Sans";
        font.Height = -16;
        font.Bold = bold;
        font.Italic = italic;
        font.Underline = underline;
        font.StrikeOut = strikeOut;
        font.Color = 0x00FF00;
        scene.Fake->ScriptFontChoice(font);
        note->ShowFontDialog();
        return record.FontStyle;
    };
    EXPECT_EQ(choose(true, true, false, false), 2);
    EXPECT_EQ(note->ContentFont()->Style(), vgFontItalic);
    EXPECT_EQ(choose(false, false, false, false), 0);
    EXPECT_EQ(choose(true, false, false, false), 1);
    EXPECT_EQ(choose(true, false, true, false), 4);
    EXPECT_EQ(choose(false, false, true, true), 5);
    EXPECT_EQ(record.FontName, "DejaVu Sans");
    EXPECT_EQ(record.FontSize, 16);
    EXPECT_EQ(note->ContentFont()->Size(), 16);
    EXPECT_EQ(record.FontColor, 0x00FF00);
    EXPECT_EQ(note->ContentColor(), "#FF00FF00");
}

TEST_F(DesktopTakeNote, DoubleClickingOrEditOpensAnEditorOverTheText) {
    TDesktopTakeNote* note = scene.AddNote(record, 100, 50);
    note->SetContent("旧");
    scene.DoubleClick(150, 100);
    std::vector<TfrmEditTakeNote*> editors = OpenEditors();
    ASSERT_EQ(editors.size(), 1u);
    EXPECT_EQ(editors[0]->DesktopTakeNote(), note);
    EXPECT_EQ(editors[0]->geometry(), QRect(116, 74, 168, 184));
    CloseEditors();

    Menu(*note).Click(Menu(*note).IndexOfCaption("编辑内容"));
    editors = OpenEditors();
    ASSERT_EQ(editors.size(), 1u);
    EXPECT_EQ(editors[0]->DesktopTakeNote(), note);
}

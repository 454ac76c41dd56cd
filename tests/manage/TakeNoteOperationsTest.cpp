#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPointer>
#include <QRegularExpression>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "QuitRequest.h"
#include "SaveFaultScope.h"
#include "uDesktopTakeNote.h"
#include "uMaroviaManage.h"
#include "uTakeNoteManage.h"
#include "uXmlTakeNote.h"
#include "vgBackground.h"
#include "vgFont.h"
#include "vgPosition.h"
#include "vgText.h"

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray NotesFile(const QByteArray& notes) {
    return "<?xml version=\"1.0\"?><TakeNotes>" + notes + "</TakeNotes>";
}

QByteArray Note(const char* content, int x, int y, const char* backImage = "2.png",
                const char* hide = "false", int style = 0, int color = 0) {
    return QStringLiteral(
               "<TakeNote ID=\"7\" BackImage=\"%1\" Content=\"%2\" RemindTime=\"0\" IsHide=\"%3\" "
               "PositonX=\"%4\" "
               "PositonY=\"%5\" FontName=\"宋体\" FontSize=\"14\" FontStyle=\"%6\" FontColor=\"%7\"/>")
        .arg(backImage, QString::fromUtf8(content), hide)
        .arg(x)
        .arg(y)
        .arg(style)
        .arg(color)
        .toUtf8();
}

class TakeNoteOperations : public ::testing::Test {
protected:
    void WriteNotes(const QByteArray& bytes) {
        QFile file(install.Paths().TakeNoteConfigFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    bool NotesFileExists() { return QFile::exists(install.Paths().TakeNoteConfigFile()); }
    IXMLTakeNotesPtr Saved() { return LoadTakeNotes(install.Paths().TakeNoteConfigFile()); }
    void RemoveNotesFile() { QFile::remove(install.Paths().TakeNoteConfigFile()); }
    std::vector<TDesktopTakeNote*> Notes() const {
        std::vector<TDesktopTakeNote*> notes;
        for (TvgObject* child : root.ChildList())
            if (auto* note = qobject_cast<TDesktopTakeNote*>(child)) notes.push_back(note);
        return notes;
    }
    // The manager as the main form holds it: its commands dispatched back into it.
    std::unique_ptr<TMaroviaManage> Start() {
        auto manage = std::make_unique<TMaroviaManage>(&root);
        TMaroviaManage* raw = manage.get();
        manage->SetOnBuildInEvent([this, raw](QObject*, TMVSysCommand command) {
            if (command == MVC_CreateTakeNote) {
                const QPoint at = platform->CursorPos();
                raw->CreateNewTakeNote(at.x() - 50, at.y() - 50);
            } else if (command == MVC_DeleteTakeNote) {
                raw->DeleteTakeNote();
            }
        });
        return manage;
    }

    FakePlatformScope platform;
    InstallationScope install;
    TvgBackground root;
};

}  // namespace

TEST_F(TakeNoteOperations, StoredNotesGetAWidgetEachWithTheirRecordsValues) {
    WriteNotes(NotesFile(Note("一", 10, 20, "4.Png", "false", 1, 0x0000FF) +
                         Note("二", -5, 30, "", "true", 4, 0x123456)));
    auto manage = Start();
    const std::vector<TDesktopTakeNote*> notes = Notes();
    ASSERT_EQ(notes.size(), 2u);
    TTakeNoteManage& store = *manage->TakeNoteManage();
    EXPECT_EQ(notes[0]->TakeNoteItem(), store.Item(0));
    EXPECT_EQ(notes[0]->Content(), "一");
    EXPECT_EQ(notes[0]->ID(), 1);
    EXPECT_EQ(notes[0]->Position()->X(), 10);
    EXPECT_EQ(notes[0]->Position()->Y(), 20);
    EXPECT_EQ(notes[0]->BackImage(), "4.Png");
    EXPECT_EQ(notes[0]->ContentFont()->Family(), "宋体");
    EXPECT_EQ(notes[0]->ContentFont()->Size(), 14);
    EXPECT_EQ(notes[0]->ContentFont()->Style(), vgFontBold);
    EXPECT_EQ(notes[0]->ContentColor(), "#FFFF0000");
    EXPECT_TRUE(notes[0]->Visible());

    EXPECT_EQ(notes[1]->ID(), 2);
    EXPECT_FALSE(notes[1]->Visible());
    EXPECT_EQ(notes[1]->ContentFont()->Style(), vgFontUnderline);
    EXPECT_EQ(store.Item(1)->FontColor, 0x123456);
    // The empty picture name was replaced by a random one, in the record too.
    EXPECT_TRUE(QRegularExpression("^[1-7]\\.png$").match(store.Item(1)->BackImage).hasMatch());
    EXPECT_EQ(notes[1]->BackImage(), store.Item(1)->BackImage);
}

TEST_F(TakeNoteOperations, AfterAShutDownSignalNotesAreStoredAndSavedWithoutWidgets) {
    WriteNotes(NotesFile(Note("一", 10, 20) + Note("二", 30, 40) + Note("三", 50, 60)));
    struct Reset {
        ~Reset() { SetQuitPending(false); }
    } reset;
    SetQuitPending(true);
    {
        auto manage = Start();
        EXPECT_TRUE(Notes().empty());
        EXPECT_EQ(manage->TakeNoteManage()->Count(), 3);
    }
    const IXMLTakeNotesPtr saved = Saved();
    ASSERT_EQ(saved->Count(), 3);
    EXPECT_EQ(saved->Item(2)->Content(), "三");
    EXPECT_EQ(saved->Item(2)->PositonX(), 50);
}

TEST_F(TakeNoteOperations, ANewNoteIsStoredAtOnceWithItsRandomPicture) {
    auto manage = Start();
    EXPECT_FALSE(NotesFileExists());
    platform->SetCursorPos({30, 20});
    manage->DoBuildInEvent(nullptr, MVC_CreateTakeNote);
    const std::vector<TDesktopTakeNote*> notes = Notes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0]->Position()->X(), -20);
    EXPECT_EQ(notes[0]->Position()->Y(), -30);
    EXPECT_EQ(notes[0]->Content(), "双击可以进行编辑便签内容！");
    EXPECT_EQ(notes[0]->Parent(), &root);
    EXPECT_EQ(root.ChildList().back(), notes[0]);  // above the panels

    const IXMLTakeNotesPtr saved = Saved();
    ASSERT_EQ(saved->Count(), 1);
    const IXMLTakeNotes_TakeNotePtr stored = saved->Item(0);
    EXPECT_EQ(stored->ID(), 1);
    EXPECT_EQ(stored->Content(), "双击可以进行编辑便签内容！");
    EXPECT_EQ(stored->PositonX(), -20);
    EXPECT_EQ(stored->PositonY(), -30);
    EXPECT_EQ(stored->FontName(), "宋体");
    EXPECT_EQ(stored->FontSize(), 12);
    EXPECT_EQ(stored->FontStyle(), 0);
    EXPECT_EQ(stored->FontColor(), 0);
    EXPECT_FALSE(stored->IsHide());
    EXPECT_TRUE(QRegularExpression("^[1-7]\\.png$").match(stored->BackImage()).hasMatch());
    EXPECT_EQ(stored->BackImage(), notes[0]->BackImage());
}

TEST_F(TakeNoteOperations, DeletingTakesTheFirstMarkedNoteAmongTheRootsChildren) {
    auto manage = Start();
    manage->CreateNewTakeNote(0, 0);
    manage->CreateNewTakeNote(10, 10);
    manage->CreateNewTakeNote(20, 20);
    std::vector<TDesktopTakeNote*> notes = Notes();
    notes[2]->SetIsDelete(true);
    notes[1]->SetIsDelete(true);
    QPointer<TDesktopTakeNote> first = notes[1];
    RemoveNotesFile();

    manage->DeleteTakeNote();
    EXPECT_EQ(Notes(), (std::vector<TDesktopTakeNote*>{notes[0], notes[2]}));
    const IXMLTakeNotesPtr saved = Saved();  // the delete saved
    ASSERT_EQ(saved->Count(), 2);
    EXPECT_EQ(saved->Item(0)->PositonX(), 0);
    EXPECT_EQ(saved->Item(1)->PositonX(), 20);
    platform->RunPosted();
    EXPECT_TRUE(first.isNull());

    // Without a marked note nothing happens, and nothing is written.
    notes[2]->SetIsDelete(false);
    RemoveNotesFile();
    manage->DeleteTakeNote();
    EXPECT_EQ(Notes().size(), 2u);
    EXPECT_FALSE(NotesFileExists());
}

TEST_F(TakeNoteOperations, TheNoteWhoseMenuWasUsedIsDeletedEvenWhenAnotherComesFirst) {
    auto manage = Start();
    manage->CreateNewTakeNote(0, 0);
    manage->CreateNewTakeNote(0, 0);
    std::vector<TDesktopTakeNote*> notes = Notes();
    QPointer<TDesktopTakeNote> chosen = notes[1];
    auto& menu = dynamic_cast<FakePopupMenu&>(*chosen->Menu());
    // The command arrives from inside the note's own menu handler: the note must survive it.
    menu.Click(menu.IndexOfCaption("删除便签"));
    EXPECT_EQ(Notes(), std::vector<TDesktopTakeNote*>{notes[0]});
    EXPECT_EQ(manage->TakeNoteManage()->Count(), 1);
    EXPECT_EQ(notes[0]->TakeNoteItem(), manage->TakeNoteManage()->Item(0));
    EXPECT_FALSE(chosen.isNull());
    platform->RunPosted();
    EXPECT_TRUE(chosen.isNull());
}

TEST_F(TakeNoteOperations, TheFileIsWrittenAfterCreatingAfterDeletingAndAtTheEndOnly) {
    auto manage = Start();
    manage->CreateNewTakeNote(5, 5);
    TDesktopTakeNote* note = Notes()[0];
    // Moving, editing and recolouring change the record only.
    note->Position()->SetPoint({40, 60});
    note->NoteChange(note);
    note->SetContent("改过");
    note->SetContentColor("#FF0000FF");
    EXPECT_EQ(Saved()->Item(0)->PositonX(), 5);
    EXPECT_EQ(Saved()->Item(0)->Content(), "双击可以进行编辑便签内容！");

    manage->CreateNewTakeNote(7, 7);  // writes the moved note at once
    ASSERT_EQ(Saved()->Count(), 2);
    EXPECT_EQ(Saved()->Item(0)->PositonX(), 40);
    EXPECT_EQ(Saved()->Item(0)->PositonY(), 60);
    EXPECT_EQ(Saved()->Item(0)->Content(), "改过");
    EXPECT_EQ(Saved()->Item(0)->FontColor(), 0xFF0000);

    note->Position()->SetPoint({70, 80});
    note->NoteChange(note);
    note->SetIsHide(true);
    RemoveNotesFile();
    manage.reset();
    const IXMLTakeNotesPtr saved = Saved();
    ASSERT_EQ(saved->Count(), 2);
    EXPECT_EQ(saved->Item(0)->PositonX(), 70);
    EXPECT_TRUE(saved->Item(0)->IsHide());
    // The widgets stay with the scene but no longer point at the freed records.
    EXPECT_EQ(note->TakeNoteItem(), nullptr);
    note->SetContent("after");
}

// A notes file that cannot be written (full disk, read-only folder) at each of the three save
// moments: the user is told, the notes stay on the desktop, and the old file stays as it was.
TEST_F(TakeNoteOperations, ASaveThatFailsIsToldAndKeepsTheNotesAndTheOldFile) {
    const QByteArray old = NotesFile(Note("一", 1, 1) + Note("二", 2, 2));
    WriteNotes(old);
    auto manage = Start();
    auto fault = std::make_unique<SaveFaultScope>(TSaveStep::Write, "TakeNote.dat");
    const auto expectTold = [&](const char* moment) {
        ASSERT_EQ(platform->Messages().size(), 1u) << moment;
        EXPECT_TRUE(platform->Messages()[0].Text.startsWith("便签保存失败！错误信息如下：\r\n")) << moment;
        EXPECT_TRUE(platform->Messages()[0].Text.contains("TakeNote.dat")) << moment;
        EXPECT_EQ(ReadBytes(install.Paths().TakeNoteConfigFile()), old) << moment;
        platform->ClearMessages();
    };

    EXPECT_NO_THROW(manage->DoBuildInEvent(nullptr, MVC_CreateTakeNote));
    expectTold("create");
    EXPECT_EQ(Notes().size(), 3u);
    EXPECT_EQ(manage->TakeNoteManage()->Count(), 3);

    auto& menu = dynamic_cast<FakePopupMenu&>(*Notes()[0]->Menu());
    EXPECT_NO_THROW(menu.Click(menu.IndexOfCaption("删除便签")));
    expectTold("delete");
    EXPECT_EQ(manage->TakeNoteManage()->Count(), 2);

    // Once the disk has room again the next save writes what the desktop shows.
    fault.reset();
    manage->CreateNewTakeNote(9, 9);
    ASSERT_EQ(Saved()->Count(), 3);
    EXPECT_EQ(Saved()->Item(0)->Content(), "二");

    const QByteArray written = ReadBytes(install.Paths().TakeNoteConfigFile());
    fault = std::make_unique<SaveFaultScope>(TSaveStep::Commit, "TakeNote.dat");
    EXPECT_NO_THROW(manage.reset());
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(ReadBytes(install.Paths().TakeNoteConfigFile()), written);
}

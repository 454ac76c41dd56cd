#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <pugixml.hpp>

#include "FakePlatformScope.h"
#include "uErrors.h"
#include "uTakeNoteManage.h"
#include "uXmlTakeNote.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Note(int id, const char* content) {
    return QByteArray("<TakeNote ID=\"") + QByteArray::number(id) + "\" BackImage=\"3.png\" Content=\"" +
           content +
           "\" RemindTime=\"0\" IsHide=\"false\" PositonX=\"-20\" PositonY=\"-30\" FontName=\"宋体\" "
           "FontSize=\"12\""
           " FontStyle=\"1\" FontColor=\"255\"/>";
}

std::unique_ptr<TTakeNoteItem> NewNote(const QString& content) {
    auto item = std::make_unique<TTakeNoteItem>();
    item->Content = content;
    item->FontName = "宋体";
    item->FontSize = 12;
    return item;
}

class TakeNoteStore : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString file = folder.filePath("TakeNote.dat");
    FakePlatformScope platform;
};

}  // namespace

TEST_F(TakeNoteStore, LoadNumbersInFileOrderAndTellsTheOwnerOfEachNote) {
    WriteFile(file, "<?xml version=\"1.0\"?><TakeNotes>" + Note(99, "a") + "<Other/>" + Note(99, "b") +
                        Note(7, "c") + "</TakeNotes>");
    TTakeNoteManage store(file);
    std::vector<std::pair<int, QString>> seen;
    store.SetOnAddTakeNote([&](TTakeNoteManage* sender, TTakeNoteItem* item) {
        EXPECT_EQ(sender, &store);
        seen.emplace_back(item->ID, item->Content);
    });
    store.Load();
    EXPECT_EQ(seen, (std::vector<std::pair<int, QString>>{{1, "a"}, {2, "b"}, {3, "c"}}));
    const TTakeNoteItem* first = store.Item(0);
    EXPECT_EQ(first->Left, -20);
    EXPECT_EQ(first->Top, -30);
    EXPECT_EQ(first->FontStyle, 1);
    EXPECT_EQ(first->FontColor, 255);
    EXPECT_EQ(first->BackImage, "3.png");
}

TEST_F(TakeNoteStore, NumbersAreNeverReusedAndDeletingSaves) {
    TTakeNoteManage store(file);
    TTakeNoteItem* a = store.AddItem(NewNote("a"));
    TTakeNoteItem* b = store.AddItem(NewNote("b"));
    store.AddItem(NewNote("c"));
    EXPECT_FALSE(QFile::exists(file));  // adding does not save
    store.Delete(b);
    EXPECT_EQ(store.AddItem(NewNote("d"))->ID, 4);
    EXPECT_EQ(a->ID, 1);
    const IXMLTakeNotesPtr written = LoadTakeNotes(file);
    ASSERT_EQ(written->Count(), 2);  // the delete saved; "d" came after
    EXPECT_EQ(written->Item(1)->Content(), "c");
    EXPECT_EQ(written->Item(1)->ID(), 3);

    TTakeNoteItem stranger;
    store.Delete(&stranger);  // not in the store: nothing removed, the file is still rewritten
    EXPECT_EQ(store.Count(), 3);
    EXPECT_EQ(LoadTakeNotes(file)->Count(), 3);
}

TEST_F(TakeNoteStore, EverythingRoundTripsThroughTheFileInTheAttributeOrder) {
    {
        TTakeNoteManage store(file);
        auto item = NewNote("第一行\r\n<b> & \"quoted\"\tend");
        item->IsHide = true;
        item->Left = -5;
        item->Top = 7;
        item->BackImage = "2.Png";
        item->FontColor = 0x00FF8000;
        store.AddItem(std::move(item));
    }  // ending the store saves
    pugi::xml_document independent;
    ASSERT_TRUE(independent.load_file(QFile::encodeName(file).constData()));
    const pugi::xml_node note = independent.child("TakeNotes").child("TakeNote");
    std::vector<std::string> names;
    for (const pugi::xml_attribute& attribute : note.attributes()) names.emplace_back(attribute.name());
    EXPECT_EQ(names,
              (std::vector<std::string>{"ID", "BackImage", "Content", "RemindTime", "IsHide", "PositonX",
                                        "PositonY", "FontName", "FontSize", "FontStyle", "FontColor"}));
    EXPECT_STREQ(note.attribute("IsHide").value(), "true");
    EXPECT_TRUE(ReadFile(file).startsWith("<?xml version=\"1.0\"?>"));

    TTakeNoteManage again(file);
    again.Load();
    ASSERT_EQ(again.Count(), 1);
    const TTakeNoteItem* item = again.Item(0);
    EXPECT_EQ(item->Content, "第一行\r\n<b> & \"quoted\"\tend");
    EXPECT_TRUE(item->IsHide);
    EXPECT_EQ(item->Left, -5);
    EXPECT_EQ(item->Top, 7);
    EXPECT_EQ(item->FontColor, 0x00FF8000);
}

TEST_F(TakeNoteStore, AStoreWithoutNotesWritesAnEmptyRootAndNoFileMeansNoNotes) {
    {
        TTakeNoteManage store(file);
        store.Load();
        EXPECT_EQ(store.Count(), 0);
        EXPECT_FALSE(QFile::exists(file));
    }
    const IXMLTakeNotesPtr written = LoadTakeNotes(file);
    EXPECT_EQ(written->Count(), 0);
}

TEST_F(TakeNoteStore, ADamagedEntryIsNamedTheOthersLoadAndTheFileIsKeptAside) {
    // Notes 2 and 4 of 5 are damaged: an empty FontSize and a word for IsHide.
    QByteArray bad = Note(2, "bad");
    bad.replace("FontSize=\"12\"", "FontSize=\"\"");
    QByteArray worse = Note(4, "worse");
    worse.replace("IsHide=\"false\"", "IsHide=\"maybe\"");
    const QByteArray damaged = "<?xml version=\"1.0\"?><TakeNotes>" + Note(1, "a") + bad + Note(3, "b") +
                               worse + Note(5, "c") + "</TakeNotes>";
    WriteFile(file, damaged);
    {
        TTakeNoteManage store(file);
        try {
            store.Load();
            ADD_FAILURE() << "no error";
        } catch (const EConvertError& error) {
            EXPECT_TRUE(error.Message().startsWith("第2条便签：")) << error.Message().toStdString();
            EXPECT_TRUE(error.Message().contains("\r\n第4条便签：")) << error.Message().toStdString();
            EXPECT_FALSE(error.Message().contains("第3条"));
        }
        ASSERT_EQ(store.Count(), 3);
        EXPECT_EQ(store.Item(2)->Content, "c");
        EXPECT_EQ(store.Item(2)->ID, 3);
        ASSERT_FALSE(store.KeptAsideFile().isEmpty());
        EXPECT_EQ(ReadFile(store.KeptAsideFile()), damaged);
        EXPECT_EQ(ReadFile(file), damaged);  // a copy: until a save, the original stays in place
    }
    // The store's own save wrote every readable note; the damaged original lies beside it untouched.
    EXPECT_EQ(LoadTakeNotes(file)->Count(), 3);
    const QStringList beside = QDir(folder.path()).entryList({"TakeNote.dat.unreadable-*"});
    ASSERT_EQ(beside.size(), 1);
    EXPECT_EQ(ReadFile(folder.filePath(beside.front())), damaged);
}

TEST_F(TakeNoteStore, AFileCutOrGarbledPartWayKeepsTheNotesBeforeTheDamage) {
    const QByteArray head = "<?xml version=\"1.0\"?>\n<TakeNotes>\n" + Note(1, "a") + "\n" + Note(2, "b") +
                            "\n" + Note(3, "c") + "\n";
    QByteArray cut = head + Note(4, "d");
    cut.chop(40);  // inside note 4's attributes, as a disk filled or a kill mid-write leaves it
    struct Case {
        const char* What;
        QByteArray Bytes;
    };
    const Case cases[] = {
        {"truncated", cut},
        {"garbage in the middle",
         head + QByteArray("\x00\x13<<\xfe#garbage", 13) + Note(4, "d") + Note(5, "e") + "</TakeNotes>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        WriteFile(file, c.Bytes);
        {
            TTakeNoteManage store(file);
            try {
                store.Load();
                ADD_FAILURE() << "no error";
            } catch (const EXmlError& error) {
                EXPECT_TRUE(error.Message().startsWith(file + ": ")) << error.Message().toStdString();
                EXPECT_TRUE(error.Message().contains("(line 6, column ")) << error.Message().toStdString();
                EXPECT_TRUE(error.Message().contains("损坏处之前的3条便签已读出"))
                    << error.Message().toStdString();
            }
            ASSERT_EQ(store.Count(), 3);
            EXPECT_EQ(store.Item(0)->Content, "a");
            EXPECT_EQ(store.Item(2)->Content, "c");
            ASSERT_FALSE(store.KeptAsideFile().isEmpty());
            EXPECT_EQ(ReadFile(store.KeptAsideFile()), c.Bytes);
            EXPECT_EQ(ReadFile(file), c.Bytes);
        }
        // The save at the end wrote the three notes; the damaged original lies beside it.
        const IXMLTakeNotesPtr written = LoadTakeNotes(file);
        ASSERT_EQ(written->Count(), 3);
        EXPECT_EQ(written->Item(2)->Content(), "c");
        const QStringList beside = QDir(folder.path()).entryList({"TakeNote.dat.unreadable-*"});
        ASSERT_EQ(beside.size(), 1);
        EXPECT_EQ(ReadFile(folder.filePath(beside.front())), c.Bytes);
    }
}

TEST_F(TakeNoteStore, ANotWellFormedFileOrAnotherRootFailsToLoad) {
    WriteFile(file, "<?xml version=\"1.0\"?><TakeNotes><TakeNote");
    TTakeNoteManage broken(file);
    EXPECT_THROW(broken.Load(), EXmlError);
    WriteFile(file, "<?xml version=\"1.0\"?><Desktop/>");
    TTakeNoteManage other(file);
    EXPECT_THROW(other.Load(), EXmlError);
}

TEST_F(TakeNoteStore, ASaveThatCannotWriteReportsItAndTheEndOfTheStoreTellsTheUser) {
    const QString unwritable = folder.filePath("missing-folder/TakeNote.dat");
    {
        TTakeNoteManage store(unwritable);
        store.AddItem(NewNote("x"));
        EXPECT_THROW(store.Save(), EXmlError);
    }
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("便签保存失败！错误信息如下：\r\n"));
}

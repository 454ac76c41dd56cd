// Reading Desktop.xml: the list, the conversions of the typed getters, and damaged files.

#include <gtest/gtest.h>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "uErrors.h"
#include "uXmlDesktop.h"
#include "uXmlDocument.h"

namespace {

IXMLDesktopPtr Parse(const QByteArray& bytes) {
    return LoadDesktopFromBytes(bytes, "Desktop.xml");
}

IXMLDesktop_MVButtons_MVButtonPtr OneButton(const QByteArray& attributes) {
    return Parse("<Desktop><MVButtons><MVButton " + attributes + "/></MVButtons></Desktop>")
        ->MVButtons()
        ->Item(0);
}

QString LoadError(const QByteArray& bytes) {
    try {
        Parse(bytes);
    } catch (const EXmlError& error) {
        return error.Message();
    }
    return QString();
}

}  // namespace

TEST(XmlDesktopRead, ARootWithoutTheListReadsAsEmptyAndGainsTheListOnFirstUse) {
    auto desktop = Parse("<?xml version=\"1.0\"?><Desktop/>");
    EXPECT_EQ(desktop->MVButtons()->Count(), 0);
    EXPECT_TRUE(desktop->OwnerDocument()->SaveToBytes().contains("<MVButtons"));
}

TEST(XmlDesktopRead, OnlyMVButtonElementsAreCountedAndIndexed) {
    auto list = Parse(
                    "<Desktop><Other/><MVButtons><Note/><MVButton Name='a'/>text<Foreign Name='x'/>"
                    "<MVButton Name='b'><Child/></MVButton></MVButtons></Desktop>")
                    ->MVButtons();
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Item(0)->Name(), "a");
    EXPECT_EQ(list->Item(1)->Name(), "b");
    EXPECT_THROW(list->Item(2), EXmlError);
    EXPECT_THROW(list->Item(-1), EXmlError);
}

TEST(XmlDesktopRead, AttributesInAnyOrderWithExtrasReadAsTheCanonicalForm) {
    auto item =
        OneButton("Image='i.Png' Extra='1' CmdLine='-x' FileName='/f' IsRunAsk='true' Place='1' Name='n'");
    EXPECT_EQ(item->Name(), "n");
    EXPECT_EQ(item->Place(), 1);
    EXPECT_TRUE(item->IsRunAsk());
    EXPECT_EQ(item->FileName(), "/f");
    EXPECT_EQ(item->CmdLine(), "-x");
    EXPECT_EQ(item->Image(), "i.Png");
}

TEST(XmlDesktopRead, AbsentStringsReadAsEmptyButAbsentNumbersAndBooleansRaise) {
    auto item = OneButton("");
    EXPECT_EQ(item->Name(), "");
    EXPECT_EQ(item->FileName(), "");
    EXPECT_EQ(item->CmdLine(), "");
    EXPECT_EQ(item->Image(), "");
    EXPECT_THROW(item->Place(), EConvertError);
    EXPECT_THROW(item->IsRunAsk(), EConvertError);
    EXPECT_THROW(item->IsAdvert(), EConvertError);
}

TEST(XmlDesktopRead, PlaceConvertsDecimalTextOnly) {
    EXPECT_EQ(OneButton("Place='3'")->Place(), 3);
    EXPECT_EQ(OneButton("Place='-1'")->Place(), -1);
    EXPECT_EQ(OneButton("Place='256'")->Place(), 256);
    EXPECT_EQ(OneButton("Place=' 2 '")->Place(), 2);
    for (const char* bad : {"Place=''", "Place='x'", "Place='1.5'", "Place='0x1'", "Place='99999999999'"})
        EXPECT_THROW(OneButton(bad)->Place(), EConvertError) << bad;
}

TEST(XmlDesktopRead, BooleansTakeTrueOrFalseInAnyCaseOrAnInteger) {
    for (const char* yes : {"TRUE", "True", "true", "1", "-7"})
        EXPECT_TRUE(OneButton(QByteArray("IsRunAsk='") + yes + "'")->IsRunAsk()) << yes;
    for (const char* no : {"FALSE", "false", "0"})
        EXPECT_FALSE(OneButton(QByteArray("IsRunAsk='") + no + "'")->IsRunAsk()) << no;
    for (const char* bad : {"yes", "", "是", "t"})
        EXPECT_THROW(OneButton(QByteArray("IsRunAsk='") + bad + "'")->IsRunAsk(), EConvertError) << bad;
}

TEST(XmlDesktopRead, TheConversionErrorNamesTheOffendingText) {
    try {
        OneButton("Place='abc'")->Place();
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_TRUE(error.Message().contains("'abc'"));
    }
}

TEST(XmlDesktopRead, AnItemViewKeepsTheWholeDocumentAlive) {
    IXMLDesktop_MVButtons_MVButtonPtr item;
    {
        auto desktop = Parse("<Desktop><MVButtons><MVButton Name='kept'/></MVButtons></Desktop>");
        item = desktop->MVButtons()->Item(0);
    }
    EXPECT_EQ(item->Name(), "kept");
}

TEST(XmlDesktopRead, UnreadableOrMalformedFilesRaiseWithTheReason) {
    QTemporaryDir dir;
    try {
        LoadDesktop(dir.filePath("absent.xml"));
        FAIL() << "no error";
    } catch (const EXmlError& error) {
        EXPECT_TRUE(error.Message().contains("absent.xml"));
    }
    EXPECT_TRUE(LoadError("<Desktop><MVButtons><MVButton Name='a'/>").contains("line 1"));
    EXPECT_FALSE(LoadError("this is not XML").isEmpty());
    EXPECT_FALSE(LoadError("").isEmpty());
    EXPECT_FALSE(LoadError("<Desktop><MVButton Name='a></Desktop>").isEmpty());
    EXPECT_TRUE(LoadError("<Plan><MVButtons/></Plan>").contains("Plan"));
    EXPECT_TRUE(LoadError("<desktop/>").contains("desktop"));
}

TEST(XmlDesktopRead, TheParserMessageGivesTheLineOfTheFault) {
    const QString message =
        LoadError("<Desktop>\n<MVButtons>\n<MVButton Name='a'>\n</MVButtons>\n</Desktop>");
    EXPECT_TRUE(message.contains("line 4")) << message.toStdString();
    EXPECT_TRUE(message.contains("mismatch")) << message.toStdString();
}

TEST(XmlDesktopRead, AHugeAttributeAndDeepNestingAreReadWithoutHarm) {
    const QByteArray huge(50 * 1024 * 1024, 'x');
    auto item = OneButton("Name='" + huge + "' Place='1'");
    EXPECT_EQ(item->Name().size(), huge.size());
    EXPECT_EQ(item->Place(), 1);

    const int depth = 100000;
    QByteArray nested = "<Desktop><MVButtons><MVButton Name='deep' Place='2' IsRunAsk='0'>";
    for (int i = 0; i < depth; ++i) nested += "<x>";
    for (int i = 0; i < depth; ++i) nested += "</x>";
    nested += "</MVButton><MVButton Name='after'/></MVButtons></Desktop>";
    auto list = Parse(nested)->MVButtons();
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Item(0)->Place(), 2);
    EXPECT_EQ(list->Item(1)->Name(), "after");
}

TEST(XmlDesktopRead, EntitiesOtherThanXmlsOwnAreNeverExpanded) {
    QByteArray laughs =
        "<?xml version='1.0'?><!DOCTYPE Desktop [<!ENTITY lol 'lol'>"
        "<!ENTITY lol1 '&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;'>"
        "<!ENTITY lol2 '&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;&lol1;'>"
        "<!ENTITY secret SYSTEM 'file:///etc/passwd'>]>"
        "<Desktop><MVButtons><MVButton Name='&lol2;' FileName='&secret;' "
        "CmdLine='&amp;&#x4E2D;'/></MVButtons></Desktop>";
    auto item = Parse(laughs)->MVButtons()->Item(0);
    EXPECT_EQ(item->Name(), "&lol2;");
    EXPECT_EQ(item->FileName(), "&secret;");
    EXPECT_EQ(item->CmdLine(), QStringLiteral("&中"));
}

TEST(XmlDesktopRead, ChineseTextReadsAsWrittenInEveryEncodingAFileMayDeclare) {
    const QString name = QStringLiteral("记事本");
    const QString body =
        QStringLiteral("<Desktop><MVButtons><MVButton Name=\"%1\"/></MVButtons></Desktop>").arg(name);
    // The name in GBK and in Big5, as files of the old program declared them.
    const QByteArray declaredGbk =
        "<?xml version=\"1.0\" encoding=\"GBK\"?>"
        "<Desktop><MVButtons><MVButton Name=\"\xBC\xC7\xCA\xC2\xB1\xBE\"/>"
        "</MVButtons></Desktop>";
    EXPECT_EQ(Parse(declaredGbk)->MVButtons()->Item(0)->Name(), name);
    const QByteArray declaredBig5 =
        "<?xml version='1.0' encoding='big5'?>"
        "<Desktop><MVButtons><MVButton Name=\"\xB0\x4F\xA8\xC6\xA5\xBB\"/>"
        "</MVButtons></Desktop>";
    EXPECT_EQ(Parse(declaredBig5)->MVButtons()->Item(0)->Name(), QStringLiteral("記事本"));
    // Bytes not valid in the declared encoding are read as they are.
    const QByteArray badGbk =
        "<?xml version=\"1.0\" encoding=\"GBK\"?>"
        "<Desktop><MVButtons><MVButton Name=\"ab\x81\x7F\"/>"
        "</MVButtons></Desktop>";
    EXPECT_EQ(Parse(badGbk)->MVButtons()->Item(0)->Name(), QString::fromUtf8("ab\x81\x7F"));
    EXPECT_EQ(Parse("<?xml version=\"1.0\"?>" + body.toUtf8())->MVButtons()->Item(0)->Name(), name);
    EXPECT_EQ(Parse("\xEF\xBB\xBF" + body.toUtf8())->MVButtons()->Item(0)->Name(), name);
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    EXPECT_EQ(Parse(utf16.encode(body))->MVButtons()->Item(0)->Name(), name);
    // A declared encoding nobody knows leaves the bytes as they are.
    EXPECT_EQ(
        Parse("<?xml version=\"1.0\" encoding=\"x-unknown\"?>" + body.toUtf8())->MVButtons()->Item(0)->Name(),
        name);
}

namespace {

// The names of the entries read from a file that may be damaged, and the damage named.
QStringList ReadablePartNames(const QByteArray& bytes, QString& damage) {
    QTemporaryDir folder;
    const QString fileName = folder.filePath("Desktop.xml");
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return {"(not written)"};
    file.write(bytes);
    file.close();
    const IXMLDesktop_MVButtonsPtr list = LoadDesktopReadablePart(fileName, damage)->MVButtons();
    QStringList names;
    for (int i = 0; i < list->Count(); ++i) names << list->Item(i)->Name();
    return names;
}

}  // namespace

TEST(XmlDesktopRead, AFileDamagedPartWayGivesTheEntriesBeforeTheDamageAndNoneItCut) {
    struct Case {
        const char* What;
        QByteArray Bytes;
        QStringList Names;
    };
    const QByteArray head =
        "<?xml version=\"1.0\"?>\n<Desktop><MVButtons>\n<MVButton Name=\"a\" Place=\"0\"/>\n"
        "<MVButton Name=\"b\" Place=\"1\"/>\n";
    const Case cases[] = {
        {"cut inside an attribute value", head + "<MVButton Name=\"c\" FileName=\"/usr/bi", {"a", "b"}},
        {"cut between attributes", head + "<MVButton Name=\"c\" ", {"a", "b"}},
        {"cut inside a quoted '>'", head + "<MVButton Name=\"c>d\" FileName=\"x", {"a", "b"}},
        {"cut after an entry's end", head, {"a", "b"}},
        {"cut after a start tag without its end tag", head + "<MVButton Name=\"c\">", {"a", "b"}},
        {"cut inside the end tag", head + "<MVButton Name=\"c\"></MVButton", {"a", "b"}},
        {"cut after an end tag", head + "<MVButton Name=\"c\"></MVButton >", {"a", "b", "c"}},
        {"cut in the list's start tag", "<Desktop><MVButt", {}},
        {"garbage between entries",
         head + "\x01\x02<<<\xff\n<MVButton Name=\"d\"/></MVButtons></Desktop>",
         {"a", "b"}},
        {"a broken declaration between entries",
         head + "<!garbage><MVButton Name=\"d\"/></MVButtons></Desktop>",
         {"a", "b"}},
        {"garbage inside an entry",
         head + "<MVButton Name=\"c\" %%% Place=\"0\"/><MVButton Name=\"d\"/></MVButtons></Desktop>",
         {"a", "b"}},
        {"a mismatched end tag", head + "<MVButton Name=\"c\"></MVButtons></Desktop>", {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        QString damage;
        EXPECT_EQ(ReadablePartNames(c.Bytes, damage), c.Names);
        EXPECT_TRUE(damage.contains("Desktop.xml: ")) << damage.toStdString();
        EXPECT_TRUE(damage.contains("(line ")) << damage.toStdString();
    }
}

TEST(XmlDesktopRead, ASoundFileReadsWhollyWithNoDamageNamed) {
    QString damage = "stale";
    EXPECT_EQ(ReadablePartNames("<Desktop><MVButtons><MVButton Name=\"a\"/><MVButton Name=\"b\"></MVButton>"
                                "</MVButtons></Desktop>",
                                damage),
              QStringList({"a", "b"}));
    EXPECT_TRUE(damage.isEmpty());
}

TEST(XmlDesktopRead, DamageBeforeTheRootOrAnotherRootStillRaises) {
    for (const QByteArray& bytes : {QByteArray("<Desk"), QByteArray("<TakeNotes><TakeNote ID=\"1\"/>"),
                                    QByteArray("garbage"), QByteArray()}) {
        QString damage;
        EXPECT_THROW(ReadablePartNames(bytes, damage), EXmlError) << bytes.constData();
    }
}

// Writing Desktop.xml: the declaration, the attribute order, escaping that survives a reader other
// than ours, and the atomic replacement of the old file.

#include <gtest/gtest.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#ifndef _WIN32
#include <sys/resource.h>
#include <csignal>
#endif

#include "uErrors.h"
#include "uXmlDesktop.h"
#include "uXmlDocument.h"

namespace {

struct Row {
    QString Name;
    int Place;
    bool IsRunAsk;
    QString FileName;
    QString CmdLine;
    QString Image;
};

// The manage dialog's way of writing: append, then set the six values in their fixed order.
void WriteRows(const IXMLDesktopPtr& desktop, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        auto item = desktop->MVButtons()->Add();
        item->SetName(row.Name);
        item->SetPlace(row.Place);
        item->SetIsRunAsk(row.IsRunAsk);
        item->SetFileName(row.FileName);
        item->SetCmdLine(row.CmdLine);
        item->SetImage(row.Image);
    }
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Each MVButton's attributes, names and values in file order, as Qt's own XML reader sees them.
std::vector<std::vector<std::pair<QString, QString>>> ReadWithQt(const QByteArray& bytes) {
    std::vector<std::vector<std::pair<QString, QString>>> buttons;
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != QLatin1String("MVButton"))
            continue;
        std::vector<std::pair<QString, QString>> attributes;
        for (const auto& attribute : reader.attributes())
            attributes.emplace_back(attribute.name().toString(), attribute.value().toString());
        buttons.push_back(attributes);
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return buttons;
}

}  // namespace

TEST(XmlDesktopWrite, AnEmptyListSavesTheDeclarationAndAnEmptyRootOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Desktop.xml");
    NewDesktop()->OwnerDocument()->SaveToFile(path);

    const QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\"?>")) << bytes.constData();
    EXPECT_FALSE(bytes.contains("encoding"));
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(bytes.contains("MVButtons"));
    EXPECT_TRUE(bytes.contains("<Desktop"));
    EXPECT_EQ(LoadDesktop(path)->MVButtons()->Count(), 0);
}

TEST(XmlDesktopWrite, EveryButtonHoldsTheSixAttributesInTheirOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Desktop.xml");
    auto desktop = NewDesktop();
    WriteRows(desktop, {{"Tool", 0, false, "/usr/bin/tool", "", "{A}.Png"},
                        {"Mail", 1, true, "mailto:x@example.com", "-v", ""}});
    desktop->OwnerDocument()->SaveToFile(path);

    const auto buttons = ReadWithQt(ReadAll(path));
    ASSERT_EQ(buttons.size(), 2u);
    const std::vector<std::pair<QString, QString>> second{
        {"Name", "Mail"},  {"Place", "1"}, {"IsRunAsk", "true"}, {"FileName", "mailto:x@example.com"},
        {"CmdLine", "-v"}, {"Image", ""}};
    EXPECT_EQ(buttons[1], second);
    EXPECT_EQ(buttons[0][2].second, "false");
}

TEST(XmlDesktopWrite, SpecialCharactersLineBreaksTabsAndChineseReadBackExactly) {
    const QString name = QStringLiteral("记事本 & <笔记> \"引号\" 'apos' >gt");
    const QString params = QStringLiteral("line1\r\nline2\nline3\rtab\there  two  spaces &amp; literal");
    const QString fileName = QStringLiteral("/home/用户/程序/a&b<c>.sh");
    QTemporaryDir dir;
    const QString path = dir.filePath("Desktop.xml");
    auto desktop = NewDesktop();
    WriteRows(desktop, {{name, 2, true, fileName, params, QStringLiteral("{图}.Ico")}});
    desktop->OwnerDocument()->SaveToFile(path);

    auto item = LoadDesktop(path)->MVButtons()->Item(0);
    EXPECT_EQ(item->Name(), name);
    EXPECT_EQ(item->CmdLine(), params);
    EXPECT_EQ(item->FileName(), fileName);
    EXPECT_EQ(item->Image(), QStringLiteral("{图}.Ico"));

    // A conforming reader turns raw tabs and line breaks in attributes into blanks; only
    // escaped ones survive, so this also proves they were written escaped.
    const auto buttons = ReadWithQt(ReadAll(path));
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0][0].second, name);
    EXPECT_EQ(buttons[0][4].second, params);
    EXPECT_EQ(buttons[0][3].second, fileName);
}

TEST(XmlDesktopWrite, SavingReplacesTheWholeOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Desktop.xml");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(
            "<Desktop><MVButtons><MVButton Name=\"Old\" Place=\"0\" IsRunAsk=\"false\" IsAdvert=\"true\"/>"
            "</MVButtons><Foreign/></Desktop>");
    }
    auto desktop = NewDesktop();
    WriteRows(desktop, {{"New", 1, false, "", "", ""}});
    desktop->OwnerDocument()->SaveToFile(path);

    const QByteArray bytes = ReadAll(path);
    EXPECT_FALSE(bytes.contains("IsAdvert"));
    EXPECT_FALSE(bytes.contains("Foreign"));
    EXPECT_FALSE(bytes.contains("Old"));
    EXPECT_EQ(LoadDesktop(path)->MVButtons()->Item(0)->Name(), "New");
}

#ifndef _WIN32
// The failure is made with a POSIX file-size limit; Windows has no such limit to set.
TEST(XmlDesktopWrite, AFailedSaveLeavesTheOldFileWholeAndNoTemporaryBehind) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Desktop.xml");
    auto small = NewDesktop();
    WriteRows(small, {{"Kept", 0, false, "", "", ""}});
    small->OwnerDocument()->SaveToFile(path);
    const QByteArray before = ReadAll(path);

    auto large = NewDesktop();
    std::vector<Row> rows;
    for (int i = 0; i < 200; ++i) rows.push_back({QString("Button %1").arg(i), 1, true, "/bin/true", "", ""});
    WriteRows(large, rows);

    // A file-size limit makes the write fail part-way, as a full disk would.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    EXPECT_THROW(large->OwnerDocument()->SaveToFile(path), EXmlError);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Desktop.xml"});
}
#endif

TEST(XmlDesktopWrite, SavingIntoAMissingFolderRaisesWithTheFileName) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/Desktop.xml");
    try {
        NewDesktop()->OwnerDocument()->SaveToFile(path);
        FAIL() << "no error";
    } catch (const EXmlError& error) {
        EXPECT_TRUE(error.Message().contains(path));
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(XmlDesktopWrite, InsertPlacesTheNewButtonBeforeTheGivenOneAndOldViewsSeeIt) {
    auto desktop = NewDesktop();
    auto list = desktop->MVButtons();
    list->Add()->SetName("A");
    list->Add()->SetName("C");
    EXPECT_EQ(list->Item(1)->Name(), "C");
    desktop->MVButtons()->Insert(1)->SetName("B");  // through another view of the same list
    desktop->MVButtons()->Insert(3)->SetName("D");
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Item(1)->Name(), "B");
    EXPECT_EQ(list->Item(2)->Name(), "C");
    EXPECT_EQ(list->Item(3)->Name(), "D");
    EXPECT_THROW(list->Insert(5), EXmlError);
    EXPECT_THROW(list->Insert(-1), EXmlError);
}

TEST(XmlDesktopWrite, SettersReplaceAnExistingAttributeInPlace) {
    auto desktop = NewDesktop();
    auto item = desktop->MVButtons()->Add();
    item->SetName("first");
    item->SetPlace(2);
    item->SetName("second");
    item->SetPlace(1);
    const auto buttons = ReadWithQt(desktop->OwnerDocument()->SaveToBytes());
    const std::vector<std::pair<QString, QString>> expected{{"Name", "second"}, {"Place", "1"}};
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0], expected);
}

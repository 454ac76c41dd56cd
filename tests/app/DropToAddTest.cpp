#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGBaseButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockPanel.h"
#include "TVGSidePanel.h"
#include "uDropToAdd.h"
#include "uMaroviaManage.h"
#include "uXmlDesktop.h"
#include "ufrmManageButton.h"
#include "ufrmMarovia.h"
#include "vgPosition.h"

namespace {

struct PlanEntry {
    QString Name;
    int Place;
    QString FileName;
    QString Image;
    friend bool operator==(const PlanEntry&, const PlanEntry&) = default;
};

class DropToAdd : public ::testing::Test {
protected:
    DropToAdd() {
        platform->SetWorkArea(QRect(0, 0, 1920, 1040));
        QDir().mkpath(QFileInfo(PlanFile()).path());
        QFile plan(PlanFile());
        EXPECT_TRUE(plan.open(QIODevice::WriteOnly));
        QByteArray xml = "<?xml version=\"1.0\"?><Desktop><MVButtons>";
        for (const auto& [name, place] :
             std::vector<std::pair<const char*, int>>{{"S1", 0}, {"D1", 1}, {"S2", 0}, {"D2", 1}, {"P1", 2}})
            xml += QStringLiteral(
                       "<MVButton Name=\"%1\" Place=\"%2\" IsRunAsk=\"false\" "
                       "FileName=\"/usr/bin/true\" CmdLine=\"\" Image=\"\"/>")
                       .arg(QString::fromLatin1(name))
                       .arg(place)
                       .toUtf8();
        plan.write(xml + "</MVButtons></Desktop>");
        plan.close();
        form = std::make_unique<TfrmMarovia>();
        form->Show();
        platform->Advance(50);
    }
    QString PlanFile() { return install.Paths().GetPlanConfigFile(QStringLiteral("默认方案")); }
    FakeHostWindow& Window() { return *platform->HostWindows().front(); }
    TVGBaseButton* Button(const QString& name) {
        for (int i = 0; i < MaroviaManage->ButtonCount(); ++i)
            if (MaroviaManage->GetButton(i)->ButtonName() == name) return MaroviaManage->GetButton(i);
        return nullptr;
    }
    QPointF CentreOf(TvgVisualObject* object, float dx = 0, float dy = 0) {
        const TvgRect r = object->AbsoluteRect();
        return {(r.Left + r.Right) / 2 + dx, (r.Top + r.Bottom) / 2 + dy};
    }
    std::vector<PlanEntry> Plan() {
        std::vector<PlanEntry> entries;
        const IXMLDesktop_MVButtonsPtr buttons = LoadDesktop(PlanFile())->MVButtons();
        for (int i = 0; i < buttons->Count(); ++i) {
            const auto item = buttons->Item(i);
            entries.push_back({item->Name(), item->Place(), item->FileName(), item->Image()});
        }
        return entries;
    }
    std::vector<QString> Names() {
        std::vector<QString> names;
        for (const PlanEntry& e : Plan()) names.push_back(e.Name);
        return names;
    }
    QByteArray PlanBytes() {
        QFile file(PlanFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString MakeFile(const QString& name) {
        const QString path = files.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    static TDropData Files(const QStringList& paths) { return TDropData{paths, {}}; }
    void ShowDesktopPanel() {
        MaroviaManage->SetIsShowDesktop(true);
        platform->Advance(700);
    }

    FakePlatformScope platform;
    InstallationScope install;
    QTemporaryDir files;
    std::unique_ptr<TfrmMarovia> form;
};

const QRegularExpression kIconName(QStringLiteral("^\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}\\.Ico$"));

}  // namespace

TEST_F(DropToAdd, AFileDroppedOnTheRightHalfOfADockButtonGoesAfterIt) {
    const QString notes = MakeFile("notes.txt");
    ASSERT_TRUE(Window().DragAndDrop(Files({notes}), CentreOf(Button("D1"), 10)));
    // In the file it goes before the next dock entry.
    EXPECT_EQ(Names(), (std::vector<QString>{"S1", "D1", "S2", "notes", "D2", "P1"}));
    const PlanEntry added = Plan()[3];
    EXPECT_EQ(added.Place, BP_Dock);
    // Kept as the system writes paths (backslashes on Windows).
    EXPECT_EQ(added.FileName, QDir::toNativeSeparators(notes));
    EXPECT_TRUE(kIconName.match(added.Image).hasMatch()) << added.Image.toStdString();
    // The icon is the file's own, written into the plan folder under that name.
    ASSERT_EQ(platform->ShellFake().ExtractedIcons.size(), 1u);
    EXPECT_EQ(platform->ShellFake().ExtractedIcons[0].first, notes);
    EXPECT_EQ(platform->ShellFake().ExtractedIcons[0].second, MaroviaManage->CurrentPlanPath() + added.Image);
    // The scene was rebuilt: the new button stands second in the dock's row.
    TVGBaseButton* button = Button("notes");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Place(), BP_Dock);
    EXPECT_EQ(button->Panel(), MaroviaManage->DockPanel());
    EXPECT_FLOAT_EQ(button->Position()->X(), 68);
    EXPECT_EQ(MaroviaManage->DockPanel()->ButtonCount(), 3);
    EXPECT_TRUE(platform->Messages().empty());
}

TEST_F(DropToAdd, TheLeftHalfOfTheFirstDockButtonPutsTheNewOneFirst) {
    ASSERT_TRUE(Window().DragAndDrop(Files({MakeFile("a.sh")}), CentreOf(Button("D1"), -10)));
    EXPECT_EQ(Names(), (std::vector<QString>{"S1", "a", "D1", "S2", "D2", "P1"}));
}

TEST_F(DropToAdd, ADesktopEntryDroppedOnADesktopButtonTakesItsCellWithTheEntrysNameAndIcon) {
    const QString entry = MakeFile("org.example.Files.desktop");
    platform->ShellFake().Shortcuts[entry] = TShortcutTarget{entry, QString()};
    platform->ShellFake().ShortcutNames[entry] = QStringLiteral("文件管理");
    ShowDesktopPanel();
    const TvgPoint cell = Button("P1")->Position()->Point();
    ASSERT_TRUE(Window().DragAndDrop(Files({entry}), CentreOf(Button("P1"))));
    EXPECT_EQ(Names(), (std::vector<QString>{"S1", "D1", "S2", "D2", "文件管理", "P1"}));
    EXPECT_EQ(Plan()[4].Place, BP_Desktop);
    EXPECT_EQ(Plan()[4].FileName, entry);
    EXPECT_EQ(platform->ShellFake().ExtractedIcons.at(0).first, entry);
    TVGBaseButton* added = Button("文件管理");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Position()->Point(), cell);
}

TEST_F(DropToAdd, AShellLinkGivesItsTargetAndParametersAndTheTargetsIcon) {
    const QString target = MakeFile("editor");
    const QString link = MakeFile("My Editor.lnk");
    platform->ShellFake().Shortcuts[link] = TShortcutTarget{target, "--new-window"};
    ASSERT_TRUE(Window().DragAndDrop(Files({link}), CentreOf(Button("S2"), 0, 15)));
    EXPECT_EQ(Names(), (std::vector<QString>{"S1", "D1", "S2", "My Editor", "D2", "P1"}));
    const IXMLDesktop_MVButtons_MVButtonPtr item = LoadDesktop(PlanFile())->MVButtons()->Item(3);
    EXPECT_EQ(item->Place(), BP_ToolBar);
    EXPECT_EQ(item->FileName(), target);
    EXPECT_EQ(item->CmdLine(), "--new-window");
    EXPECT_FALSE(item->IsRunAsk());
    EXPECT_EQ(platform->ShellFake().ExtractedIcons.at(0).first, target);
}

TEST_F(DropToAdd, FoldersAndWebAddressesAndSeveralItemsAtOnce) {
    const QString folder = files.filePath("项目");
    ASSERT_TRUE(QDir().mkpath(folder));
    ShowDesktopPanel();
    // An empty cell of the panel: after the last desktop button.
    const TDropData data{{folder, MakeFile("S1")}, {"https://www.example.org/start"}};
    ASSERT_TRUE(Window().DragAndDrop(data, QPointF(900, 500)));
    const std::vector<PlanEntry> plan = Plan();
    ASSERT_EQ(plan.size(), 8u);
    EXPECT_EQ(plan[5].Name, "项目");
    EXPECT_EQ(plan[5].FileName, QDir::toNativeSeparators(folder));
    // A name already taken gets a number.
    EXPECT_EQ(plan[6].Name, "S1 (2)");
    EXPECT_EQ(plan[7].Name, "example.org");
    EXPECT_EQ(plan[7].FileName, "https://www.example.org/start");
    EXPECT_EQ(plan[7].Image, "");
    for (std::size_t i = 5; i < 8; ++i) EXPECT_EQ(plan[i].Place, BP_Desktop);
    // Addresses have no file to take an icon from.
    EXPECT_EQ(platform->ShellFake().ExtractedIcons.size(), 2u);
    EXPECT_NE(Button("example.org"), nullptr);
}

TEST_F(DropToAdd, UnusableDropsAreRefusedWithAMessageAndNothingIsWritten) {
    const QByteArray before = PlanBytes();
    const QPointF onDock = CentreOf(Button("D1"));
    ASSERT_TRUE(Window().DragAndDrop(Files({files.filePath("gone.txt")}), onDock));
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Text, "“" + files.filePath("gone.txt") + "”不存在，无法添加按钮。");
    EXPECT_EQ(platform->Messages()[0].Title, "提示");

    platform->ClearMessages();
    ASSERT_TRUE(Window().DragAndDrop(TDropData{{}, {"trash:///old"}}, onDock));
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.endsWith("不是文件、文件夹或网址，无法添加按钮。"));

    // A shortcut that cannot be read.
    platform->ClearMessages();
    ASSERT_TRUE(Window().DragAndDrop(Files({MakeFile("broken.lnk")}), onDock));
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("无法读取快捷方式"));

    EXPECT_EQ(PlanBytes(), before);
    EXPECT_TRUE(platform->ShellFake().ExtractedIcons.empty());
    EXPECT_EQ(MaroviaManage->ButtonCount(), 6);
}

TEST_F(DropToAdd, OnlyThePanelsTakeADrop) {
    const QString notes = MakeFile("notes.txt");
    // The desktop panel is hidden: the middle of the screen is the ordinary desktop.
    EXPECT_FALSE(Window().DragOver(Files({notes}), QPointF(900, 500)));
    EXPECT_FALSE(Window().DragAndDrop(Files({notes}), QPointF(900, 500)));
    EXPECT_TRUE(Window().DragOver(Files({notes}), CentreOf(Button("S1"))));
    EXPECT_FALSE(Window().DragOver(TDropData{}, CentreOf(Button("S1"))));
    EXPECT_EQ(DropSpotAt(*MaroviaManage, TvgPoint{900, 500}), std::nullopt);
    ShowDesktopPanel();
    EXPECT_TRUE(Window().DragOver(Files({notes}), QPointF(900, 500)));
    EXPECT_EQ(Plan().size(), 5u);
}

TEST_F(DropToAdd, ADamagedPlanFileIsNotRewrittenFromWhatCouldBeRead) {
    QFile plan(PlanFile());
    ASSERT_TRUE(plan.open(QIODevice::WriteOnly));
    const QByteArray damaged =
        "<?xml version=\"1.0\"?><Desktop><MVButtons><MVButton Name=\"S1\" Place=\"0\" "
        "IsRunAsk=\"false\"/><MVButton Name=\"X\" Place=\"\" IsRunAsk=\"false\"/>"
        "</MVButtons></Desktop>";
    plan.write(damaged);
    plan.close();
    MaroviaManage->LoadFromFile();
    platform->ClearMessages();
    ASSERT_TRUE(Window().DragAndDrop(Files({MakeFile("notes.txt")}), CentreOf(Button("S1"))));
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.startsWith("添加按钮失败！按钮文件无法完整读取"));
    EXPECT_EQ(PlanBytes(), damaged);
    EXPECT_TRUE(platform->ShellFake().ExtractedIcons.empty());
}

TEST_F(DropToAdd, WhileTheManageDialogIsOpenADropIsToldToWaitAndNothingIsWritten) {
    const QByteArray before = PlanBytes();
    const int buttons = MaroviaManage->ButtonCount();
    ShowManageButton();
    ASSERT_NE(ManageButtonForm(), nullptr);
    platform->ClearMessages();
    ASSERT_TRUE(Window().DragAndDrop(Files({MakeFile("notes.txt")}), CentreOf(Button("D1"))));
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.contains("管理按钮"));
    EXPECT_EQ(PlanBytes(), before);
    EXPECT_EQ(MaroviaManage->ButtonCount(), buttons);
    delete ManageButtonForm();
}

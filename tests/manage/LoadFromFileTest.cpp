#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include <set>
#include <stdexcept>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockButton.h"
#include "TVGDockPanel.h"
#include "TVGSideButton.h"
#include "TVGSidePanel.h"
#include "uMaroviaManage.h"
#include "vgBackground.h"
#include "vgBitmap.h"
#include "vgDecodedPictures.h"
#include "vgImage.h"
#include "vgPosition.h"

namespace {

struct Entry {
    QString Name{};
    QString Place{};
    QString IsRunAsk = "false";
    QString FileName = "/usr/bin/true";
    QString CmdLine{};
    QString Image{};
};

QByteArray DesktopXml(const std::vector<Entry>& entries) {
    QByteArray xml = "<?xml version=\"1.0\"?>\n<Desktop><MVButtons>";
    for (const Entry& e : entries)
        xml += QStringLiteral(
                   "<MVButton Name=\"%1\" Place=\"%2\" IsRunAsk=\"%3\" FileName=\"%4\" CmdLine=\"%5\" "
                   "Image=\"%6\" IsAdvert=\"false\"/>")
                   .arg(e.Name, e.Place, e.IsRunAsk, e.FileName, e.CmdLine, e.Image)
                   .toUtf8();
    return xml + "</MVButtons></Desktop>";
}

class LoadFromFile : public ::testing::Test {
protected:
    void Write(const QByteArray& bytes) {
        QFile file(manage.CurrentPlanConfigFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    std::vector<QString> Names() const {
        std::vector<QString> names;
        for (int i = 0; i < manage.ButtonCount(); ++i) names.push_back(manage.GetButton(i)->ButtonName());
        return names;
    }

    FakePlatformScope platform;
    InstallationScope install;
    TvgBackground root;
    TMaroviaManage manage{&root};
};

}  // namespace

TEST_F(LoadFromFile, WithoutAFileOnlyTheSystemButtonExists) {
    manage.LoadFromFile();
    ASSERT_EQ(manage.ButtonCount(), 1);
    auto* system = qobject_cast<TVGDesktopButton*>(manage.GetButton(0));
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->ButtonName(), "Win桌面文件");
    EXPECT_EQ(system->FileName(), "MV:\\\\ShowDesktopFile");
    EXPECT_TRUE(system->IsSystemButton());
    EXPECT_EQ(system->SysCommand(), MVC_ShowDesktopFile);
    EXPECT_EQ(system->Place(), BP_Desktop);
    EXPECT_EQ(system->ImageFile(), install.Paths().WinFileButtonImageFile());
    EXPECT_TRUE(platform->Messages().empty());
    EXPECT_TRUE(manage.ButtonExist("WIN桌面文件"));
    EXPECT_THROW(manage.GetButton(1), std::out_of_range);
    EXPECT_THROW(manage.GetButton(-1), std::out_of_range);
}

TEST_F(LoadFromFile, EntriesBecomeButtonsOfTheirPlaceInFileOrder) {
    Write(DesktopXml({{"Tool", "0", "true", "/bin/a", " -x", "a.Png"},
                      {"TOOL", "1"},                       // the same name in another case: skipped
                      {"Win桌面文件", "2"},                // the system button's name: skipped
                      {"Mail", "3"},                       // no such place: skipped
                      {"Dock", "257", "false", "/bin/d"},  // low byte 1: the dock
                      {"Desk", "2", "TRUE", "https://example.org", "", "{X}.Ico"},
                      {"Side2", "0"}}));
    manage.LoadFromFile();
    EXPECT_EQ(Names(), (std::vector<QString>{"Win桌面文件", "Tool", "Dock", "Desk", "Side2"}));

    auto* side = qobject_cast<TVGSideButton*>(manage.GetButton(1));
    ASSERT_NE(side, nullptr);
    EXPECT_EQ(side->Parent(), manage.SidePanel());
    EXPECT_EQ(side->FileName(), "/bin/a");
    EXPECT_EQ(side->CmdLine(), " -x");
    EXPECT_TRUE(side->IsRunAsk());
    EXPECT_EQ(side->Place(), BP_ToolBar);
    EXPECT_EQ(side->ImageFile(), manage.CurrentPlanPath() + "a.Png");
    EXPECT_EQ(side->Position()->Y(), 0);
    EXPECT_EQ(manage.GetButton(4)->Position()->Y(), 42);  // the side bar stacks 40 + 2 apart

    auto* dock = qobject_cast<TVGDockButton*>(manage.GetButton(2));
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(qobject_cast<TVGDesktopButton*>(dock), nullptr);
    EXPECT_EQ(dock->Place(), BP_Dock);
    auto* desk = qobject_cast<TVGDesktopButton*>(manage.GetButton(3));
    ASSERT_NE(desk, nullptr);
    EXPECT_TRUE(desk->IsRunAsk());
    EXPECT_FALSE(desk->IsSystemButton());
    EXPECT_EQ(desk->ImageFile(), manage.CurrentPlanPath() + "{X}.Ico");
}

TEST_F(LoadFromFile, ABadEntryIsNamedTheOthersLoadAndTheFileIsKeptAside) {
    const QByteArray bytes = DesktopXml({{"One", "0"}, {"Two", "1"}, {"Three", ""}, {"Four", "0"}});
    Write(bytes);
    manage.LoadFromFile();
    EXPECT_EQ(Names(), (std::vector<QString>{"Win桌面文件", "One", "Two", "Four"}));
    ASSERT_EQ(platform->Messages().size(), 1u);
    const TRecordedMessage& message = platform->Messages()[0];
    EXPECT_TRUE(message.Text.startsWith("加载失败！错误信息如下：\r\n第3个按钮“Three”："))
        << message.Text.toStdString();
    EXPECT_EQ(message.Title, "Marovia");
    EXPECT_EQ(message.Buttons, TMsgButtons::MB_Ok);
    const QString copy = manage.CurrentPlanConfigFile() + ".unreadable-";
    ASSERT_TRUE(message.Text.contains("\r\n原文件已另存为：" + copy)) << message.Text.toStdString();
    QFile kept(message.Text.mid(message.Text.indexOf(copy)));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), bytes);

    // Loading the same damage again names the same copy instead of making another.
    platform->ClearMessages();
    manage.LoadFromFile();
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_TRUE(platform->Messages()[0].Text.endsWith(kept.fileName()));
}

TEST_F(LoadFromFile, AFileCutOrGarbledPartWayGivesTheButtonsBeforeTheDamage) {
    QByteArray whole = DesktopXml({{"One", "0"}, {"Two", "1"}, {"Three", "2"}, {"Four", "1"}, {"Five", "0"}});
    const qsizetype four = whole.indexOf("<MVButton Name=\"Four\"");
    QByteArray garbled = whole;
    garbled.insert(four, "\x01<<?\xff");
    const QByteArray cases[] = {whole.left(four + 30), garbled};
    for (const QByteArray& bytes : cases) {
        SCOPED_TRACE(bytes.constData());
        platform->ClearMessages();
        Write(bytes);
        manage.LoadFromFile();
        EXPECT_EQ(Names(), (std::vector<QString>{"Win桌面文件", "One", "Two", "Three"}));
        ASSERT_EQ(platform->Messages().size(), 1u);
        const QString text = platform->Messages()[0].Text;
        EXPECT_TRUE(text.startsWith("加载失败！错误信息如下：\r\n" + manage.CurrentPlanConfigFile() + ": "))
            << text.toStdString();
        EXPECT_TRUE(text.contains("(line 2, column ")) << text.toStdString();
        EXPECT_TRUE(text.contains("损坏处之前的3个按钮已读出")) << text.toStdString();
        const QString copy = manage.CurrentPlanConfigFile() + ".unreadable-";
        ASSERT_TRUE(text.contains("\r\n原文件已另存为：" + copy)) << text.toStdString();
        QFile kept(text.mid(text.indexOf(copy)));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), bytes);
        QFile::remove(kept.fileName());
    }
}

TEST_F(LoadFromFile, AnEntryThatFailsToConvertLeavesNoHalfMadeButtonInItsPanel) {
    Write(DesktopXml({{"One", "0"}, {"Two", "0", "maybe"}}));
    manage.LoadFromFile();
    EXPECT_EQ(Names(), (std::vector<QString>{"Win桌面文件", "One"}));
    EXPECT_EQ(manage.SidePanel()->ButtonCount(), 1);
    EXPECT_EQ(platform->Messages().size(), 1u);
}

TEST_F(LoadFromFile, DamagedFilesAreReportedNeverFatal) {
    for (const QByteArray& bytes :
         {QByteArray("<?xml version=\"1.0\"?><Desktop><MVButtons><MVButton Name=\"x\""),
          QByteArray("not xml at all"), QByteArray("<?xml version=\"1.0\"?><TakeNotes/>"), QByteArray()}) {
        platform->ClearMessages();
        Write(bytes);
        manage.LoadFromFile();
        EXPECT_EQ(manage.ButtonCount(), 1) << bytes.constData();
        ASSERT_EQ(platform->Messages().size(), 1u) << bytes.constData();
        EXPECT_TRUE(platform->Messages()[0].Text.startsWith("加载失败！错误信息如下：\r\n"));
    }
}

TEST_F(LoadFromFile, EntitiesDeclaredInTheFileAreNeverExpanded) {
    Write(
        "<!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;&a;&a;&a;&a;&a;\">]><Desktop><MVButtons>"
        "<MVButton Name=\"&b;\" Place=\"0\" IsRunAsk=\"false\"/></MVButtons></Desktop>");
    manage.LoadFromFile();
    ASSERT_EQ(manage.ButtonCount(), 2);
    EXPECT_EQ(manage.GetButton(1)->ButtonName(), "&b;");
}

TEST_F(LoadFromFile, ReloadingReplacesEveryButtonAndADeletedFileLeavesTheSystemButton) {
    Write(DesktopXml({{"A", "0"}, {"B", "0"}}));
    manage.LoadFromFile();
    QPointer<TVGBaseButton> old = manage.GetButton(1);
    manage.LoadFromFile();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(manage.SidePanel()->ButtonCount(), 2);
    EXPECT_EQ(manage.GetButton(2)->Position()->Y(), 42);  // stacking starts again from the top
    QFile::remove(manage.CurrentPlanConfigFile());
    manage.LoadFromFile();
    EXPECT_EQ(Names(), (std::vector<QString>{"Win桌面文件"}));
    EXPECT_EQ(manage.SidePanel()->ButtonCount(), 0);
}

TEST_F(LoadFromFile, DesktopIconsOfTheirOwnAreDecodedAfterTheLoadAndSideAndDockIconsDuringIt) {
    std::vector<Entry> entries;
    for (int i = 0; i < 30; ++i) {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(QColor(i, 100, 200));
        const QString image = QStringLiteral("{own-%1}.Png").arg(i);
        ASSERT_TRUE(icon.save(manage.CurrentPlanPath() + image, "png"));
        // Two side, two dock, the rest on the desktop.
        entries.push_back({QStringLiteral("B%1").arg(i),
                           i < 2   ? "0"
                           : i < 4 ? "1"
                                   : "2",
                           "false", "/usr/bin/true", "", image});
    }
    Write(DesktopXml(entries));
    const std::uint64_t before = DecodedPictureReads();
    manage.LoadFromFile();
    ASSERT_EQ(manage.ButtonCount(), 31);
    // Only the four shown ones.
    EXPECT_EQ(DecodedPictureReads(), before + 4);
    EXPECT_TRUE(manage.GetButton(0)->PictureDue());  // "Win桌面文件", on the desktop panel too
    platform->RunPosted();
    EXPECT_EQ(DecodedPictureReads(), before + 30);
    EXPECT_FALSE(manage.GetButton(0)->PictureDue());
    for (int i = 1; i <= 30; ++i) {
        const TVGBaseButton* button = manage.GetButton(i);
        EXPECT_FALSE(button->PictureDue()) << i;
        const int colour = button->ButtonName().mid(1).toInt();
        EXPECT_EQ(button->Image()->Bitmap()->Image().pixel(3, 3), QColor(colour, 100, 200).rgba()) << i;
    }
}

TEST_F(LoadFromFile, AnIconSharedByFortyButtonsIsReadOnceAndShownByEach) {
    QImage icon(128, 128, QImage::Format_ARGB32);
    icon.fill(QColor(10, 200, 30));
    ASSERT_TRUE(icon.save(manage.CurrentPlanPath() + "{shared}.Png", "png"));
    std::vector<Entry> entries;
    for (int i = 0; i < 40; ++i)
        entries.push_back({QStringLiteral("B%1").arg(i), QString::number(i % 3), "false", "/usr/bin/true", "",
                           "{shared}.Png"});
    Write(DesktopXml(entries));
    const std::uint64_t before = DecodedPictureReads();
    manage.LoadFromFile();
    ASSERT_EQ(manage.ButtonCount(), 41);
    EXPECT_EQ(DecodedPictureReads(), before + 1);
    for (int i = 1; i < manage.ButtonCount(); ++i) {
        const QImage& shown = manage.GetButton(i)->Image()->Bitmap()->Image();
        ASSERT_EQ(shown.size(), QSize(128, 128)) << i;
        EXPECT_EQ(shown.pixel(64, 64), 0xFF0AC81Eu) << i;
    }
    // A new picture under the same name is read at the next load.
    QImage other(64, 64, QImage::Format_ARGB32);
    other.fill(QColor(200, 10, 10));
    ASSERT_TRUE(other.save(manage.CurrentPlanPath() + "{shared}.Png", "png"));
    manage.LoadFromFile();
    EXPECT_EQ(DecodedPictureReads(), before + 2);
    EXPECT_EQ(manage.GetButton(40)->Image()->Bitmap()->Image().pixel(10, 10), 0xFFC80A0Au);
}

TEST(SceneManager, PlanPathsAndImageNames) {
    FakePlatformScope platform;
    InstallationScope install;
    TvgBackground root;
    TMaroviaManage manage(&root);
    EXPECT_EQ(manage.CurrentPlanName(), "默认方案");
    EXPECT_TRUE(QFileInfo(manage.CurrentPlanPath()).isDir());
    EXPECT_EQ(manage.CurrentPlanConfigFile(), manage.CurrentPlanPath() + "Desktop.xml");
    EXPECT_FALSE(QFileInfo::exists(manage.CurrentPlanConfigFile()));

    static const QRegularExpression guid(
        "^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    std::set<QString> seen;
    for (TImageKind kind : {IK_Png, IK_Ico, IK_Png}) {
        const QString name = manage.NewImageFileName(kind);
        ASSERT_TRUE(name.startsWith(manage.CurrentPlanPath()));
        const QString file = name.mid(manage.CurrentPlanPath().size());
        EXPECT_EQ(file.right(4), kind == IK_Png ? ".Png" : ".Ico");
        EXPECT_TRUE(guid.match(file.chopped(4)).hasMatch()) << file.toStdString();
        EXPECT_FALSE(QFileInfo::exists(name));
        seen.insert(name);
    }
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(LoadFromFile, TheDockShowsExactlyWhenThePlanHasDockButtons) {
    Write(DesktopXml({{"Side", "0"}}));
    manage.LoadFromFile();
    EXPECT_FALSE(manage.IsShowDock());

    Write(DesktopXml({{"Dock", "1"}, {"Desk", "2"}}));
    manage.SetIsShowDock(false);  // hidden by the user
    manage.LoadFromFile();
    EXPECT_TRUE(manage.IsShowDock());  // shown again: the plan has dock buttons
    EXPECT_EQ(manage.DockPanel()->ButtonCount(), 1);
    EXPECT_EQ(manage.GetButton(1)->Parent()->Owner(), manage.DockPanel());
    auto* desk = qobject_cast<TVGDesktopButton*>(manage.GetButton(2));
    ASSERT_NE(desk, nullptr);
    EXPECT_EQ(desk->Parent(), manage.DesktopPanel());
    EXPECT_EQ(desk->DesktopPanel(), manage.DesktopPanel());

    // Without a file nothing after the system button runs: the empty dock stays as it was.
    QFile::remove(manage.CurrentPlanConfigFile());
    manage.LoadFromFile();
    EXPECT_EQ(manage.DockPanel()->ButtonCount(), 0);
    EXPECT_TRUE(manage.IsShowDock());

    Write("<?xml version=\"1.0\"?><Desktop/>");  // no MVButtons at all
    manage.LoadFromFile();
    EXPECT_FALSE(manage.IsShowDock());
    EXPECT_EQ(manage.ButtonCount(), 1);
}

TEST_F(LoadFromFile, TheSystemButtonLivesOnTheDesktopPanelAndRaisesItsCommandThere) {
    std::vector<std::pair<QObject*, TMVSysCommand>> raised;
    manage.SetOnBuildInEvent(
        [&](QObject* sender, TMVSysCommand command) { raised.emplace_back(sender, command); });
    manage.LoadFromFile();
    auto* system = qobject_cast<TVGDesktopButton*>(manage.GetButton(0));
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->Parent(), manage.DesktopPanel());
    system->BackGroundDblClick(nullptr);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].first, system);
    EXPECT_EQ(raised[0].second, MVC_ShowDesktopFile);
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockButton.h"
#include "TVGHintBox.h"
#include "TVGSideButton.h"
#include "uLaunchTarget.h"
#include "uMaroviaManage.h"
#include "vgBackground.h"
#include "vgEllipse.h"
#include "vgPosition.h"

namespace {

struct TargetCase {
    const char* FileName;
    bool Unchecked;
};

// Which targets are never asked about: addresses, markers, bare commands, shares and slow mounts.
const TargetCase kTargets[] = {
    {"https://example.org/", true},
    {"www.example.org", true},
    {"mailto:someone@example.org", true},
    {"MV:\\\\ShowDesktopFile", true},
    {"smb://server/share/tool.exe", true},
    {"sftp://host/home/a.txt", true},
    {"//server/share/tool.exe", true},
    {"\\\\server\\share\\tool.exe", true},
    {"/mnt/backup/report.doc", true},
    {"/media/usb/app", true},
    {"/run/media/me/stick/app", true},
    {"/run/user/1000/gvfs/smb-share:server=nas/a.txt", true},
    {"firefox", true},
    {"", true},
    {"   ", true},
    {"/usr/bin/true", false},
    {"/home/me/文档/报告.txt", false},
    {"C:\\Program Files\\App\\app.exe", false},
    {"./relative/tool", false},
};

TEST(LaunchTarget, OnlyLocalPathsAreAskedAbout) {
    for (const TargetCase& c : kTargets)
        EXPECT_EQ(IsUncheckedTarget(QString::fromUtf8(c.FileName)), c.Unchecked) << c.FileName;
}

TEST(LaunchTarget, TheShellIsAskedOnlyAboutLocalPaths) {
    FakePlatformScope platform;
    for (const TargetCase& c : kTargets) {
        const QString name = QString::fromUtf8(c.FileName);
        const TTargetState state = CheckLaunchTarget(name);
        if (c.Unchecked) {
            EXPECT_EQ(state, TTargetState::TS_NotChecked) << c.FileName;
        }
    }
    std::vector<QString> expected;
    for (const TargetCase& c : kTargets)
        if (!c.Unchecked) expected.push_back(QString::fromUtf8(c.FileName));
    EXPECT_EQ(platform->ShellFake().TargetChecks, expected);
    EXPECT_EQ(CheckLaunchTarget("/usr/bin/true"), TTargetState::TS_Present);
    EXPECT_EQ(CheckLaunchTarget("/no/such/folder/tool"), TTargetState::TS_Missing);
}

// Paths on a drive letter mapped to a share look local; the shell tells them apart.
struct DriveCase {
    const char* FileName;
    TTargetState State;
};
const DriveCase kDrives[] = {
    {"N:\\Tools\\app.exe", TTargetState::TS_NotChecked},
    {"n:/tools/app.exe", TTargetState::TS_NotChecked},
    {"S:\\共享\\报告.docx", TTargetState::TS_NotChecked},
    {"C:\\NoSuchFolder\\app.exe", TTargetState::TS_Missing},
    {"/no/such/folder/tool", TTargetState::TS_Missing},
    {"/usr/bin/true", TTargetState::TS_Present},
};

TEST(LaunchTarget, PathsOnMappedNetworkDrivesAreNotAskedAbout) {
    FakePlatformScope platform;
    platform->ShellFake().NetworkDrives = {"N:", "S:"};
    std::vector<QString> asked;
    for (const DriveCase& c : kDrives) {
        const QString name = QString::fromUtf8(c.FileName);
        EXPECT_EQ(CheckLaunchTarget(name), c.State) << c.FileName;
        if (c.State != TTargetState::TS_NotChecked) asked.push_back(name);
    }
    EXPECT_EQ(platform->ShellFake().TargetChecks, asked);
    // Every local-looking path was put to the shell's drive check first.
    EXPECT_EQ(platform->ShellFake().NetworkChecks.size(), std::size(kDrives));
    // Addresses and bare names never reach it.
    platform->ShellFake().NetworkChecks.clear();
    EXPECT_EQ(CheckLaunchTarget("https://example.org/"), TTargetState::TS_NotChecked);
    EXPECT_EQ(CheckLaunchTarget("notepad"), TTargetState::TS_NotChecked);
    EXPECT_TRUE(platform->ShellFake().NetworkChecks.empty());
}

QByteArray PlanXml(const std::vector<std::pair<QString, QString>>& entries) {
    QByteArray xml = "<?xml version=\"1.0\"?>\n<Desktop><MVButtons>";
    for (const auto& [place, file] : entries)
        xml += QStringLiteral(
                   "<MVButton Name=\"%1\" Place=\"%2\" IsRunAsk=\"false\" FileName=\"%1\" "
                   "CmdLine=\"\" Image=\"\"/>")
                   .arg(file.toHtmlEscaped(), place)
                   .toUtf8();
    return xml + "</MVButtons></Desktop>";
}

class BrokenLaunchers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(files.isValid());
        platform->ShellFake().NetworkDrives = {"N:"};
        for (const char* name : {"side.sh", "dock.sh", "desk.txt"}) {
            QFile file(files.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        // The button's name is its target here, so that a button tells which file it names.
        QFile plan(manage.CurrentPlanConfigFile());
        ASSERT_TRUE(plan.open(QIODevice::WriteOnly));
        plan.write(PlanXml({{"0", files.filePath("side.sh")},
                            {"1", files.filePath("dock.sh")},
                            {"2", files.filePath("desk.txt")},
                            {"2", files.filePath("gone.txt")},
                            {"1", "https://example.org/"},
                            {"0", "/mnt/share/tool"},
                            {"1", "N:\\Share\\gone.exe"}}));
    }
    TVGBaseButton* Button(const QString& fileName) const {
        for (int i = 0; i < manage.ButtonCount(); ++i)
            if (manage.GetButton(i)->FileName() == fileName) return manage.GetButton(i);
        return nullptr;
    }
    std::vector<QString> Marked() const {
        std::vector<QString> marked;
        for (int i = 0; i < manage.ButtonCount(); ++i)
            if (manage.GetButton(i)->IsTargetMissing())
                marked.push_back(QFileInfo(manage.GetButton(i)->FileName()).fileName());
        return marked;
    }
    bool BadgeShown(const TVGBaseButton* button) const {
        return button->MissingBadge() && button->MissingBadge()->Visible();
    }

    FakePlatformScope platform;
    InstallationScope install;
    QTemporaryDir files;
    TvgBackground root;
    TMaroviaManage manage{&root};
};

}  // namespace

TEST_F(BrokenLaunchers, ALoadMarksTheButtonsWhoseFileIsGone) {
    manage.LoadFromFile();
    EXPECT_EQ(Marked(), std::vector<QString>{"gone.txt"});
    TVGBaseButton* gone = Button(files.filePath("gone.txt"));
    ASSERT_NE(gone, nullptr);
    EXPECT_TRUE(BadgeShown(gone));
    EXPECT_EQ(gone->HintText(), files.filePath("gone.txt") + "（目标不存在）");
    TVGBaseButton* present = Button(files.filePath("desk.txt"));
    EXPECT_FALSE(BadgeShown(present));
    EXPECT_EQ(present->HintText(), present->ButtonName());
    // The address and the share are never asked about, nor is the system button's marker.
    const auto& asked = platform->ShellFake().TargetChecks;
    EXPECT_EQ(std::count(asked.begin(), asked.end(), QString("/mnt/share/tool")), 0);
    EXPECT_EQ(std::count(asked.begin(), asked.end(), QString("https://example.org/")), 0);
    // Nor is the file on the mapped network drive, though its name looks local.
    EXPECT_EQ(std::count(asked.begin(), asked.end(), QString("N:\\Share\\gone.exe")), 0);
    const TVGBaseButton* share = Button("N:\\Share\\gone.exe");
    ASSERT_NE(share, nullptr);
    EXPECT_FALSE(share->IsTargetMissing());
    EXPECT_EQ(asked.size(), 4u);
}

TEST_F(BrokenLaunchers, ShowingTheDesktopPanelLooksAgainButDrawingAndTimersDoNot) {
    manage.LoadFromFile();
    ASSERT_TRUE(QFile::remove(files.filePath("dock.sh")));
    const std::size_t asked = platform->ShellFake().TargetChecks.size();
    // The slide and the wallpaper poll run; nothing looks at the files meanwhile.
    platform->Advance(5000);
    EXPECT_EQ(platform->ShellFake().TargetChecks.size(), asked);
    EXPECT_FALSE(Button(files.filePath("dock.sh"))->IsTargetMissing());

    manage.SetIsShowDesktop(true);
    EXPECT_EQ(Marked(), (std::vector<QString>{"dock.sh", "gone.txt"}));
    const std::size_t afterShow = platform->ShellFake().TargetChecks.size();
    EXPECT_EQ(afterShow, asked + 4);
    platform->Advance(3000);
    manage.SetIsShowDesktop(true);  // already shown: no new look
    EXPECT_EQ(platform->ShellFake().TargetChecks.size(), afterShow);

    // The file comes back: the next showing takes the badge away.
    QFile back(files.filePath("dock.sh"));
    ASSERT_TRUE(back.open(QIODevice::WriteOnly));
    back.close();
    manage.SetIsShowDesktop(false);
    platform->Advance(1000);
    manage.SetIsShowDesktop(true);
    EXPECT_EQ(Marked(), std::vector<QString>{"gone.txt"});
    EXPECT_FALSE(BadgeShown(Button(files.filePath("dock.sh"))));
}

TEST_F(BrokenLaunchers, TheHintsOfSideDockAndDesktopButtonsTellOfTheMissingTarget) {
    ASSERT_TRUE(QFile::remove(files.filePath("side.sh")));
    ASSERT_TRUE(QFile::remove(files.filePath("dock.sh")));
    manage.LoadFromFile();
    TVGHintBox* hint = manage.HintBox();

    auto* side = qobject_cast<TVGSideButton*>(Button(files.filePath("side.sh")));
    ASSERT_NE(side, nullptr);
    side->BackGroundMouseEnter(side);
    EXPECT_TRUE(hint->HintInfo().endsWith("（目标不存在）"));
    side->BackGroundMouseLeave(side);

    auto* dock = qobject_cast<TVGDockButton*>(Button(files.filePath("dock.sh")));
    ASSERT_NE(dock, nullptr);
    dock->ButtonMouseEnter(dock);
    EXPECT_EQ(hint->HintInfo(), files.filePath("dock.sh") + "（目标不存在）");
    dock->ButtonMouseLeave(dock);
    EXPECT_FALSE(hint->Visible());

    // A desktop button uses the hint box only to tell of a missing target.
    auto* present = qobject_cast<TVGDesktopButton*>(Button(files.filePath("desk.txt")));
    ASSERT_NE(present, nullptr);
    present->ButtonMouseEnter(present);
    EXPECT_FALSE(hint->Visible());
    auto* gone = qobject_cast<TVGDesktopButton*>(Button(files.filePath("gone.txt")));
    ASSERT_NE(gone, nullptr);
    gone->ButtonMouseEnter(gone);
    EXPECT_TRUE(hint->Visible());
    EXPECT_EQ(hint->HintInfo(), files.filePath("gone.txt") + "（目标不存在）");
    gone->ButtonMouseLeave(gone);
    EXPECT_FALSE(hint->Visible());
}

TEST_F(BrokenLaunchers, TheBadgeSitsInTheTopRightCornerOfEveryKindOfButton) {
    ASSERT_TRUE(QFile::remove(files.filePath("side.sh")));
    ASSERT_TRUE(QFile::remove(files.filePath("dock.sh")));
    manage.LoadFromFile();
    for (const QString name : {"side.sh", "dock.sh", "gone.txt"}) {
        TVGBaseButton* button = Button(files.filePath(name));
        ASSERT_TRUE(BadgeShown(button)) << name.toStdString();
        const TvgEllipse* badge = button->MissingBadge();
        EXPECT_EQ(badge->Position()->X() + badge->Width() + 1, button->Width()) << name.toStdString();
        EXPECT_EQ(badge->Position()->Y(), 1) << name.toStdString();
        EXPECT_FALSE(badge->HitTest());
    }
}

TEST_F(BrokenLaunchers, ButtonsOfOneTargetAreMarkedTogetherAfterOneLook) {
    QFile plan(manage.CurrentPlanConfigFile());
    ASSERT_TRUE(plan.open(QIODevice::WriteOnly));
    // The names must differ; the targets repeat.
    QByteArray xml = "<?xml version=\"1.0\"?>\n<Desktop><MVButtons>";
    for (int i = 0; i < 6; ++i)
        xml += QStringLiteral(
                   "<MVButton Name=\"B%1\" Place=\"%2\" IsRunAsk=\"false\" FileName=\"%3\" "
                   "CmdLine=\"\" Image=\"\"/>")
                   .arg(i)
                   .arg(i % 3)
                   .arg(files.filePath(i % 2 ? "gone.txt" : "desk.txt").toHtmlEscaped())
                   .toUtf8();
    plan.write(xml + "</MVButtons></Desktop>");
    plan.close();
    manage.LoadFromFile();
    EXPECT_EQ(Marked(), (std::vector<QString>{"gone.txt", "gone.txt", "gone.txt"}));
    const auto& asked = platform->ShellFake().TargetChecks;
    EXPECT_EQ(std::count(asked.begin(), asked.end(), files.filePath("gone.txt")), 1);
    EXPECT_EQ(std::count(asked.begin(), asked.end(), files.filePath("desk.txt")), 1);
    // Each showing is a new look, once per target again.
    manage.SetIsShowDesktop(true);
    EXPECT_EQ(std::count(asked.begin(), asked.end(), files.filePath("gone.txt")), 2);
    EXPECT_EQ(Marked().size(), 3u);
}

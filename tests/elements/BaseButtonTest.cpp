#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "TVGSideButton.h"
#include "vgBitmap.h"
#include "vgBrush.h"
#include "vgGlowEffect.h"
#include "vgImage.h"
#include "vgLabel.h"
#include "vgRectangle.h"
#include "vgReflectionEffect.h"

namespace {

class BaseButton : public ::testing::Test {
protected:
    FakeShell& Shell() { return platform->ShellFake(); }
    FakePlatformScope platform;
    TVGBaseButton button;
};

}  // namespace

TEST_F(BaseButton, TheTreeIsARoundedBackgroundHoldingTheIconOneUnitInside) {
    EXPECT_EQ(button.Width(), 40);
    EXPECT_EQ(button.Height(), 40);
    ASSERT_EQ(button.BackGround()->Parent(), &button);
    EXPECT_EQ(button.Image()->Parent(), button.BackGround());
    EXPECT_TRUE(button.BackGround()->HitTest());
    EXPECT_FALSE(button.Image()->HitTest());
    EXPECT_FALSE(button.HitTest());
    EXPECT_EQ(button.BackGround()->Fill()->Color(), "#01000000");
    EXPECT_EQ(button.BackGround()->Stroke()->Color(), "#10000000");
    button.Realign();
    EXPECT_EQ(button.Image()->Width(), 38);
    EXPECT_EQ(button.Image()->Height(), 38);
}

TEST_F(BaseButton, WithoutAskingTheFileIsLaunchedAtOnce) {
    button.SetButtonName("Editor");
    button.SetFileName("/usr/bin/editor");
    button.SetCmdLine("a b");
    button.ButtonClick(nullptr);
    EXPECT_TRUE(platform->Messages().empty());
    ASSERT_EQ(Shell().Launches.size(), 1u);
    EXPECT_EQ(Shell().Launches[0].FileName, "/usr/bin/editor");
    EXPECT_EQ(Shell().Launches[0].Params, "a b");
}

TEST_F(BaseButton, TheQuestionShowsParametersOnlyWhenTheyAreNotBlank) {
    button.SetButtonName("Editor");
    button.SetFileName("/usr/bin/editor");
    button.SetIsRunAsk(true);
    button.SetCmdLine(" \t ");
    platform->ScriptAnswer(TMsgResult::MR_Yes);
    button.ButtonClick(nullptr);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Text, "确定要运行【Editor】吗？\r\n执行路径：/usr/bin/editor");
    EXPECT_EQ(platform->Messages()[0].Title, "提示");
    EXPECT_EQ(platform->Messages()[0].Icon, TMsgIcon::MI_Question);
    EXPECT_EQ(platform->Messages()[0].Buttons, TMsgButtons::MB_YesNo);
    ASSERT_EQ(Shell().Launches.size(), 1u);
    EXPECT_EQ(Shell().Launches[0].Params, " \t ");  // the blanks still reach the launch

    button.SetCmdLine(" --new");
    platform->ScriptAnswer(TMsgResult::MR_Yes);
    button.ButtonClick(nullptr);
    EXPECT_EQ(platform->Messages()[1].Text,
              "确定要运行【Editor】吗？\r\n执行路径：/usr/bin/editor\r\n运行参数： --new");
}

TEST_F(BaseButton, AnyAnswerButYesLaunchesNothing) {
    button.SetIsRunAsk(true);
    platform->ScriptAnswer(TMsgResult::MR_No);
    button.ButtonClick(nullptr);
    EXPECT_TRUE(Shell().Launches.empty());
    EXPECT_EQ(platform->Messages().size(), 1u);
}

TEST_F(BaseButton, AFailedLaunchIsReportedWithTheName) {
    button.SetButtonName("%1 Tool");  // a placeholder inside the name is shown as written
    Shell().LaunchResult = false;
    button.ButtonClick(nullptr);
    ASSERT_EQ(platform->Messages().size(), 1u);
    EXPECT_EQ(platform->Messages()[0].Text, "运行【%1 Tool】失败！");
    EXPECT_EQ(platform->Messages()[0].Icon, TMsgIcon::MI_Error);
    EXPECT_EQ(platform->Messages()[0].Buttons, TMsgButtons::MB_Ok);
}

TEST_F(BaseButton, AMissingImageKeepsThePreviousPicture) {
    QTemporaryDir folder;
    const QString first = folder.filePath("a.png");
    QImage red(8, 6, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(first));
    button.SetImageFile(first);
    EXPECT_EQ(button.Image()->Bitmap()->Width(), 8);
    button.SetImageFile(folder.filePath("missing.png"));
    EXPECT_EQ(button.ImageFile(), folder.filePath("missing.png"));
    EXPECT_EQ(button.Image()->Bitmap()->Width(), 8);

    // The same path again does not reload: a changed file on disk is not picked up.
    QImage blue(4, 4, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    button.SetImageFile(first);
    ASSERT_TRUE(blue.save(first));
    button.SetImageFile(first);
    EXPECT_EQ(button.Image()->Bitmap()->Width(), 8);
}

TEST(SideButton, TheBackgroundLightensWhileHovered) {
    FakePlatformScope platform;
    TVGSideButton button;
    EXPECT_EQ(button.BackGround()->Fill()->Color(), "#10000000");
    button.BackGroundMouseEnter(nullptr);
    EXPECT_EQ(button.BackGround()->Stroke()->Color(), "#50FFFFFF");
    button.BackGroundMouseLeave(nullptr);
    EXPECT_EQ(button.BackGround()->Stroke()->Color(), "#10000000");
}

TEST(DockButton, TitleBelowTheIconWithAGlowOffAndAReflectionOn) {
    FakePlatformScope platform;
    TVGDockButton button;
    EXPECT_EQ(button.Width(), 64);
    EXPECT_EQ(button.Height(), 80);
    EXPECT_TRUE(button.HitTest());
    EXPECT_FALSE(button.BackGround()->HitTest());
    const TvgRect title = button.Title()->BoundsRect();
    EXPECT_EQ(title, (TvgRect{0, 64, 64, 80}));
    EXPECT_EQ(button.BackGround()->BoundsRect(), (TvgRect{0, 0, 64, 64}));
    EXPECT_EQ(button.Image()->BoundsRect(), (TvgRect{1, 1, 63, 63}));
    EXPECT_EQ(button.GlowEffect()->Parent(), button.Image());
    EXPECT_FALSE(button.GlowEffect()->Enabled());
    EXPECT_TRUE(button.ReflectionEffect()->Enabled());
    button.SetButtonName("记事本");
    EXPECT_EQ(button.Title()->Text(), "记事本");
}

TEST(DesktopButton, TheBackgroundTakesTheMouseAndHoldsTheTitle) {
    FakePlatformScope platform;
    TVGDesktopButton button;
    EXPECT_EQ(button.Width(), 80);
    EXPECT_EQ(button.Height(), 90);
    EXPECT_TRUE(button.BackGround()->HitTest());
    EXPECT_FALSE(button.ReflectionEffect()->Enabled());
    EXPECT_EQ(button.Title()->Parent(), button.BackGround());
    EXPECT_EQ(button.Title()->BoundsRect(), (TvgRect{2, 68, 78, 88}));
    EXPECT_EQ(button.Image()->BoundsRect(), (TvgRect{1, 1, 79, 67}));
}

TEST(DesktopButton, ADoubleClickLaunchesOrRaisesTheSystemCommandThroughItsPanel) {
    FakePlatformScope platform;
    TVGDesktopPanel panel;
    TVGDesktopButton button;
    button.SetFileName("/usr/bin/app");
    button.BackGroundDblClick(nullptr);
    ASSERT_EQ(platform->ShellFake().Launches.size(), 1u);

    std::vector<TMVSysCommand> raised;
    panel.SetOnBuildInEvent([&](QObject* sender, TMVSysCommand command) {
        EXPECT_EQ(sender, &button);
        raised.push_back(command);
    });
    button.SetIsSystemButton(true);
    button.SetSysCommand(MVC_ShowDesktopFile);
    button.BackGroundDblClick(nullptr);  // not placed by a panel yet: nobody to tell
    EXPECT_TRUE(raised.empty());
    button.SetDesktopPanel(&panel);
    button.BackGroundDblClick(nullptr);
    EXPECT_EQ(raised, std::vector<TMVSysCommand>{MVC_ShowDesktopFile});
    EXPECT_EQ(platform->ShellFake().Launches.size(), 1u);  // a system button never launches

    panel.SetOnBuildInEvent(nullptr);
    button.BackGroundDblClick(nullptr);
    EXPECT_EQ(raised.size(), 1u);
}

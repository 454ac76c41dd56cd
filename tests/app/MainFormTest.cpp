#include <gtest/gtest.h>

#include <QFile>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGBaseButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockPanel.h"
#include "TVGHintBox.h"
#include "TVGSidePanel.h"
#include "uMaroviaManage.h"
#include "ufrmMarovia.h"
#include "vgBackground.h"
#include "vgButton.h"
#include "vgLabel.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vg_Marovia.h"

namespace {

class MainForm : public ::testing::Test {
protected:
    MainForm() {
        platform->SetWorkArea(QRect(0, 0, 1366, 740));  // an odd width less the switch
        form = std::make_unique<TfrmMarovia>();
        form->Show();
        platform->Advance(50);
    }
    FakeHostWindow& Window() { return *platform->HostWindows().front(); }
    QPointF CentreOf(TvgVisualObject* object) {
        const TvgRect r = object->AbsoluteRect();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    FakePlatformScope platform;
    InstallationScope install;
    std::unique_ptr<TfrmMarovia> form;
};

}  // namespace

TEST_F(MainForm, TheSwitchIsCentredOnTheFormKeepingItsHalfPixelAndTheLabelSitsBottomRight) {
    EXPECT_EQ(form->BoundsRect(), QRect(0, 0, 1366, 740));
    EXPECT_FLOAT_EQ(form->VGRoot()->Width(), 1366);
    EXPECT_FLOAT_EQ(form->VGRoot()->Height(), 740);
    EXPECT_FLOAT_EQ(form->LoTopButton()->Position()->X(), 581.5f);  // (1366 - 203) / 2
    EXPECT_FLOAT_EQ(form->LoTopButton()->Position()->Y(), 0.0f);
    const TvgRect label = form->LableURL()->AbsoluteRect();
    EXPECT_FLOAT_EQ(label.Right, 1366);
    EXPECT_FLOAT_EQ(label.Bottom, 740);
    EXPECT_FLOAT_EQ(label.Right - label.Left, 188);
    EXPECT_FLOAT_EQ(label.Bottom - label.Top, 23);
    EXPECT_EQ(form->LableURL()->Text(), QString::fromLatin1(MaroviaHomePage));
}

TEST_F(MainForm, OnlyWhatIsDrawnTakesTheMouse) {
    const QRegion input = Window().InputRegion();
    EXPECT_TRUE(input.contains(CentreOf(form->BtnMarovia()).toPoint()));
    EXPECT_TRUE(input.contains(CentreOf(form->BtnDesktopPc()).toPoint()));
    EXPECT_FALSE(input.contains(QPoint(600, 400)));  // the empty middle of the screen
    EXPECT_EQ(qAlpha(Window().FrameBuffer().pixel(600, 400)), 0);
    // The label's text draws opaque pixels somewhere in its strip.
    const TvgRect label = form->LableURL()->AbsoluteRect();
    EXPECT_TRUE(input.intersects(QRect(int(label.Left), int(label.Top), 188, 23)));
}

TEST_F(MainForm, ClickingTheEnabledSegmentSwapsTheSegmentsAndTheDesktopPanel) {
    EXPECT_FALSE(form->BtnDesktopPc()->Enabled());
    EXPECT_TRUE(form->BtnMarovia()->Enabled());
    EXPECT_FLOAT_EQ(form->BtnDesktopPc()->AbsoluteOpacity(), 0.8f);
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());

    Window().Click(TMouseButton::mbLeft, CentreOf(form->BtnMarovia()));
    EXPECT_TRUE(MaroviaManage->IsShowDesktop());
    EXPECT_TRUE(form->BtnDesktopPc()->Enabled());
    EXPECT_FALSE(form->BtnMarovia()->Enabled());

    // The disabled segment no longer answers.
    Window().Click(TMouseButton::mbLeft, CentreOf(form->BtnMarovia()));
    EXPECT_TRUE(MaroviaManage->IsShowDesktop());

    platform->Advance(700);  // the panel has slid in
    Window().Click(TMouseButton::mbLeft, CentreOf(form->BtnDesktopPc()));
    EXPECT_TRUE(MaroviaManage->IsShowDesktop());  // still sliding out
    platform->Advance(700);
    EXPECT_FALSE(MaroviaManage->IsShowDesktop());
    EXPECT_FALSE(form->BtnDesktopPc()->Enabled());
    EXPECT_TRUE(form->BtnMarovia()->Enabled());
}

TEST(MainFormWithButtons, HoveringASideButtonShowsItsNameToTheLeftAndAClickLaunchesIt) {
    FakePlatformScope platform;
    InstallationScope install;
    platform->SetWorkArea(QRect(0, 0, 1000, 700));
    QFile file(install.Paths().GetPlanConfigFile("默认方案"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(
        "<?xml version=\"1.0\"?><Desktop><MVButtons><MVButton Name=\"编辑器\" Place=\"0\" IsRunAsk=\"false\" "
        "FileName=\"/usr/bin/editor\" CmdLine=\"\" Image=\"\"/></MVButtons></Desktop>");
    file.close();
    TfrmMarovia form;
    form.Show();
    platform->Advance(50);
    FakeHostWindow& window = *platform->HostWindows().front();
    // The side bar's first button: 40 x 40 at the top of the 38-wide bar 2 pixels inside the right edge.
    const QPointF onButton(1000 - 2 - 38 + 20, 20);
    EXPECT_TRUE(window.InputRegion().contains(onButton.toPoint()));  // alpha 1 still takes the mouse
    window.MouseMove(onButton);
    TVGHintBox* hint = MaroviaManage->HintBox();
    EXPECT_TRUE(hint->Visible());
    EXPECT_EQ(hint->HintInfo(), "编辑器");
    EXPECT_EQ(hint->Position()->Point(), (TvgPoint{1000 - 2 - 38 - 120, 0}));
    window.Click(TMouseButton::mbLeft, onButton);
    ASSERT_EQ(platform->ShellFake().Launches.size(), 1u);
    EXPECT_EQ(platform->ShellFake().Launches[0].FileName, "/usr/bin/editor");
    window.MouseMove(QPointF(500, 350));
    EXPECT_FALSE(hint->Visible());
}

TEST(MainFormScreenChanges, TheFormAndEveryPanelFollowTheWorkAreaAndTheScreen) {
    FakePlatformScope platform;
    InstallationScope install;
    platform->SetWorkArea(QRect(0, 0, 1000, 700));
    platform->SetScreenSize(QSize(1000, 740));
    QFile file(install.Paths().GetPlanConfigFile("默认方案"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray entries =
        "<MVButton Name=\"D\" Place=\"1\" IsRunAsk=\"false\" FileName=\"/bin/d\" CmdLine=\"\" Image=\"\"/>";
    for (int i = 1; i <= 8; ++i)
        entries += QByteArray("<MVButton Name=\"Desk") + QByteArray::number(i) +
                   "\" Place=\"2\" IsRunAsk=\"false\" FileName=\"/bin/x\" CmdLine=\"\" Image=\"\"/>";
    file.write("<?xml version=\"1.0\"?><Desktop><MVButtons>" + entries + "</MVButtons></Desktop>");
    file.close();
    TfrmMarovia form;
    form.Show();
    platform->Advance(50);
    TVGDockPanel* dock = MaroviaManage->DockPanel();
    TVGDesktopPanel* desktop = MaroviaManage->DesktopPanel();
    const auto lastDesktopButton = [] { return MaroviaManage->GetButton(MaroviaManage->ButtonCount() - 1); };
    EXPECT_FLOAT_EQ(dock->Position()->Y(), 700 - 55 - 20);
    // Seven rows of 94 fit into 740: the eighth button (after "Win桌面文件") opens the second column.
    EXPECT_GT(lastDesktopButton()->Position()->X(), 4);

    // A taskbar at the top and a larger screen.
    platform->ChangeScreen(QRect(0, 30, 1400, 900), QSize(1400, 960));
    platform->Advance(50);
    EXPECT_EQ(form.BoundsRect(), QRect(0, 0, 1400, 900));
    EXPECT_FLOAT_EQ(form.LoTopButton()->Position()->X(), (1400 - 203) / 2.0f);
    EXPECT_FLOAT_EQ(dock->Position()->Y(), 900 - 55 - 20);
    EXPECT_FLOAT_EQ(dock->Position()->X(), (1400 - dock->Width()) / 2);
    EXPECT_TRUE(dock->Visible());
    EXPECT_FLOAT_EQ(MaroviaManage->SidePanel()->AbsoluteRect().Right, 1400 - 2);
    EXPECT_FLOAT_EQ(desktop->Height(), 960);
    EXPECT_FLOAT_EQ(desktop->Position()->X(), 1400);  // hidden beyond the new right edge
    // Ten rows fit now: the eighth button is back in the first column.
    EXPECT_FLOAT_EQ(lastDesktopButton()->Position()->X(), 4);

    // The slide covers the new width; a dock the user closed stays closed on the next change.
    form.BtnMaroviaClick();
    platform->Advance(700);
    EXPECT_FLOAT_EQ(desktop->Position()->X(), 0);
    EXPECT_FLOAT_EQ(desktop->Width(), 1400);
    dock->SetVisible(false);
    platform->ChangeScreen(QRect(0, 0, 1200, 800), QSize(1200, 800));
    platform->Advance(50);
    EXPECT_FALSE(dock->Visible());
    EXPECT_FLOAT_EQ(desktop->Width(), 1200);
    EXPECT_FLOAT_EQ(desktop->Position()->X(), 0);
}

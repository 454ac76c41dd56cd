#include <gtest/gtest.h>

#include <QFile>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGHintBox.h"
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

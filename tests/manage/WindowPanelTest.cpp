#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FakeHostWindow.h"
#include "FakePlatformScope.h"
#include "InstallationScope.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "ufrmWindowPanel.h"
#include "vgCloseButton.h"
#include "vgHudWindow.h"
#include "vgLabel.h"
#include "vgPosition.h"
#include "vgScrollBox.h"
#include "vg_Marovia.h"

namespace {

class WindowPanel : public ::testing::Test {
protected:
    WindowPanel() { Fake->ShellFake().DesktopPath = Desktop.path(); }
    ~WindowPanel() override { FreeWindowPanel(); }

    void AddShortcuts(int count) {
        for (int i = 0; i < count; ++i) {
            const QString path = Desktop.path() + QStringLiteral("/Tool %1.lnk").arg(i);
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            Fake->ShellFake().Shortcuts.insert(path, {QStringLiteral("/opt/tool%1").arg(i), {}});
        }
    }
    static FakeHostWindow& Window() {
        return *dynamic_cast<FakeHostWindow*>(frmWindowPanel->Scene()->HostWindow());
    }
    static std::vector<TVGDesktopButton*> Buttons() {
        std::vector<TVGDesktopButton*> buttons;
        for (TvgObject* child : frmWindowPanel->VGDesktopPanel()->ChildList())
            if (auto* b = qobject_cast<TVGDesktopButton*>(child)) buttons.push_back(b);
        return buttons;
    }
    // Presses and releases the window's close button through the scene's mouse routing.
    static void ClickClose() {
        auto* close = qobject_cast<TvgCloseButton*>(frmWindowPanel->HudWindow()->FindResource("close"));
        ASSERT_NE(close, nullptr);
        const TvgRect r = close->AbsoluteRect();
        const QPointF centre((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        frmWindowPanel->Scene()->HostMouseDown(TMouseButton::mbLeft, {}, centre);
        frmWindowPanel->Scene()->HostMouseUp(TMouseButton::mbLeft, {}, centre);
    }

    FakePlatformScope Fake;
    InstallationScope Install;
    QTemporaryDir Desktop;
};

TEST_F(WindowPanel, OpensOneCentredWindowAndBringsItForwardWhenAskedAgain) {
    ShowWindowPanel();
    ASSERT_NE(frmWindowPanel, nullptr);
    TfrmWindowPanel* first = frmWindowPanel;
    EXPECT_TRUE(Window().IsVisible());
    EXPECT_EQ(Window().Geometry(), QRect((1920 - 720) / 2, (1080 - 640) / 2, 720, 640));
    const int raises = Window().RaiseCount();

    ShowWindowPanel();
    EXPECT_EQ(frmWindowPanel, first);
    EXPECT_EQ(Window().RaiseCount(), raises + 1);
    EXPECT_EQ(Fake->HostWindows().size(), 1u);
}

TEST_F(WindowPanel, AnOpenWindowIsNotRefreshed) {
    AddShortcuts(1);
    ShowWindowPanel();
    AddShortcuts(3);
    ShowWindowPanel();
    EXPECT_EQ(Buttons().size(), 1u);
}

TEST_F(WindowPanel, CloseButtonClosesAndAFreshWindowShowsTheCurrentShortcuts) {
    AddShortcuts(1);
    ShowWindowPanel();
    frmWindowPanel->Scene()->DrawUpdateRects();
    FakeHostWindow* window = &Window();
    ClickClose();
    EXPECT_EQ(frmWindowPanel, nullptr);
    EXPECT_FALSE(window->IsVisible());
    Fake->RunPosted();

    AddShortcuts(2);
    ShowWindowPanel();
    ASSERT_NE(frmWindowPanel, nullptr);
    EXPECT_EQ(Buttons().size(), 2u);
}

TEST_F(WindowPanel, NineShortcutsFillARowOfEightAndStartASecond) {
    AddShortcuts(9);
    ShowWindowPanel();
    const auto buttons = Buttons();
    ASSERT_EQ(buttons.size(), 9u);
    const float firstRow = buttons[0]->Position()->Y();
    for (int i = 1; i < 8; ++i) {
        EXPECT_FLOAT_EQ(buttons[i]->Position()->Y(), firstRow) << i;
        EXPECT_GT(buttons[i]->Position()->X(), buttons[i - 1]->Position()->X()) << i;
    }
    EXPECT_GT(buttons[8]->Position()->Y(), firstRow);
    EXPECT_FLOAT_EQ(buttons[8]->Position()->X(), buttons[0]->Position()->X());
    // Every button lies inside the window's width.
    EXPECT_LE(buttons[7]->AbsoluteRect().Right, 720);
    // The window shows them at once: no picture waits for the event loop.
    for (const TVGDesktopButton* button : buttons) EXPECT_FALSE(button->PictureDue());
}

TEST_F(WindowPanel, WithoutShortcutsOnlyTheFrameAndTitleShow) {
    ShowWindowPanel();
    EXPECT_TRUE(Buttons().empty());
    TvgHudWindow* hud = frmWindowPanel->HudWindow();
    EXPECT_EQ(hud->Text(), "Win桌面快捷方式");
    EXPECT_EQ(hud->ButtonAlign(), vgButtonAlignRight);
    EXPECT_FALSE(hud->ShowSizeGrip());
    EXPECT_EQ(hud->Fill()->SolidColor(), 0x96363736u);
    EXPECT_FALSE(frmWindowPanel->VGDesktopPanel()->AddButton());
    frmWindowPanel->Scene()->DrawUpdateRects();
    // The frame is drawn; the window's corner, outside the frame and its shadow, is not.
    EXPECT_GT(qAlpha(Window().FrameBuffer().pixel(360, 320)), 0);
    EXPECT_EQ(qAlpha(Window().FrameBuffer().pixel(0, 0)), 0);
}

TEST_F(WindowPanel, ManyShortcutsScrollWithTheWheel) {
    AddShortcuts(60);
    ShowWindowPanel();
    TvgScrollBox* box = frmWindowPanel->WinScrollBox();
    ASSERT_NE(box->VScrollBar(), nullptr);
    EXPECT_TRUE(box->VScrollBar()->Visible());
    box->SetAnimated(false);
    ASSERT_EQ(Buttons().size(), 60u);
    const float before = Buttons()[0]->AbsoluteRect().Top;
    frmWindowPanel->Scene()->HostMouseWheel({}, -120, QPointF(360, 320));
    EXPECT_LT(Buttons()[0]->AbsoluteRect().Top, before);
}

TEST_F(WindowPanel, ScrolledToTheBottomTheLastRowShowsWhole) {
    // 60 shortcuts: 7 full rows of 8 and 4 in the eighth; the panel's own height (8 × 90) stops
    // 32 pixels short of the last row's bottom (8 × 94).
    AddShortcuts(60);
    ShowWindowPanel();
    TvgScrollBox* box = frmWindowPanel->WinScrollBox();
    TvgScrollBar* bar = box->VScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->Visible());
    const auto buttons = Buttons();
    ASSERT_EQ(buttons.size(), 60u);
    EXPECT_FLOAT_EQ(buttons.back()->Position()->Y(), 7 * 94 + 4);
    EXPECT_FLOAT_EQ(bar->Max(), 8 * 94);
    bar->SetValue(bar->Max());
    const TvgRect viewport = box->AbsoluteRect();
    EXPECT_LE(buttons.back()->AbsoluteRect().Bottom, viewport.Bottom);
    EXPECT_LE(buttons.back()->Title()->AbsoluteRect().Bottom, viewport.Bottom);
    EXPECT_GE(buttons.back()->AbsoluteRect().Top, viewport.Top);
    // Nothing more to scroll: the last row's bottom is the viewport's bottom.
    EXPECT_FLOAT_EQ(buttons.back()->AbsoluteRect().Bottom, viewport.Top + box->ClientHeight());
}

}  // namespace

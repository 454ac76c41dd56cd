#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include <vector>

#include "PanelScene.h"
#include "TVGDockButton.h"
#include "TVGDockPanel.h"
#include "TVGHintBox.h"
#include "TVGHotButton.h"
#include "TVGSideButton.h"
#include "TVGSidePanel.h"
#include "vgGlowEffect.h"
#include "vgImage.h"
#include "vgLabel.h"
#include "vgLayout.h"
#include "vgPosition.h"

namespace {

QString WritePicture(const QString& path, int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    EXPECT_TRUE(picture.save(path, "PNG"));
    return path;
}

class DockPanelTest : public ::testing::Test {
protected:
    DockPanelTest() { Dock = Desk.Add<TVGDockPanel>(); }

    TVGDockButton* AddButton(const QString& name) {
        auto* button = new TVGDockButton(Dock);
        button->SetButtonName(name);
        button->SetFileName(QStringLiteral("/usr/bin/") + name);
        Dock->AddDockButton(button);
        return button;
    }
    float DockLeft() const { return Dock->Position()->X(); }
    float DockTop() const { return Dock->Position()->Y(); }

    PanelScene Desk;  // a 1920 × 1040 work area
    TVGDockPanel* Dock;
};

TEST_F(DockPanelTest, StartsAsAnUndrawnFrameAtTheBottomCentreWithItsPiecesInPaintOrder) {
    EXPECT_EQ(Dock->Width(), 450);
    EXPECT_EQ(Dock->Height(), 55);
    EXPECT_EQ(Dock->Position()->Point(), (TvgPoint{735, 965}));  // (1920 − 450) / 2, 1040 − 55 − 20
    EXPECT_TRUE(Dock->HideSelection());
    EXPECT_EQ(Dock->Cursor(), -22);
    EXPECT_EQ(Dock->ButtonCount(), 0);
    EXPECT_EQ(Dock->PaddingLeft(), 55);
    EXPECT_EQ(Dock->PaddingTop(), 10);

    const std::vector<TvgObject*> expected = {Dock->LeftImage(), Dock->RightImage(), Dock->CenterImage(),
                                              Dock->Panel(),     Dock->SetButton(),  Dock->CloseButton()};
    EXPECT_EQ(Dock->ChildList(), expected);
    EXPECT_EQ(Dock->LeftImage()->WrapMode(), vgImageFit);
    EXPECT_EQ(Dock->RightImage()->WrapMode(), vgImageFit);
    EXPECT_EQ(Dock->CenterImage()->WrapMode(), vgImageTile);
    EXPECT_EQ(Dock->Panel()->BoundsRect(), (TvgRect{0, 0, 450, 55}));

    EXPECT_EQ(Dock->SetButton()->Position()->Point(), (TvgPoint{12, 32}));
    EXPECT_EQ(Dock->SetButton()->ImageFile(), Desk.Installation.Paths().SetButtonImageFile());
    EXPECT_EQ(Dock->CloseButton()->Position()->Point(), (TvgPoint{24, 10}));
    EXPECT_EQ(Dock->CloseButton()->ImageFile(), Desk.Installation.Paths().CloseButtonImageFile());
}

TEST_F(DockPanelTest, TheFirstButtonMakesA148WideCentredDockWithTheRowAboveTheStrip) {
    Dock->SetVisible(false);
    TVGDockButton* first = AddButton("one");
    EXPECT_TRUE(Dock->Visible());
    EXPECT_EQ(Dock->ButtonCount(), 1);
    EXPECT_EQ(Dock->Width(), 148);
    EXPECT_EQ(DockLeft(), (1920 - 148) / 2.0f);
    EXPECT_EQ(DockTop(), 965);  // only the constructor sets the height on screen
    EXPECT_EQ(Dock->Panel()->Width(), 68);
    EXPECT_EQ(Dock->Panel()->Position()->Point(), (TvgPoint{50, -30}));
    EXPECT_EQ(first->Parent(), Dock->Panel());
    EXPECT_EQ(first->Panel(), Dock);
    EXPECT_EQ(first->Position()->Point(), (TvgPoint{0, 0}));

    // The three pieces of the background share the dock's width at its full height.
    EXPECT_EQ(Dock->LeftImage()->BoundsRect(), (TvgRect{0, 0, 55, 55}));
    EXPECT_EQ(Dock->CenterImage()->BoundsRect(), (TvgRect{55, 0, 123, 55}));
    EXPECT_EQ(Dock->RightImage()->BoundsRect(), (TvgRect{123, 0, 148, 55}));
}

TEST_F(DockPanelTest, ButtonsLineUpAt68PixelPitchAndTheDockGrowsWithThem) {
    std::vector<TVGDockButton*> buttons;
    for (int k = 0; k < 5; ++k) buttons.push_back(AddButton(QStringLiteral("b%1").arg(k)));
    for (int k = 0; k < 5; ++k) EXPECT_EQ(buttons[k]->Position()->X(), 68.0f * k) << k;
    EXPECT_EQ(Dock->Width(), 420);
    EXPECT_EQ(Dock->Panel()->Width(), 340);
    EXPECT_EQ(DockLeft(), 750);
    EXPECT_EQ(Dock->RightImage()->BoundsRect(), (TvgRect{395, 0, 420, 55}));

    // The title strip and the icon are laid out inside each button.
    EXPECT_EQ(buttons[2]->Title()->BoundsRect(), (TvgRect{0, 64, 64, 80}));
}

TEST_F(DockPanelTest, AResetCountStartsTheRowAgainWhileTheWidthWaitsForTheNextButton) {
    std::vector<TVGDockButton*> buttons;
    for (int k = 0; k < 3; ++k) buttons.push_back(AddButton(QStringLiteral("b%1").arg(k)));
    for (TVGDockButton* button : buttons) delete button;
    Dock->SetButtonCount(0);
    EXPECT_EQ(Dock->Width(), 284);
    TVGDockButton* again = AddButton("again");
    EXPECT_EQ(again->Position()->X(), 0);
    EXPECT_EQ(Dock->Width(), 148);
    EXPECT_EQ(DockLeft(), 886);
}

TEST_F(DockPanelTest, ADraggedDockKeepsItsPlaceUntilTheNextLayoutCentresItAgain) {
    AddButton("one");
    Desk.Fake->RunPosted();
    // Grab the background strip (not a button, not a hot button) and pull it up and to the left.
    const float grabX = DockLeft() + 130, grabY = DockTop() + 40;
    Desk.MoveTo(grabX, grabY);
    Desk.Press(TMouseButton::mbLeft, grabX, grabY, TShiftState(TShiftFlag::ssLeft));
    Desk.Scene->HostMouseMove(TShiftState(TShiftFlag::ssLeft), QPointF(grabX - 300, grabY - 200));
    Desk.Release(TMouseButton::mbLeft, grabX - 300, grabY - 200);
    EXPECT_EQ(Dock->Position()->Point(), (TvgPoint{886 - 300, 965 - 200}));

    AddButton("two");
    EXPECT_EQ(DockLeft(), (1920 - 216) / 2.0f);
    EXPECT_EQ(DockTop(), 765);
}

TEST_F(DockPanelTest, BackgroundPiecesLoadFromFilesThatExistAndKeepTheRest) {
    const QString folder = Desk.Installation.Folder();
    const QString left = WritePicture(folder + "/left.png", 55, 55);
    const QString centre = WritePicture(folder + "/centre.png", 8, 55);
    Dock->LoadBackGround(left, centre, folder + "/missing.png");
    EXPECT_EQ(Dock->LeftImage()->Bitmap()->Width(), 55);
    EXPECT_EQ(Dock->CenterImage()->Bitmap()->Width(), 8);
    EXPECT_TRUE(Dock->RightImage()->Bitmap()->IsEmpty());

    Dock->LoadBackGround(folder + "/gone.png", folder + "/gone.png", WritePicture(folder + "/r.png", 25, 55));
    EXPECT_EQ(Dock->LeftImage()->Bitmap()->Width(), 55);
    EXPECT_EQ(Dock->CenterImage()->Bitmap()->Width(), 8);
    EXPECT_EQ(Dock->RightImage()->Bitmap()->Width(), 25);
}

TEST_F(DockPanelTest, TheManageHotButtonRaisesItsCommandAndTheCloseButtonHidesTheDock) {
    TVGDockButton* button = AddButton("one");
    Desk.Fake->RunPosted();
    const auto hotCentre = [&](TVGHotButton* hot) {
        return TvgPoint{DockLeft() + hot->Position()->X() + 8, DockTop() + hot->Position()->Y() + 8};
    };

    TvgPoint at = hotCentre(Dock->SetButton());
    Desk.Click(at.X, at.Y);  // no receiver yet: nothing happens
    std::vector<std::pair<QObject*, TMVSysCommand>> raised;
    Dock->SetOnBuildInEvent(
        [&](QObject* sender, TMVSysCommand command) { raised.emplace_back(sender, command); });
    Desk.Click(at.X, at.Y);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].first, Dock);
    EXPECT_EQ(raised[0].second, MVC_DockPanelManage);
    EXPECT_TRUE(Dock->Visible());

    at = hotCentre(Dock->CloseButton());
    Desk.Click(at.X, at.Y);
    EXPECT_FALSE(Dock->Visible());
    EXPECT_EQ(Dock->ButtonCount(), 1);
    EXPECT_EQ(raised.size(), 1u);
    Dock->SetVisible(true);
    EXPECT_EQ(button->Parent(), Dock->Panel());
    EXPECT_TRUE(button->CheckParentVisible());
}

// A background piece whose 8 × 8 corners are fully transparent, as the rounded dock pictures are.
QString WriteRoundedPicture(const QString& path, int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x < 8 || x >= width - 8) && (y < 8 || y >= height - 8)) picture.setPixel(x, y, 0);
    EXPECT_TRUE(picture.save(path, "PNG"));
    return path;
}

TEST_F(DockPanelTest, TheCornerGripsTakeTheMouseWhereThePictureIsTransparentAndResizeTheDock) {
    const QString folder = Desk.Installation.Folder();
    Dock->LoadBackGround(WriteRoundedPicture(folder + "/l.png", 55, 55),
                         WritePicture(folder + "/c.png", 8, 55),
                         WriteRoundedPicture(folder + "/r.png", 25, 55));
    AddButton("one");
    Desk.Frame();
    const auto& window = dynamic_cast<FakeHostWindow&>(*Desk.Scene->HostWindow());
    const QRegion input = window.InputRegion();
    const int left = static_cast<int>(DockLeft()), top = static_cast<int>(DockTop());
    const int right = left + 148, bottom = top + 55;
    // The corner pixels of the pictures are transparent, yet the grips around them take the mouse,
    // inside the dock and beyond its edge.
    ASSERT_EQ(qAlpha(window.FrameBuffer().pixel(right - 1, bottom - 1)), 1);
    for (const QPoint corner :
         {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)})
        for (const QPoint d : {QPoint(-3, -3), QPoint(-1, -1), QPoint(0, 0), QPoint(2, 2), QPoint(-3, 2)})
            EXPECT_TRUE(input.contains(corner + d)) << corner.x() + d.x() << "," << corner.y() + d.y();
    // Further from the corner the transparent pixels still let the mouse through to the desktop.
    EXPECT_FALSE(input.contains(QPoint(right - 6, bottom - 6)));
    EXPECT_FALSE(input.contains(QPoint(right + 5, bottom + 5)));
    EXPECT_TRUE(input.contains(QPoint(left + 80, top + 40)));

    // A press on the bottom-right grip and a drag resize the dock, which then centres again.
    Desk.MoveTo(right - 1, bottom - 1);
    Desk.Press(TMouseButton::mbLeft, right - 1, bottom - 1, TShiftState(TShiftFlag::ssLeft));
    Desk.Scene->HostMouseMove(TShiftState(TShiftFlag::ssLeft), QPointF(right + 50, bottom + 10));
    Desk.Release(TMouseButton::mbLeft, right + 50, bottom + 10);
    EXPECT_EQ(Dock->Width(), 198);
    EXPECT_EQ(Dock->Height(), 65);
    EXPECT_EQ(DockLeft(), (1920 - 198) / 2.0f);
    EXPECT_EQ(DockTop(), top);
}

TEST_F(DockPanelTest, DraggingKeepsTheRowOfButtonsAboveTheShelfOnTheWorkArea) {
    TVGDockButton* first = AddButton("one");
    AddButton("two");
    Desk.Fake->RunPosted();
    const auto drag = [&](float dx, float dy) {
        const float grabX = DockLeft() + 200, grabY = DockTop() + 40;  // the shelf, right of the row
        Desk.MoveTo(grabX, grabY);
        Desk.Press(TMouseButton::mbLeft, grabX, grabY, TShiftState(TShiftFlag::ssLeft));
        Desk.Scene->HostMouseMove(TShiftState(TShiftFlag::ssLeft), QPointF(grabX + dx, grabY + dy));
        Desk.Release(TMouseButton::mbLeft, grabX + dx, grabY + dy);
    };
    drag(-3000, -3000);
    // The buttons stand 30 pixels above the shelf: the shelf stops 30 below the top.
    EXPECT_EQ(Dock->Position()->Point(), (TvgPoint{0, 30}));
    EXPECT_EQ(first->AbsoluteRect().Top, 0);
    drag(5000, 5000);
    EXPECT_EQ(Dock->Position()->Point(), (TvgPoint{1920 - 216, 1040 - 55}));

    // Pulling the top-left grip up to the top of the screen leaves the row in view too.
    drag(-300, -600);
    const float left = DockLeft(), top = DockTop();
    Desk.MoveTo(left + 1, top + 1);
    Desk.Press(TMouseButton::mbLeft, left + 1, top + 1, TShiftState(TShiftFlag::ssLeft));
    Desk.Scene->HostMouseMove(TShiftState(TShiftFlag::ssLeft), QPointF(left + 1, 0));
    Desk.Release(TMouseButton::mbLeft, left + 1, 0);
    EXPECT_GT(Dock->Height(), 55);
    EXPECT_EQ(DockTop(), 30);
    EXPECT_EQ(first->AbsoluteRect().Top, 0);
}

// Buttons added as a batch (as a plan is loaded) leave the dock where adding them one by one
// leaves it, kept inside the work area from a place above it, inside it and below it.
TEST(DockPanelBatch, ButtonsAddedAsABatchLeaveTheDockWhereSingleAddsLeaveIt) {
    std::vector<TvgRect> buttonRects;
    const auto place = [&buttonRects](float startTop, bool batch) {
        PanelScene desk;
        auto* dock = desk.Add<TVGDockPanel>();
        dock->Position()->SetY(startTop);
        if (batch) dock->BeginAdding();
        std::vector<TVGDockButton*> buttons;
        for (int i = 0; i < 5; ++i) {
            auto* button = new TVGDockButton(dock);
            button->SetButtonName(QStringLiteral("b%1").arg(i));
            dock->AddDockButton(button);
            buttons.push_back(button);
        }
        if (batch) dock->EndAdding();
        buttonRects.clear();
        for (TVGDockButton* button : buttons) {
            buttonRects.push_back(button->AbsoluteRect());
            buttonRects.push_back(button->Title()->AbsoluteRect());
            buttonRects.push_back(button->Image()->AbsoluteRect());
        }
        return dock->Position()->Point();
    };
    for (const float startTop : {-100.0f, 500.0f, 1030.0f}) {
        SCOPED_TRACE(startTop);
        const TvgPoint single = place(startTop, false);
        const std::vector<TvgRect> singleRects = buttonRects;
        EXPECT_EQ(place(startTop, true), single);
        // Every button, its title and picture laid out, stands where single adds put it.
        ASSERT_EQ(buttonRects.size(), singleRects.size());
        for (std::size_t i = 0; i < singleRects.size(); ++i) {
            EXPECT_EQ(buttonRects[i].Left, singleRects[i].Left) << i;
            EXPECT_EQ(buttonRects[i].Top, singleRects[i].Top) << i;
            EXPECT_EQ(buttonRects[i].Right, singleRects[i].Right) << i;
            EXPECT_EQ(buttonRects[i].Bottom, singleRects[i].Bottom) << i;
        }
    }
    EXPECT_EQ(place(-100, true).Y, 30);         // the row above the shelf stays on the work area
    EXPECT_EQ(place(1030, true).Y, 1040 - 55);  // the shelf stays above the work area's bottom
    EXPECT_EQ(place(500, true).Y, 500);
}

TEST_F(DockPanelTest, ADoubleClickOnTheEmptyShelfBringsTheDockBackToItsCentredPlace) {
    AddButton("one");
    AddButton("two");
    Desk.Fake->RunPosted();
    int dblClicks = 0;
    Dock->SetOnDblClick([&](TvgObject*) { ++dblClicks; });
    const float grabX = DockLeft() + 200, grabY = DockTop() + 40;
    Desk.MoveTo(grabX, grabY);
    Desk.Press(TMouseButton::mbLeft, grabX, grabY, TShiftState(TShiftFlag::ssLeft));
    Desk.Scene->HostMouseMove(TShiftState(TShiftFlag::ssLeft), QPointF(100, 200));
    Desk.Release(TMouseButton::mbLeft, 100, 200);
    ASSERT_EQ(Dock->Position()->Point(), (TvgPoint{0, 160}));  // x = 100 − 200 is held at 0

    const float shelfX = DockLeft() + 190, shelfY = DockTop() + 45;
    Desk.Click(shelfX, shelfY);
    EXPECT_EQ(Dock->Position()->Point(), (TvgPoint{0, 160}));
    Desk.Press(TMouseButton::mbLeft, shelfX, shelfY, TShiftState(TShiftFlag::ssLeft) | TShiftFlag::ssDouble);
    EXPECT_EQ(dblClicks, 1);
    EXPECT_EQ(Dock->Position()->Point(), (TvgPoint{(1920 - 216) / 2.0f, 1040 - 55 - 20}));
    EXPECT_EQ(Dock->Position()->Point(), Dock->HomePosition());
    // The second press does not go on dragging the dock from where it was.
    Desk.Scene->HostMouseMove(TShiftState(TShiftFlag::ssLeft), QPointF(shelfX + 5, shelfY + 5));
    EXPECT_EQ(Dock->Position()->Point(), Dock->HomePosition());
    Desk.Release(TMouseButton::mbLeft, shelfX + 5, shelfY + 5);
    EXPECT_EQ(Dock->Position()->Point(), Dock->HomePosition());
}

class DockButtonHoverTest : public DockPanelTest {
protected:
    DockButtonHoverTest() {
        Hint = Desk.Add<TVGHintBox>();
        Hint->SetVisible(false);
        for (int k = 0; k < 3; ++k) {
            Buttons.push_back(AddButton(QStringLiteral("程序%1").arg(k)));
            Buttons.back()->SetHintBox(Hint);
        }
        Desk.Fake->RunPosted();
    }
    // A point on the k-th button's icon, in scene coordinates.
    TvgPoint OnButton(int k, float dy = 20) const {
        return {DockLeft() + 50 + 68.0f * k + 32, DockTop() - 30 + dy};
    }

    TVGHintBox* Hint;
    std::vector<TVGDockButton*> Buttons;
};

TEST_F(DockButtonHoverTest, EnteringGlowsRestylesTheTitleAndShowsTheHintAboveTheRow) {
    TVGDockButton* button = Buttons[1];
    const TvgPoint at = OnButton(1);
    Desk.MoveTo(at.X, at.Y);
    EXPECT_TRUE(button->IsMouseOver());
    EXPECT_TRUE(button->GlowEffect()->Enabled());
    EXPECT_EQ(button->Title()->Resource(), "ValueLabel1Style2");
    EXPECT_TRUE(Hint->Visible());
    EXPECT_EQ(Hint->HintDirection(), HD_Bottom);
    EXPECT_EQ(Hint->Width(), 100);
    EXPECT_EQ(Hint->HintInfo(), "程序1");
    // 55 + dock X + 68 − 32, and 10 + dock Y − 80: the box stands on the buttons' top line, 27
    // pixels left of the button's left edge.
    EXPECT_EQ(Hint->Position()->Point(), (TvgPoint{DockLeft() + 91, DockTop() - 70}));
    EXPECT_EQ(Hint->Position()->X(), DockLeft() + 50 + 68 - 27);
    EXPECT_EQ(Hint->Position()->Y() + Hint->Height(), DockTop() - 30);

    // The title belongs to the button: hovering it keeps the button hovered.
    const TvgPoint title = OnButton(1, 72);
    Desk.MoveTo(title.X, title.Y);
    EXPECT_TRUE(button->GlowEffect()->Enabled());

    Desk.MoveTo(at.X, DockTop() - 200);
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_FALSE(button->GlowEffect()->Enabled());
    EXPECT_EQ(button->Title()->Resource(), "ValueLabel1Style1");
    EXPECT_FALSE(Hint->Visible());
}

TEST_F(DockButtonHoverTest, MovingAlongTheRowMovesTheHintFromButtonToButton) {
    Desk.MoveTo(OnButton(0).X, OnButton(0).Y);
    const float firstX = Hint->Position()->X();
    Desk.MoveTo(OnButton(2).X, OnButton(2).Y);
    EXPECT_EQ(Hint->Position()->X(), firstX + 2 * 68);
    EXPECT_EQ(Hint->HintInfo(), "程序2");
    EXPECT_TRUE(Hint->Visible());
    EXPECT_FALSE(Buttons[0]->GlowEffect()->Enabled());
    EXPECT_TRUE(Buttons[2]->GlowEffect()->Enabled());
}

TEST_F(DockButtonHoverTest, AButtonWithoutHintBoxStillGlowsAndRestylesItsTitle) {
    Buttons[0]->SetHintBox(nullptr);
    Buttons[0]->ButtonMouseEnter(Buttons[0]);
    EXPECT_TRUE(Buttons[0]->GlowEffect()->Enabled());
    EXPECT_EQ(Buttons[0]->Title()->Resource(), "ValueLabel1Style2");
    EXPECT_FALSE(Hint->Visible());
    Buttons[0]->ButtonMouseLeave(Buttons[0]);
    EXPECT_FALSE(Buttons[0]->GlowEffect()->Enabled());
    EXPECT_EQ(Buttons[0]->Title()->Resource(), "ValueLabel1Style1");
}

TEST_F(DockButtonHoverTest, TheSideBarKeepsTheWidthADockButtonGaveTheHint) {
    auto* bar = Desk.Add<TVGSidePanel>();
    bar->SetAlign(vaMostRight);
    auto* side = new TVGSideButton(bar);
    side->SetParent(bar);
    side->SetHintBox(Hint);
    bar->AddSideButton(side);

    Buttons[0]->ButtonMouseEnter(Buttons[0]);
    Buttons[0]->ButtonMouseLeave(Buttons[0]);
    side->BackGroundMouseEnter(side);
    EXPECT_EQ(Hint->Width(), 100);
    EXPECT_EQ(Hint->HintDirection(), HD_Right);
    EXPECT_EQ(Hint->Position()->X(), bar->Position()->X() - 100);
}

TEST_F(DockButtonHoverTest, AClickOnTheTitleLaunchesTheButton) {
    const TvgPoint title = OnButton(1, 72);
    Desk.Click(title.X, title.Y);
    ASSERT_EQ(Desk.Fake->ShellFake().Launches.size(), 1u);
    EXPECT_EQ(Desk.Fake->ShellFake().Launches[0].FileName, "/usr/bin/程序1");
}

}  // namespace

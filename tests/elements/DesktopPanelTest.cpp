#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QTemporaryDir>

#include <limits>
#include <set>
#include <stdexcept>

#include "PanelScene.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "TVGDockButton.h"
#include "vgBitmap.h"
#include "vgBrush.h"
#include "vgDecodedPictures.h"
#include "vgEllipse.h"
#include "vgFloatAnimation.h"
#include "vgFont.h"
#include "vgGlowEffect.h"
#include "vgImage.h"
#include "vgLabel.h"
#include "vgPosition.h"
#include "vgProgramStyles.h"
#include "vgResources.h"
#include "vgText.h"

namespace {

class DesktopPanelTest : public ::testing::Test {
protected:
    // The scene manager's panel: hidden at first, with its "添加" button.
    DesktopPanelTest() {
        Panel = Desk.Add<TVGDesktopPanel>();
        Panel->SetVisible(false);
    }

    TVGDesktopButton* NewButton(const QString& name) {
        auto* button = new TVGDesktopButton(Panel);
        button->SetButtonName(name);
        button->SetFileName(QStringLiteral("/usr/bin/") + name);
        return button;
    }
    TVGDesktopButton* AddButton(const QString& name) {
        TVGDesktopButton* button = NewButton(name);
        Panel->AddDesktopButton(button);
        return button;
    }
    static TvgPoint At(TVGBaseButton* button) { return button->Position()->Point(); }

    PanelScene Desk;  // a 1920 × 1040 work area on a 1920 × 1080 screen
    TVGDesktopPanel* Panel;
};

TEST_F(DesktopPanelTest, StartsHiddenAsAOnePixelFullHeightStripAtTheRightEdge) {
    EXPECT_EQ(Panel->Position()->Point(), (TvgPoint{1920, 0}));
    EXPECT_EQ(Panel->Width(), 1);
    EXPECT_EQ(Panel->Height(), 1080);  // the screen's height, not the work area's
    EXPECT_EQ(Panel->Stroke()->Style(), vgBrushNone);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushBitmap);
    EXPECT_EQ(Panel->Fill()->Bitmap()->WrapMode(), vgWrapTileStretch);
    EXPECT_EQ(Panel->ButtonCount(), 0);
    EXPECT_EQ(Panel->FloatAnimation()->Parent(), Panel);
    EXPECT_FALSE(Panel->WallPaperTimerActive());
    EXPECT_TRUE(Panel->Menu()->Items().empty());
}

TEST_F(DesktopPanelTest, TheAddButtonIsASystemButtonInTheFirstCell) {
    Panel->CreateDefaultButton();
    TVGDesktopButton* add = Panel->AddButton();
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->Parent(), Panel);
    EXPECT_EQ(add->Owner(), Panel);
    EXPECT_EQ(add->ButtonName(), "添加");
    EXPECT_EQ(add->Title()->Text(), "添加");
    EXPECT_EQ(add->ImageFile(), Desk.Installation.Paths().AddImageFile());
    EXPECT_EQ(add->FileName(), QStringLiteral("MV:") + QChar('\\') + QChar('\\') + "AddDesktopButton");
    EXPECT_TRUE(add->IsSystemButton());
    EXPECT_EQ(add->SysCommand(), MVC_AddDesktopButton);
    EXPECT_EQ(add->DesktopPanel(), Panel);
    EXPECT_EQ(At(add), (TvgPoint{4, 4}));
    EXPECT_TRUE(add->Visible());
    EXPECT_EQ(Panel->ButtonCount(), 1);

    Panel->CreateDefaultButton();  // once only
    EXPECT_EQ(Panel->ButtonCount(), 1);
    EXPECT_EQ(Panel->AddButton(), add);
}

TEST_F(DesktopPanelTest, TheAddButtonMovesOnToTheCellAfterEachNewButton) {
    Panel->CreateDefaultButton();
    TVGDesktopButton* a = AddButton("A");
    EXPECT_EQ(At(a), (TvgPoint{4, 4}));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 98}));
    TVGDesktopButton* b = AddButton("B");
    EXPECT_EQ(At(b), (TvgPoint{4, 98}));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 192}));
    EXPECT_TRUE(Panel->AddButton()->Visible());
    EXPECT_EQ(a->Parent(), Panel);
    EXPECT_EQ(a->DesktopPanel(), Panel);
    EXPECT_EQ(Panel->ButtonCount(), 3);
}

TEST_F(DesktopPanelTest, ButtonsTakeThePanelsButtonSize) {
    Panel->SetButtonWidth(100);
    Panel->SetButtonHeight(60);
    TVGDesktopButton* first = AddButton("first");
    EXPECT_EQ(first->Width(), 100);
    EXPECT_EQ(first->Height(), 60);
    // The search goes by the size the new button has before it is placed, 80 × 90 plus the gap,
    // so the cells do not follow the panel's button size.
    TVGDesktopButton* second = AddButton("second");
    EXPECT_EQ(At(second), (TvgPoint{4, 98}));
    EXPECT_EQ(second->Height(), 60);
}

TEST_F(DesktopPanelTest, AColumnHoldsElevenButtonsOnA1080HighScreen) {
    std::vector<TVGDesktopButton*> buttons;
    for (int i = 0; i < 12; ++i) buttons.push_back(AddButton(QString::number(i)));
    EXPECT_EQ(At(buttons[10]), (TvgPoint{4, 944}));
    EXPECT_EQ(At(buttons[11]), (TvgPoint{88, 4}));
}

TEST_F(DesktopPanelTest, RowsOfEightInAHorizontalPanelThatGrowsDownwards) {
    Panel->SetButtonAlign(BA_Horizontal);
    Panel->SetValidWidth(720);
    std::vector<TVGDesktopButton*> buttons;
    buttons.push_back(AddButton("0"));
    EXPECT_EQ(Panel->Height(), 90);
    for (int i = 1; i < 9; ++i) buttons.push_back(AddButton(QString::number(i)));
    EXPECT_EQ(At(buttons[7]), (TvgPoint{592, 4}));
    EXPECT_EQ(At(buttons[8]), (TvgPoint{4, 98}));
    EXPECT_EQ(Panel->Height(), 180);
}

TEST_F(DesktopPanelTest, AFreedButtonLeavesAHoleTheNextButtonFills) {
    Panel->CreateDefaultButton();
    std::vector<TVGDesktopButton*> buttons;
    for (int i = 0; i < 4; ++i) buttons.push_back(AddButton(QString::number(i)));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 380}));
    delete buttons[1];
    EXPECT_EQ(Panel->ButtonCount(), 4);
    TVGDesktopButton* filler = AddButton("filler");
    EXPECT_EQ(At(filler), (TvgPoint{4, 98}));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 380}));
}

TEST_F(DesktopPanelTest, CellsLeftOrTakenByButtonsMovedByHandAreSeenByLaterPlacements) {
    Panel->CreateDefaultButton();
    std::vector<TVGDesktopButton*> buttons;
    for (int i = 0; i < 30; ++i) buttons.push_back(AddButton(QString::number(i)));
    // Cell n is in column n / 11, row n % 11; "添加" is in cell 30.
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{172, 756}));
    buttons[3]->Position()->SetPoint({700, 700});   // cell 3 left
    buttons[20]->SetParent(nullptr);                // cell 20 left
    buttons[25]->Position()->SetPoint({172, 850});  // cell 25 left, cell 31 taken
    EXPECT_EQ(At(AddButton("A")), (TvgPoint{4, 286}));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{88, 850}));
    EXPECT_EQ(At(AddButton("B")), (TvgPoint{88, 850}));
    EXPECT_EQ(At(AddButton("C")), (TvgPoint{172, 286}));
    EXPECT_EQ(At(AddButton("D")), (TvgPoint{172, 756}));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{172, 944}));
    EXPECT_EQ(Panel->ButtonCount(), 30 - 1 + 4 + 1);
}

TEST_F(DesktopPanelTest, TheCountIncludesTheAddButtonAndHiddenButtonsButNothingElse) {
    Panel->CreateDefaultButton();
    AddButton("shown");
    AddButton("hidden")->SetVisible(false);
    auto* dockButton = new TVGDockButton(Panel);
    dockButton->SetParent(Panel);
    EXPECT_EQ(Panel->ButtonCount(), 3);
}

TEST_F(DesktopPanelTest, OnlyDesktopButtonsArePlaced) {
    auto* dockButton = new TVGDockButton(Panel);
    EXPECT_THROW(Panel->AddDesktopButton(dockButton), std::invalid_argument);
    EXPECT_EQ(dockButton->Parent(), nullptr);
    EXPECT_THROW(Panel->AddDesktopButton(nullptr), std::invalid_argument);
}

TEST_F(DesktopPanelTest, RestoringBringsALoneAddButtonBackToTheFirstCell) {
    Panel->CreateDefaultButton();
    TVGDesktopButton* a = AddButton("A");
    delete a;  // a reload frees the buttons; "添加" stays where it was
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 98}));
    Panel->DoRestore();
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 4}));

    TVGDesktopButton* b = AddButton("B");
    b->Position()->SetPoint({400, 400});
    Panel->AddButton()->Position()->SetPoint({4, 192});
    Panel->DoRestore();  // two buttons: nothing moves
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 192}));
}

TEST_F(DesktopPanelTest, AFullGridGoesOnInAColumnBeyondTheRightEdge) {
    Panel->CreateDefaultButton();
    // 23 columns (0 to 22, the last partly beyond the 1920-wide work area) of 11 rows.
    std::set<std::pair<float, float>> cells;
    for (int i = 0; i < 23 * 11 + 2; ++i) {
        TVGDesktopButton* button = AddButton(QString::number(i));
        EXPECT_TRUE(cells.insert({button->Position()->X(), button->Position()->Y()}).second) << i;
    }
    // 253 cells: the add button and 252 buttons fill them; the rest go on in column 23.
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{23 * 84 + 4, 2 * 94 + 4}));
    EXPECT_EQ(cells.count({23 * 84 + 4, 2 * 94 + 4}), 0u);
    EXPECT_EQ(Panel->ButtonCount(), 23 * 11 + 3);
}

TEST_F(DesktopPanelTest, AHorizontalPanelGrowsPastTheRowsTheSearchCanReach) {
    Panel->SetButtonAlign(BA_Horizontal);
    Panel->SetValidWidth(720);
    std::set<std::pair<float, float>> cells;
    TVGDesktopButton* last = nullptr;
    for (int i = 0; i < 8 * 24 + 9; ++i) {
        last = AddButton(QString::number(i));
        EXPECT_TRUE(cells.insert({last->Position()->X(), last->Position()->Y()}).second) << i;
    }
    // Rows 0 to 23 as the search walks them, then two more.
    EXPECT_EQ(At(last), (TvgPoint{4, 25 * 94 + 4}));
    EXPECT_EQ(Panel->Height(), 26 * 90);
}

TEST_F(DesktopPanelTest, APanelNarrowerThanOneColumnStacksASingleColumn) {
    Panel->SetButtonAlign(BA_Horizontal);
    Panel->SetValidWidth(50);
    std::set<std::pair<float, float>> cells;
    for (int i = 0; i < 30; ++i) {
        TVGDesktopButton* button = AddButton(QString::number(i));
        EXPECT_EQ(button->Position()->X(), 4) << i;
        EXPECT_TRUE(cells.insert({button->Position()->X(), button->Position()->Y()}).second) << i;
    }
}

// The grid's degenerate cases: a panel lower than one row, a work area narrower than one column,
// widths that are not numbers, and buttons whose cells all coincide. Each search ends, and every
// button gets a defined cell.
std::vector<TvgPoint> Places(const std::vector<TVGDesktopButton*>& buttons) {
    std::vector<TvgPoint> places;
    for (TVGDesktopButton* button : buttons) places.push_back(button->Position()->Point());
    return places;
}

TEST_F(DesktopPanelTest, AVerticalPanelWithoutRowsGoesOnAlongTheTopRow) {
    Panel->SetHeight(50);  // no row of 94 fits
    std::vector<TVGDesktopButton*> buttons;
    for (int i = 0; i < 5; ++i) buttons.push_back(AddButton(QString::number(i)));
    // The walk steps from the first cell into row 1 and finds it free; after that it stays in
    // row 1, so the rest go on along row 0 past the last taken cell.
    const std::vector<TvgPoint> expected = {{4, 4}, {4, 98}, {88, 4}, {172, 4}, {256, 4}};
    EXPECT_EQ(Places(buttons), expected);
    EXPECT_EQ(Panel->Height(), 50) << "a vertical panel keeps its height";
}

TEST_F(DesktopPanelTest, AVerticalPanelOnAWorkAreaNarrowerThanAColumnFillsColumnAfterColumn) {
    Desk.Fake->SetWorkArea(QRect(0, 0, 80, 1040));
    std::vector<TVGDesktopButton*> buttons;
    for (int i = 0; i < 13; ++i) buttons.push_back(AddButton(QString::number(i)));
    for (int i = 0; i < 11; ++i) EXPECT_EQ(At(buttons[i]), (TvgPoint{4, 4 + 94.0f * i})) << i;
    // Column 0 is full: the next buttons start column 1, beyond the work area's right edge.
    EXPECT_EQ(At(buttons[11]), (TvgPoint{88, 4}));
    EXPECT_EQ(At(buttons[12]), (TvgPoint{88, 98}));
}

TEST_F(DesktopPanelTest, AHorizontalPanelWithoutColumnsOrRowsStacksOneColumn) {
    Panel->SetButtonAlign(BA_Horizontal);
    Panel->SetValidWidth(0);
    Panel->SetHeight(0);
    std::vector<TVGDesktopButton*> buttons;
    for (int i = 0; i < 4; ++i) {
        buttons.push_back(AddButton(QString::number(i)));
        EXPECT_EQ(Panel->Height(), 90.0f * (i + 1)) << i;
    }
    const std::vector<TvgPoint> expected = {{4, 4}, {4, 98}, {4, 192}, {4, 286}};
    EXPECT_EQ(Places(buttons), expected);
}

TEST_F(DesktopPanelTest, WidthsThatAreNotNumbersCountNoColumnsAndEndlessOnesAreBounded) {
    Panel->SetButtonAlign(BA_Horizontal);
    for (const float width : {std::numeric_limits<float>::quiet_NaN(), -720.0f}) {
        Panel->SetValidWidth(width);
        TVGDesktopButton* button = AddButton("narrow");
        EXPECT_EQ(button->Position()->X(), 4) << width;
    }
    std::vector<TVGDesktopButton*> buttons;
    Panel->SetValidWidth(std::numeric_limits<float>::infinity());
    for (int i = 0; i < 3; ++i) buttons.push_back(AddButton(QString::number(i)));
    // Two buttons stack at x 4 in rows 0 and 1; an endless row takes the rest beside the first.
    const std::vector<TvgPoint> expected = {{88, 4}, {172, 4}, {256, 4}};
    EXPECT_EQ(Places(buttons), expected);
}

TEST_F(DesktopPanelTest, CellsThatAllCoincideEndTheSearchOnATakenCell) {
    Panel->CreateDefaultButton();
    // Buttons of −4 × −4 have a pitch of 0: every cell of the "添加" button's search is (4, 4).
    Panel->SetButtonWidth(-4);
    Panel->SetButtonHeight(-4);
    TVGDesktopButton* first = AddButton("first");
    EXPECT_EQ(At(first), (TvgPoint{4, 4}));
    EXPECT_EQ(At(Panel->AddButton()), (TvgPoint{4, 4}));
    EXPECT_TRUE(Panel->AddButton()->Visible());
    TVGDesktopButton* second = AddButton("second");
    EXPECT_EQ(At(second), (TvgPoint{4, 98})) << "a new button still has its own size to search with";
    EXPECT_EQ(Panel->ButtonCount(), 3);
}

TEST_F(DesktopPanelTest, HoveringShowsADarkBoxAndNothingElse) {
    Panel->Show();
    Desk.Fake->Advance(700);
    TVGDesktopButton* button = AddButton("A");
    Desk.MoveTo(40, 40);
    EXPECT_TRUE(button->BackGround()->IsMouseOver());
    EXPECT_EQ(button->BackGround()->Stroke()->Style(), vgBrushSolid);
    EXPECT_EQ(button->BackGround()->Stroke()->Color(), "#FF25283B");
    EXPECT_EQ(button->BackGround()->Fill()->Style(), vgBrushSolid);
    EXPECT_EQ(button->BackGround()->Fill()->Color(), "#644A4E68");
    EXPECT_FALSE(button->GlowEffect()->Enabled());
    EXPECT_EQ(button->Title()->Resource(), "ValueLabel1Style3");

    Desk.MoveTo(40, 200);
    EXPECT_EQ(button->BackGround()->Stroke()->Style(), vgBrushNone);
    EXPECT_EQ(button->BackGround()->Fill()->Style(), vgBrushNone);
}

TEST_F(DesktopPanelTest, ADoubleClickLaunchesAndASingleClickDoesNothing) {
    Panel->Show();
    Desk.Fake->Advance(700);
    AddButton("A");
    Desk.Click(40, 40);
    EXPECT_TRUE(Desk.Fake->ShellFake().Launches.empty());
    Desk.DoubleClick(40, 40);
    ASSERT_EQ(Desk.Fake->ShellFake().Launches.size(), 1u);
    EXPECT_EQ(Desk.Fake->ShellFake().Launches[0].FileName, "/usr/bin/A");
}

TEST_F(DesktopPanelTest, DoubleClickingTheAddButtonRaisesItsCommandThroughThePanel) {
    Panel->CreateDefaultButton();
    Panel->Show();
    Desk.Fake->Advance(700);
    Desk.DoubleClick(40, 40);  // no receiver: nothing at all
    std::vector<std::pair<QObject*, TMVSysCommand>> raised;
    Panel->SetOnBuildInEvent(
        [&](QObject* sender, TMVSysCommand command) { raised.emplace_back(sender, command); });
    Desk.DoubleClick(40, 40);
    ASSERT_EQ(raised.size(), 1u);
    EXPECT_EQ(raised[0].first, Panel->AddButton());
    EXPECT_EQ(raised[0].second, MVC_AddDesktopButton);
    EXPECT_TRUE(Desk.Fake->ShellFake().Launches.empty());
}

TEST_F(DesktopPanelTest, TheTitlesOfAHiddenPanelWearTheirStyleOnlyOnceTheyAreDrawn) {
    TvgResources styles;
    LoadProgramStyles(styles);
    Desk.Scene->SetStyle(&styles);
    const auto unset = qScopeGuard([this] { Desk.Scene->SetStyle(nullptr); });
    TVGDesktopButton* button = AddButton("Editor");
    Desk.Frame();
    // Nothing of the hidden panel is drawn, so no title style has been cloned yet.
    EXPECT_EQ(button->Title()->Resource(), "ValueLabel1Style3");
    EXPECT_EQ(button->Title()->ResourceLink(), nullptr);
    EXPECT_EQ(button->Title()->TextObject(), nullptr);

    Panel->Show();
    Desk.Fake->Advance(700);
    Desk.Frame();
    // Drawn: the title wears the program's style, as one styled at once would.
    TvgObject* style = styles.Root()->FindResource("ValueLabel1Style3");
    ASSERT_NE(style, nullptr);
    ASSERT_NE(button->Title()->ResourceLink(), nullptr);
    EXPECT_EQ(button->Title()->ResourceLink()->metaObject(), style->metaObject());
    ASSERT_NE(button->Title()->TextObject(), nullptr);
    EXPECT_EQ(button->Title()->TextObject()->Text(), "Editor");
    // The title's own font goes into the clone.
    EXPECT_EQ(button->Title()->TextObject()->Font()->Size(), 12);
}

TEST_F(DesktopPanelTest, TheBadgeOfAMissingTargetIsMadeWhenTheButtonIsFirstDrawn) {
    const auto badges = [](const TVGBaseButton* button) {
        int count = 0;
        for (const TvgObject* child : button->ChildList())
            if (qobject_cast<const TvgEllipse*>(child)) ++count;
        return count;
    };
    TVGDesktopButton* gone = AddButton("Gone");
    TVGDesktopButton* back = AddButton("Back");
    gone->SetIsTargetMissing(true);
    back->SetIsTargetMissing(true);
    back->SetIsTargetMissing(false);  // found again before it was ever drawn
    Desk.Frame();
    // The hidden panel draws nothing: no badge is made yet.
    EXPECT_EQ(badges(gone), 0);
    EXPECT_EQ(badges(back), 0);

    Panel->Show();
    Desk.Fake->Advance(700);
    const QImage& frame = Desk.Frame();
    ASSERT_EQ(badges(gone), 1);
    EXPECT_EQ(badges(back), 0);
    TvgEllipse* badge = gone->MissingBadge();
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->Parent(), gone);
    EXPECT_TRUE(badge->Visible());
    EXPECT_FALSE(badge->HitTest());
    EXPECT_EQ(badge->Position()->X() + badge->Width() + 1, gone->Width());
    EXPECT_EQ(badge->Position()->Y(), 1);
    EXPECT_EQ(badge->Fill()->Color(), "#FFD8352A");
    // And it is on the screen: red left of its white mark.
    const TvgRect area = badge->AbsoluteRect();
    const QRgb shown = frame.pixel(static_cast<int>(area.Left) + 3, static_cast<int>(area.Top) + 7);
    EXPECT_GT(qRed(shown), 150) << std::hex << shown;
    EXPECT_LT(qGreen(shown), 110) << std::hex << shown;
    EXPECT_LT(qBlue(shown), 110) << std::hex << shown;
    EXPECT_EQ(back->MissingBadge(), nullptr);

    // Once made, it comes and goes with the mark.
    gone->SetIsTargetMissing(false);
    EXPECT_FALSE(badge->Visible());
    gone->SetIsTargetMissing(true);
    EXPECT_TRUE(badge->Visible());
    EXPECT_EQ(badges(gone), 1);
}

// Pictures of their own for n buttons: a 20 × 20 square of its own colour each.
QStringList ColouredIcons(const QTemporaryDir& AFolder, int ACount) {
    QStringList files;
    for (int i = 0; i < ACount; ++i) {
        QImage icon(20, 20, QImage::Format_ARGB32);
        icon.fill(QColor(10 + i, 200, 30));
        files << AFolder.filePath(QStringLiteral("icon%1.png").arg(i));
        EXPECT_TRUE(icon.save(files.back(), "png"));
    }
    return files;
}

TEST_F(DesktopPanelTest, TheIconsOfAHiddenPanelAreDecodedBeforeItIsFirstSeenAndNotBefore) {
    QTemporaryDir folder;
    const QStringList icons = ColouredIcons(folder, 40);
    std::vector<TVGDesktopButton*> buttons;
    const std::uint64_t before = DecodedPictureReads();
    for (const QString& icon : icons) {
        buttons.push_back(NewButton("B"));
        buttons.back()->SetImageFile(icon);
        Panel->AddDesktopButton(buttons.back());
    }
    Desk.Frame();
    EXPECT_EQ(DecodedPictureReads(), before) << "the first frame waits for no icon of the hidden panel";
    for (const TVGDesktopButton* button : buttons) EXPECT_TRUE(button->PictureDue());

    // Asked for its icon, a button decodes it at once.
    EXPECT_EQ(buttons[3]->Image()->Bitmap()->Image().pixel(5, 5), QColor(13, 200, 30).rgba());
    EXPECT_EQ(DecodedPictureReads(), before + 1);
    EXPECT_FALSE(buttons[3]->PictureDue());

    // The rest a few at a time from the event loop, each once.
    EXPECT_TRUE(Panel->LoadDuePictures(16));
    EXPECT_EQ(DecodedPictureReads(), before + 17);
    EXPECT_FALSE(buttons[16]->PictureDue());
    EXPECT_TRUE(buttons[17]->PictureDue());
    Panel->LoadDuePicturesLater();
    Panel->LoadDuePicturesLater();  // asked twice, one run of tasks
    Desk.Fake->RunPosted();
    EXPECT_EQ(DecodedPictureReads(), before + 40);
    EXPECT_FALSE(Panel->LoadDuePictures());
    for (int i = 0; i < 40; ++i) {
        ASSERT_FALSE(buttons[i]->PictureDue()) << i;
        EXPECT_EQ(buttons[i]->Image()->Bitmap()->Image().pixel(5, 5), QColor(10 + i, 200, 30).rgba()) << i;
    }
}

TEST_F(DesktopPanelTest, ShowingThePanelDecodesTheIconsStillDueAndANewButtonOnAShownPanelAtOnce) {
    QTemporaryDir folder;
    const QStringList icons = ColouredIcons(folder, 3);
    TVGDesktopButton* first = NewButton("First");
    first->SetImageFile(icons[0]);
    Panel->AddDesktopButton(first);
    ASSERT_TRUE(first->PictureDue());
    Panel->Show();
    EXPECT_FALSE(first->PictureDue()) << "decoded before the slide's picture is made";
    Desk.Fake->Advance(700);
    const QImage& frame = Desk.Frame();
    const TvgRect shown = first->Image()->AbsoluteRect();
    EXPECT_EQ(frame.pixel(static_cast<int>(shown.Left + shown.Width() / 2),
                          static_cast<int>(shown.Top + shown.Height() / 2)),
              QColor(10, 200, 30).rgba());

    TVGDesktopButton* second = NewButton("Second");
    second->SetImageFile(icons[1]);
    Panel->AddDesktopButton(second);
    EXPECT_FALSE(second->PictureDue());

    // A missing file keeps the picture the button had, as with every button.
    first->SetImageFile(folder.filePath("gone.png"));
    EXPECT_EQ(first->Image()->Bitmap()->Image().pixel(5, 5), QColor(10, 200, 30).rgba());
    // Hidden again, a new path waits for the next showing.
    Panel->SetVisible(false);
    first->SetImageFile(icons[2]);
    EXPECT_TRUE(first->PictureDue());
    Panel->SetVisible(true);
    EXPECT_FALSE(first->PictureDue());
    EXPECT_EQ(first->Image()->Bitmap()->Image().pixel(5, 5), QColor(12, 200, 30).rgba());
}

}  // namespace

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <memory>

#include "PanelScene.h"
#include "TVGDesktopPanel.h"
#include "vgBrush.h"
#include "vgFloatAnimation.h"
#include "vgPosition.h"
#include "vgRectangle.h"

namespace {

// A 400 × 300 work area: the panel slides over 400 pixels.
class DesktopPanelSlideTest : public ::testing::Test {
protected:
    DesktopPanelSlideTest() : Desk(QSize(400, 300)) {
        Desk.Add<TvgRectangle>();  // something else in the scene, which the panel must stay under
        Panel = Desk.Add<TVGDesktopPanel>();
        Panel->SetVisible(false);
    }

    QString Picture(const QString& name, int width, int height, QColor left, QColor right) {
        QImage picture(width, height, QImage::Format_ARGB32);
        picture.fill(left);
        for (int y = 0; y < height; ++y)
            for (int x = width / 2; x < width; ++x) picture.setPixelColor(x, y, right);
        const QString path = Desk.Installation.Folder() + "/" + name;
        EXPECT_TRUE(picture.save(path, "PNG"));
        return path;
    }
    QString Picture(const QString& name, QColor colour) { return Picture(name, 4, 2, colour, colour); }
    void SetUserWallPaper(const QString& path) { Desk.Fake->ShellFake().WallPaperPath = path; }
    int WallPaperReads() { return Desk.Fake->ShellFake().WallPaperReads; }
    float X() const { return Panel->Position()->X(); }
    QRgb PictureColour() const { return Panel->Fill()->Bitmap()->Bitmap()->Image().pixel(0, 0); }
    // The clock steps every 33 ms; the slide's value follows the time really elapsed.
    void Steps(int count) { Desk.Fake->Advance(33 * count); }

    PanelScene Desk;
    TVGDesktopPanel* Panel;
};

TEST_F(DesktopPanelSlideTest, ShowSlidesInFromTheRightEdgeUnderEverythingElse) {
    SetUserWallPaper(Picture("wall.png", Qt::red));
    Panel->Show();
    EXPECT_TRUE(Panel->Visible());
    EXPECT_EQ(Panel->Width(), 400);
    EXPECT_EQ(Panel->Index(), 0);
    EXPECT_EQ(X(), 400);
    EXPECT_EQ(Panel->WallPaper(), Desk.Installation.Folder() + "/wall.png");
    EXPECT_EQ(PictureColour(), qRgb(255, 0, 0));
    // Brought to the size the panel shows once, so that the slide's frames need no resampling.
    EXPECT_EQ(Panel->Fill()->Bitmap()->Bitmap()->Image().size(), QSize(400, 340));
    EXPECT_TRUE(Panel->FloatAnimation()->Running());

    Steps(9);  // 0.297 s of 0.6 s
    EXPECT_NEAR(X(), 400 * (1 - 0.297 / 0.6), 0.01);
    Steps(9);
    EXPECT_NEAR(X(), 400 * (1 - 0.594 / 0.6), 0.01);
    Steps(1);
    EXPECT_EQ(X(), 0);
    EXPECT_TRUE(Panel->Visible());
    EXPECT_FALSE(Panel->FloatAnimation()->Running());
    EXPECT_FALSE(Panel->FloatAnimation()->Enabled());
}

TEST_F(DesktopPanelSlideTest, ShowTwiceSlidesInOnce) {
    Panel->Show();
    Steps(5);
    const float halfway = X();
    const int reads = WallPaperReads();
    Panel->Show();
    EXPECT_EQ(X(), halfway);
    EXPECT_EQ(WallPaperReads(), reads);
    Steps(5);
    EXPECT_NEAR(X(), 400 * (1 - 0.33 / 0.6), 0.01);
}

TEST_F(DesktopPanelSlideTest, HideOnAHiddenPanelDoesNothing) {
    Panel->Hide();
    EXPECT_FALSE(Panel->FloatAnimation()->Running());
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(X(), 400);
    EXPECT_EQ(Panel->Width(), 1);
}

TEST_F(DesktopPanelSlideTest, HideSlidesOutAndLeavesAnInvisibleOnePixelStripAtTheEdge) {
    Panel->Show();
    Steps(20);
    Panel->Hide();
    Steps(9);
    EXPECT_NEAR(X(), 400 * 0.297 / 0.6, 0.01);
    EXPECT_TRUE(Panel->Visible());  // still visible while it slides out
    Steps(10);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Panel->Width(), 1);
    EXPECT_EQ(X(), 400);
    EXPECT_FALSE(Panel->FloatAnimation()->Enabled());

    Panel->Show();  // and it comes back again
    EXPECT_TRUE(Panel->FloatAnimation()->Running());
    Steps(20);
    EXPECT_EQ(X(), 0);
}

TEST_F(DesktopPanelSlideTest, HideDuringTheSlideInTurnsTheSlideRoundOnItsOwnClock) {
    Panel->Show();
    Steps(9);
    Panel->Hide();
    Steps(1);  // 0.33 s into the same slide, now from 0 to the edge
    EXPECT_NEAR(X(), 400 * 0.33 / 0.6, 0.01);
    Steps(9);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(X(), 400);
}

// Turned back at several moments of the slide-in, the slide-out goes on from the point of its own
// range that the elapsed time gives, keeps moving outwards on the same clock and ends on time.
TEST_F(DesktopPanelSlideTest, HideAtAnyMomentOfTheSlideInContinuesOutwardsFromTheCorrespondingPoint) {
    for (const int stepsIn : {1, 3, 8, 12, 17}) {
        SCOPED_TRACE(stepsIn);
        Panel->Show();
        Steps(stepsIn);
        const double elapsed = 0.033 * stepsIn;
        EXPECT_NEAR(X(), 400 * (1 - elapsed / 0.6), 0.01);
        Panel->Hide();
        EXPECT_TRUE(Panel->Visible());
        double last = -1;
        for (int step = 1; elapsed + 0.033 * step < 0.6; ++step) {
            Steps(1);
            EXPECT_NEAR(X(), 400 * (elapsed + 0.033 * step) / 0.6, 0.01);
            EXPECT_GT(X(), last);
            last = X();
            EXPECT_TRUE(Panel->Visible());
        }
        Steps(1);
        EXPECT_FALSE(Panel->Visible());
        EXPECT_EQ(X(), 400);
        EXPECT_FALSE(Panel->FloatAnimation()->Running());
    }
}

TEST_F(DesktopPanelSlideTest, ShowDuringTheSlideOutTurnsItBackSoThePanelStaysShown) {
    Panel->Show();
    Steps(20);
    Panel->Hide();
    Steps(9);
    Panel->Show();
    Steps(1);
    EXPECT_NEAR(X(), 400 * (1 - 0.33 / 0.6), 0.01);
    Steps(9);
    EXPECT_TRUE(Panel->Visible());
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Panel->Width(), 400);
}

TEST_F(DesktopPanelSlideTest, ThePictureIsStretchedOverTheWholePanel) {
    SetUserWallPaper(Picture("halves.png", 4, 2, Qt::red, Qt::blue));
    Panel->Show();
    Steps(20);
    // Each of the four picture columns covers 100 pixels; away from the middle no colour is mixed.
    const QImage& frame = Desk.Frame();
    EXPECT_EQ(frame.pixel(60, 100), qRgb(255, 0, 0));
    EXPECT_EQ(frame.pixel(100, 290), qRgb(255, 0, 0));
    EXPECT_EQ(frame.pixel(300, 100), qRgb(0, 0, 255));
    EXPECT_EQ(frame.pixel(340, 290), qRgb(0, 0, 255));
    EXPECT_EQ(frame.pixel(20, 20), qRgb(0xE0, 0xE0, 0xE0));  // the rectangle stays on top
}

TEST_F(DesktopPanelSlideTest, WithoutAWallpaperThePanelTakesTheDesktopColour) {
    Desk.Fake->ShellFake().DesktopColorValue = 0x00A56E3A;  // blue A5, green 6E, red 3A
    Panel->Show();
    Steps(20);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushSolid);
    EXPECT_EQ(Panel->Fill()->Color(), "#FF3A6EA5");
    EXPECT_EQ(Desk.Frame().pixel(200, 150), qRgb(0x3A, 0x6E, 0xA5));
}

TEST_F(DesktopPanelSlideTest, TheSamePathIsNotLoadedAgain) {
    const QString path = Picture("same.png", Qt::red);
    Panel->SetWallPaper(path);
    Picture("same.png", Qt::blue);
    Panel->SetWallPaper(path);
    EXPECT_EQ(PictureColour(), qRgb(255, 0, 0));
}

TEST_F(DesktopPanelSlideTest, AMissingFileKeepsThePictureUntilItAppears) {
    Panel->SetWallPaper(Picture("first.png", Qt::red));
    const QString later = Desk.Installation.Folder() + "/later.png";
    Panel->SetWallPaper(later);
    EXPECT_EQ(PictureColour(), qRgb(255, 0, 0));
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushBitmap);
    Picture("later.png", Qt::green);
    Panel->SetWallPaper(later);
    EXPECT_EQ(PictureColour(), qRgb(0, 255, 0));
    EXPECT_EQ(Panel->WallPaper(), later);
}

TEST_F(DesktopPanelSlideTest, APanelWhosePictureIsNotThereYetShowsTheDesktopColour) {
    Desk.Fake->ShellFake().DesktopColorValue = 0x00102030;
    const QString later = Desk.Installation.Folder() + "/later.png";
    SetUserWallPaper(later);
    Panel->SetIsSynchronWallPaper(true);
    Panel->Show();
    Steps(20);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushSolid);
    EXPECT_EQ(Desk.Frame().pixel(200, 150), qRgb(0x30, 0x20, 0x10));  // not see-through
    Picture("later.png", Qt::green);
    Desk.Fake->Advance(500);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushBitmap);
    EXPECT_EQ(Desk.Frame().pixel(200, 150), qRgb(0, 255, 0));
}

TEST_F(DesktopPanelSlideTest, APictureThatCannotBeReadKeepsWhatThePanelShowed) {
    const QString broken = Desk.Installation.Folder() + "/broken.png";
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    Panel->SetWallPaper(Picture("good.png", Qt::red));
    Panel->SetWallPaper(broken);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushBitmap);
    EXPECT_EQ(PictureColour(), qRgb(255, 0, 0));

    Panel->SetWallPaper(QString());
    Panel->SetWallPaper(broken);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushSolid);
}

TEST_F(DesktopPanelSlideTest, APathSetAgainAfterNoWallpaperIsLoadedAgain) {
    const QString path = Picture("back.png", Qt::red);
    Panel->SetWallPaper(path);
    Panel->SetWallPaper(QString());
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushSolid);
    Panel->SetWallPaper(path);
    EXPECT_EQ(Panel->Fill()->Style(), vgBrushBitmap);
    EXPECT_EQ(Panel->WallPaper(), path);
}

TEST_F(DesktopPanelSlideTest, TheWallpaperIsPolledTwiceASecondOnlyWhileThePanelIsVisible) {
    SetUserWallPaper(Picture("one.png", Qt::red));
    Panel->SetIsSynchronWallPaper(true);
    EXPECT_FALSE(Panel->WallPaperTimerActive());  // nothing wakes up for a hidden panel
    Desk.Fake->Advance(2000);
    EXPECT_EQ(WallPaperReads(), 0);
    EXPECT_TRUE(Panel->WallPaper().isEmpty());

    Panel->Show();
    EXPECT_TRUE(Panel->WallPaperTimerActive());
    EXPECT_EQ(WallPaperReads(), 1);
    SetUserWallPaper(Picture("two.png", Qt::green));
    Desk.Fake->Advance(499);
    EXPECT_EQ(PictureColour(), qRgb(255, 0, 0));
    Desk.Fake->Advance(1);
    EXPECT_EQ(PictureColour(), qRgb(0, 255, 0));
    Desk.Fake->Advance(1000);
    EXPECT_EQ(WallPaperReads(), 4);

    Panel->Hide();
    Steps(20);
    EXPECT_FALSE(Panel->WallPaperTimerActive());
    const int reads = WallPaperReads();
    SetUserWallPaper(Picture("three.png", Qt::blue));
    Desk.Fake->Advance(2000);
    EXPECT_EQ(WallPaperReads(), reads);
    EXPECT_EQ(PictureColour(), qRgb(0, 255, 0));
    Panel->Show();  // the change is picked up by the next slide-in
    EXPECT_EQ(PictureColour(), qRgb(0, 0, 255));
}

TEST_F(DesktopPanelSlideTest, SwitchingSynchronisationOffOrFreeingThePanelStopsTheTimer) {
    Panel->Show();
    Steps(20);
    const int before = Desk.Fake->ActiveTimerCount();
    Panel->SetIsSynchronWallPaper(false);  // already off: nothing
    EXPECT_EQ(Desk.Fake->ActiveTimerCount(), before);
    Panel->SetIsSynchronWallPaper(true);
    Panel->SetIsSynchronWallPaper(true);
    EXPECT_EQ(Desk.Fake->ActiveTimerCount(), before + 1);
    Desk.Fake->Advance(1600);
    EXPECT_EQ(Desk.Fake->ActiveTimerCount(), before + 1);
    Panel->SetIsSynchronWallPaper(false);
    EXPECT_FALSE(Panel->WallPaperTimerActive());
    EXPECT_EQ(Desk.Fake->ActiveTimerCount(), before);

    Panel->SetIsSynchronWallPaper(true);
    delete Panel;
    EXPECT_EQ(Desk.Fake->ActiveTimerCount(), before);
    Desk.Fake->Advance(1000);  // nothing left to call
}

}  // namespace

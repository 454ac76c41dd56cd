#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <memory>

#include "PanelScene.h"
#include "TVGDesktopButton.h"
#include "TVGDesktopPanel.h"
#include "vgBrush.h"
#include "vgFloatAnimation.h"
#include "vgLayout.h"
#include "vgPosition.h"
#include "vgQtConvert.h"
#include "vgRectangle.h"

namespace {

// A 400 × 300 work area: the panel slides over 400 pixels.
class DesktopPanelSlideTest : public ::testing::Test {
protected:
    DesktopPanelSlideTest() : Desk(QSize(400, 300)) {
        Over = Desk.Add<TvgRectangle>();  // something else in the scene, which the panel must stay under
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
    const QImage* SlidePicture() const { return Desk.Scene->KeptPicture(*Panel); }
    FakeHostWindow& Window() { return *dynamic_cast<FakeHostWindow*>(Desk.Scene->HostWindow()); }
    TVGDesktopButton* AddButton(const QString& name) {
        auto* button = new TVGDesktopButton(Panel);
        button->SetButtonName(name);
        Panel->AddDesktopButton(button);
        return button;
    }

    PanelScene Desk;
    TvgRectangle* Over;
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

// The wallpaper and the buttons are painted once, before the clock starts; every step of the
// slide copies that picture to the panel's new place and presents only the part that changed.
TEST_F(DesktopPanelSlideTest, TheSlideMovesOnePictureMadeBeforeItsClockStarts) {
    SetUserWallPaper(Picture("halves.png", 4, 2, Qt::red, Qt::blue));
    AddButton(QStringLiteral("记事本"));
    Panel->Show();
    const QImage* picture = SlidePicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_GE(picture->width(), 400);
    EXPECT_GE(picture->height(), 340);
    EXPECT_EQ(picture->pixel(picture->width() / 4, 200), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(picture->width() * 3 / 4, 200), qRgb(0, 0, 255));
    Desk.Frame();
    const auto frames = Window().PresentedFrames();
    const int draws = Desk.Scene->KeptPictureDraws();
    const QRect over = ToQRectF(Over->UpdateRect()).toAlignedRect();
    int overDraws = 0;
    for (int step = 1; step <= 18; ++step) {
        SCOPED_TRACE(step);
        Steps(1);
        const QImage& frame = Desk.Frame();
        // What lies over the panel is copied from a picture of its own too.
        EXPECT_NE(Desk.Scene->KeptPicture(*Over), nullptr);
        overDraws += Window().PresentedRegions().back().intersects(over);
        const int left = std::max(0, static_cast<int>(Panel->UpdateRect().Left));
        ASSERT_LT(left, 400);
        // The union of where the panel was and where it is: from its new left edge to the right.
        EXPECT_EQ(Window().PresentedRegions().back(), QRegion(left, 0, 400 - left, 300));
        const int at = static_cast<int>(std::lround(X()));
        // The window is told that the copied picture is opaque, and it is, button and all.
        const QRegion opaque = Window().PresentedOpaqueRegions().back();
        EXPECT_EQ(opaque, QRegion(at, 0, 400 - at, 300));
        // Nor is that part cleared before the picture is copied over it.
        EXPECT_EQ(Window().CoveredRegions().back(), opaque);
        for (const QRect& r : opaque)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) ASSERT_EQ(qAlpha(frame.pixel(x, y)), 255);
        if (at + 60 < 400) {
            EXPECT_EQ(frame.pixel(at + 60, 200), qRgb(255, 0, 0));
        }
        if (at + 340 < 400) {
            EXPECT_EQ(frame.pixel(at + 340, 200), qRgb(0, 0, 255));
        }
        if (at > 0) {
            EXPECT_EQ(qAlpha(frame.pixel(at - 1, 200)), 0);  // nothing left of the panel
        }
    }
    EXPECT_EQ(Window().PresentedFrames() - frames, 18u);
    EXPECT_GT(overDraws, 0);
    EXPECT_EQ(Desk.Scene->KeptPictureDraws() - draws, 18 + overDraws);
    EXPECT_NE(SlidePicture(), nullptr);
}

// What lies over the panel is kept from the slide's first step (after the click that started it
// has changed what it changes), only while it stays as it is, and never beyond the slide.
TEST_F(DesktopPanelSlideTest, WhatLiesOverThePanelIsKeptFromTheFirstStepWhileItStaysAsItIs) {
    SetUserWallPaper(Picture("wall.png", Qt::red));
    auto* hidden = Desk.Add<TvgRectangle>();
    hidden->SetVisible(false);
    // A layout over the whole desk is not kept as one mostly see-through picture: what it holds is.
    auto* layout = Desk.Add<TvgLayout>();
    layout->SetBounds(0, 0, 400, 300);
    auto* held = new TvgRectangle(layout);
    held->SetParent(layout);
    held->SetBounds(300, 250, 20, 20);
    Panel->Show();
    EXPECT_EQ(Desk.Scene->KeptPicture(*Over), nullptr);
    Steps(1);
    EXPECT_NE(Desk.Scene->KeptPicture(*Over), nullptr);
    EXPECT_EQ(Desk.Scene->KeptPicture(*hidden), nullptr);
    EXPECT_EQ(Desk.Scene->KeptPicture(*layout), nullptr);
    ASSERT_NE(Desk.Scene->KeptPicture(*held), nullptr);
    EXPECT_EQ(Desk.Scene->KeptPicture(*held)->size(), QSize(20, 20));
    Over->Fill()->SetColor("#FF00FF00");
    EXPECT_EQ(Desk.Scene->KeptPicture(*Over), nullptr);
    EXPECT_NE(SlidePicture(), nullptr);
    Steps(17);
    EXPECT_EQ(Desk.Frame().pixel(20, 20), qRgb(0, 255, 0));
    EXPECT_EQ(Desk.Frame().pixel(200, 200), qRgb(255, 0, 0));
    Steps(2);
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Desk.Scene->KeptPicture(*Over), nullptr);
    EXPECT_EQ(SlidePicture(), nullptr);

    // The slide out keeps it again, and lets it go at its end.
    Panel->Hide();
    Steps(1);
    EXPECT_NE(Desk.Scene->KeptPicture(*Over), nullptr);
    Steps(19);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(Desk.Scene->KeptPicture(*Over), nullptr);
    EXPECT_EQ(Desk.Frame().pixel(20, 20), qRgb(0, 255, 0));
}

TEST_F(DesktopPanelSlideTest, TheLastFrameOfTheSlideIsWhatANormalPassPaints) {
    SetUserWallPaper(Picture("halves.png", 4, 2, Qt::red, Qt::blue));
    AddButton(QStringLiteral("记事本"));
    AddButton(QStringLiteral("计算器"));
    Panel->Show();
    Steps(18);
    Desk.Frame();
    const int draws = Desk.Scene->KeptPictureDraws();
    Steps(1);
    const QImage slid = Desk.Frame().copy();
    EXPECT_EQ(X(), 0);
    EXPECT_EQ(Desk.Scene->KeptPictureDraws(), draws + 1);  // the last step still copies
    EXPECT_EQ(SlidePicture(), nullptr);                    // and then the panel paints as usual
    Desk.Scene->AddUpdateRect({0, 0, 400, 300});
    const QImage& painted = Desk.Frame();
    EXPECT_EQ(Desk.Scene->KeptPictureDraws(), draws + 1);
    ASSERT_EQ(painted.size(), slid.size());
    int different = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x) different += painted.pixel(x, y) != slid.pixel(x, y);
    EXPECT_EQ(different, 0);
}

// A window that keeps the panel's picture itself shows every frame of the slide in and out as
// one that is given all the pixels, though the frame buffer never gets most of the panel's.
TEST_F(DesktopPanelSlideTest, AWindowThatHoldsThePanelsPictureShowsTheSameFrames) {
    SetUserWallPaper(Picture("halves.png", 4, 2, Qt::red, Qt::blue));
    AddButton(QStringLiteral("记事本"));
    AddButton(QStringLiteral("计算器"));
    // See-through over the panel: blended over the panel's pixels at every step.
    Over->SetBounds(150, 100, 60, 40);
    Over->Fill()->SetColor("#8000FF00");
    // Opaque over the panel: overwrites it.
    auto* solid = Desk.Add<TvgRectangle>();
    solid->SetBounds(60, 200, 40, 30);
    solid->Fill()->SetColor("#FF0000FF");
    struct TFrame {
        QImage Pixels;
        QRegion Input;
        QRegion Held;   // shown from the held picture by the step's frame
        QRgb Left = 0;  // of the frame buffer, amid that part
    };
    const auto frame = [&](std::size_t before) {
        TFrame f{Desk.Frame().copy(), Window().InputRegion(), QRegion()};
        if (Window().HeldRegions().size() > before) f.Held = Window().HeldRegions().back();
        if (!f.Held.isEmpty()) f.Left = Window().PaintBuffer().pixel(f.Held.boundingRect().center());
        return f;
    };
    const auto slide = [&] {
        std::vector<TFrame> frames;
        Panel->Show();
        Desk.Frame();
        for (int step = 0; step < 19; ++step) {
            const std::size_t before = Window().HeldRegions().size();
            Steps(1);
            frames.push_back(frame(before));
        }
        // The picture let go, the frame buffer holds all that is shown.
        EXPECT_TRUE(Window().PaintBuffer() == Window().FrameBuffer());
        Panel->Hide();
        for (int step = 0; step < 20; ++step) {
            const std::size_t before = Window().HeldRegions().size();
            Steps(1);
            frames.push_back(frame(before));
        }
        EXPECT_FALSE(Panel->Visible());
        return frames;
    };
    const std::vector<TFrame> given = slide();
    Window().SetHoldsPictures(true);
    const std::vector<TFrame> held = slide();
    ASSERT_EQ(held.size(), given.size());
    for (std::size_t i = 0; i < held.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(held[i].Pixels.size(), given[i].Pixels.size());
        int different = 0;
        for (int y = 0; y < held[i].Pixels.height(); ++y)
            for (int x = 0; x < held[i].Pixels.width(); ++x)
                different += held[i].Pixels.pixel(x, y) != given[i].Pixels.pixel(x, y);
        EXPECT_EQ(different, 0);
        EXPECT_EQ(held[i].Input, given[i].Input);
    }
    // Most of the panel came from the held picture, never under what lies over it; the last
    // frames of both slides are painted as usual, and the picture is let go.
    int heldFrames = 0;
    for (const TFrame& f : held) {
        heldFrames += !f.Held.isEmpty();
        EXPECT_FALSE(f.Held.intersects(QRect(150, 100, 60, 40)));
        EXPECT_FALSE(f.Held.intersects(QRect(60, 200, 40, 30)));
    }
    EXPECT_GE(heldFrames, 30);
    EXPECT_GT(held[9].Held.boundingRect().width(), 100);
    EXPECT_EQ(held[9].Left, FakeHostWindow::HeldMarker);
    EXPECT_TRUE(held.back().Held.isEmpty());
    for (const TFrame& f : given) EXPECT_TRUE(f.Held.isEmpty());
    EXPECT_EQ(Window().HeldPictures(), 0u);
    EXPECT_EQ(SlidePicture(), nullptr);
    EXPECT_TRUE(Window().PaintBuffer() == Window().FrameBuffer());
}

TEST_F(DesktopPanelSlideTest, TheSlideOutMovesThePictureToo) {
    SetUserWallPaper(Picture("wall.png", Qt::red));
    Panel->Show();
    Steps(20);
    EXPECT_EQ(SlidePicture(), nullptr);
    Panel->Hide();
    ASSERT_NE(SlidePicture(), nullptr);
    Desk.Frame();
    const int draws = Desk.Scene->KeptPictureDraws();
    Steps(9);
    Desk.Frame();
    EXPECT_GT(Desk.Scene->KeptPictureDraws(), draws);
    const int at = static_cast<int>(std::lround(X()));
    EXPECT_EQ(Desk.Frame().pixel(at + 10, 200), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(Desk.Frame().pixel(at - 10, 200)), 0);
    Steps(10);
    EXPECT_FALSE(Panel->Visible());
    EXPECT_EQ(SlidePicture(), nullptr);
    EXPECT_EQ(qAlpha(Desk.Frame().pixel(390, 200)), 0);
}

TEST_F(DesktopPanelSlideTest, ANewWallpaperDuringTheSlideIsPaintedAsUsual) {
    SetUserWallPaper(Picture("one.png", Qt::red));
    Panel->SetIsSynchronWallPaper(true);
    Panel->Show();
    ASSERT_NE(SlidePicture(), nullptr);
    SetUserWallPaper(Picture("two.png", Qt::green));
    Desk.Fake->Advance(500);  // the poll picks the new picture up in the middle of the slide
    EXPECT_EQ(SlidePicture(), nullptr);
    EXPECT_TRUE(Panel->FloatAnimation()->Running());
    Steps(1);
    const int at = static_cast<int>(std::ceil(X()));
    EXPECT_EQ(Desk.Frame().pixel(at + 10, 200), qRgb(0, 255, 0));
    Steps(20);
    EXPECT_EQ(Desk.Frame().pixel(200, 200), qRgb(0, 255, 0));
}

TEST_F(DesktopPanelSlideTest, ChangingThePanelsSizeOrItsButtonsLetsThePictureGo) {
    SetUserWallPaper(Picture("wall.png", Qt::red));
    TVGDesktopButton* button = AddButton(QStringLiteral("记事本"));
    Panel->Show();
    Steps(3);
    ASSERT_NE(SlidePicture(), nullptr);
    button->SetVisible(false);
    EXPECT_EQ(SlidePicture(), nullptr);
    Steps(20);

    Panel->Hide();
    Steps(3);
    ASSERT_NE(SlidePicture(), nullptr);
    Panel->SetHeight(200);
    EXPECT_EQ(SlidePicture(), nullptr);
    Steps(20);
    EXPECT_FALSE(Panel->Visible());

    Panel->Show();
    Steps(3);
    ASSERT_NE(SlidePicture(), nullptr);
    AddButton(QStringLiteral("画图"));
    EXPECT_EQ(SlidePicture(), nullptr);
    Steps(20);
    EXPECT_EQ(X(), 0);
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

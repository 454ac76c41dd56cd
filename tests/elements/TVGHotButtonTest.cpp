#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "TVGHotButton.h"
#include "vgBrush.h"
#include "vgGlowEffect.h"
#include "vgImage.h"
#include "vgLayout.h"
#include "vgPosition.h"

namespace {

QString WritePicture(const QTemporaryDir& dir, const QString& name, int size) {
    QImage picture(size, size, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(picture.save(path, "PNG"));
    return path;
}

TEST(TVGBaseSpeedButton, IsASixteenPixelSquareShowingOnlyItsImage) {
    TVGBaseSpeedButton button;
    EXPECT_EQ(button.Width(), 16.0f);
    EXPECT_EQ(button.Height(), 16.0f);
    EXPECT_EQ(button.Fill()->Style(), vgBrushNone);
    EXPECT_EQ(button.Stroke()->Style(), vgBrushNone);
    EXPECT_TRUE(button.HitTest());
    ASSERT_NE(button.Image(), nullptr);
    EXPECT_EQ(button.Image()->Parent(), &button);
    EXPECT_EQ(button.Image()->Align(), vaClient);
    EXPECT_FALSE(button.Image()->HitTest());
    button.SetButtonName("关闭");
    EXPECT_EQ(button.ButtonName(), "关闭");
}

TEST(TVGBaseSpeedButton, ImageFileLoadsOnceAndAMissingFileKeepsThePicture) {
    QTemporaryDir dir;
    const QString path = WritePicture(dir, "a.png", 4);
    TVGBaseSpeedButton button;
    button.SetImageFile(path);
    EXPECT_EQ(button.Image()->Bitmap()->Width(), 4);
    // The same name again does not reload, even though the file changed.
    WritePicture(dir, "a.png", 8);
    button.SetImageFile(path);
    EXPECT_EQ(button.Image()->Bitmap()->Width(), 4);
    button.SetImageFile(dir.filePath("missing.png"));
    EXPECT_EQ(button.ImageFile(), dir.filePath("missing.png"));
    EXPECT_EQ(button.Image()->Bitmap()->Width(), 4);
}

TEST(TVGHotButton, OnlyTheImageTakesTheMouseAndItGlowsWhileHovered) {
    TVGHotButton button;
    EXPECT_FALSE(button.HitTest());
    EXPECT_TRUE(button.Image()->HitTest());
    EXPECT_EQ(button.Image()->Cursor(), -21);
    TvgGlowEffect* glow = button.GlowEffect();
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->Parent(), button.Image());
    EXPECT_FALSE(glow->Enabled());
    EXPECT_EQ(glow->GlowColor(), "#FF870C02");
    EXPECT_FLOAT_EQ(glow->Softness(), 0.4f);
    EXPECT_FLOAT_EQ(glow->Opacity(), 0.9f);

    button.Image()->MouseEnter();
    EXPECT_TRUE(glow->Enabled());
    EXPECT_TRUE(button.Image()->HasEffect());
    button.Image()->MouseLeave();
    EXPECT_FALSE(glow->Enabled());
}

TEST(TVGHotButton, AButtonWithoutPictureStillTakesClicksOverItsArea) {
    TvgLayout root;
    root.SetBounds(0, 0, 100, 100);
    auto* button = new TVGHotButton(&root);
    button->SetParent(&root);
    button->SetImageFile("/nonexistent/Close.png");
    button->Position()->SetPoint({10, 10});
    root.Realign();
    EXPECT_EQ(root.ObjectByPoint(18, 18), button->Image());
    EXPECT_EQ(root.ObjectByPoint(30, 18), nullptr);
}

TEST(TVGHotButton, ClicksReachTheLatestHandlerWithTheImageAsSender) {
    TVGHotButton button;
    button.Image()->SetBounds(0, 0, 16, 16);
    TvgObject* sender = nullptr;
    int first = 0, second = 0;
    button.SetOnClick([&](TvgObject* s) {
        ++first;
        sender = s;
    });
    auto click = [&] {
        button.Image()->MouseDown(TMouseButton::mbLeft, TShiftState(TShiftFlag::ssLeft), 8, 8);
        button.Image()->MouseUp(TMouseButton::mbLeft, TShiftState(), 8, 8);
    };
    click();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(sender, button.Image());
    button.SetOnClick([&](TvgObject*) { ++second; });
    click();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    EXPECT_TRUE(static_cast<bool>(button.OnClick()));
}

}  // namespace

#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "SceneFixture.h"
#include "vgBounds.h"
#include "vgButton.h"
#include "vgLabel.h"
#include "vgLayout.h"
#include "vgQtCanvas.h"
#include "vgResources.h"
#include "vgText.h"

namespace {

class Texts : public SceneFixture {
protected:
    // Left and right edges of the inked pixels in a band of rows.
    std::pair<int, int> InkColumns(int top, int bottom) {
        int left = Frame().width(), right = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < Frame().width(); ++x)
                if (AlphaAt(x, y) > 0) left = std::min(left, x), right = std::max(right, x);
        return {left, right};
    }
};

TEST_F(Texts, AlignmentPlacesTheText) {
    auto* nearText = Add<TvgText>(Root, 0, 0, 100, 20);
    nearText->SetText("ab");
    nearText->SetHorzTextAlign(vgTextAlignNear);
    auto* farText = Add<TvgText>(Root, 0, 30, 100, 20);
    farText->SetText("ab");
    farText->SetHorzTextAlign(vgTextAlignFar);
    Draw();
    const auto [nearLeft, nearRight] = InkColumns(0, 20);
    const auto [farLeft, farRight] = InkColumns(30, 50);
    EXPECT_LT(nearLeft, 3);
    EXPECT_LT(nearRight, 50);
    EXPECT_GT(farLeft, 50);
    EXPECT_GT(farRight, 96);
}

// Text longer than its box shows its beginning and ends in "…" instead of a centred middle part
// cut off on both sides; text that fits is left alone.
TEST_F(Texts, TextLongerThanItsBoxShowsItsBeginningAndEndsInAnEllipsis) {
    const QString name = QStringLiteral("这是一个非常长的按钮名称用于测试截断");
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    const QFontMetricsF metrics(font);
    const QString line = vgFitTextToBox(font, name, QSizeF(60, 20), false);
    EXPECT_TRUE(line.startsWith(QStringLiteral("这是"))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QChar(0x2026))) << line.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(line), 60);
    // Wrapped into a box two lines high: two lines, the second shortened.
    const QString twoLines = vgFitTextToBox(font, name, QSizeF(60, 2 * metrics.lineSpacing() + 1), true);
    const QStringList lines = twoLines.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << twoLines.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("这是")));
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    for (const QString& l : lines) EXPECT_LE(metrics.horizontalAdvance(l), 60);
    // A box lower than one line still shows the first line.
    EXPECT_EQ(vgFitTextToBox(font, name, QSizeF(60, 3), true).split(QLatin1Char('\n')).size(), 1);
    // What fits stays as it is, one line or wrapped.
    EXPECT_EQ(vgFitTextToBox(font, QStringLiteral("记事本"), QSizeF(60, 20), false),
              QStringLiteral("记事本"));
    EXPECT_EQ(vgFitTextToBox(font, name, QSizeF(60, 20 * metrics.lineSpacing()), true), name);
}

// Drawn centred, such a text's ink stays inside its box.
TEST_F(Texts, ACentredLongLineStaysInsideItsBox) {
    auto* centred = Add<TvgText>(Root, 20, 0, 60, 20);
    centred->SetText(QStringLiteral("这是一个非常长的按钮名称用于测试截断"));
    centred->SetWordWrap(false);
    Draw();
    EXPECT_GE(InkColumns(0, 20).first, 20);
    EXPECT_LE(InkColumns(0, 20).second, 80);
}

TEST_F(Texts, EmptyTextOrNoFillDrawsNothing) {
    auto* text = Add<TvgText>(Root, 0, 0, 100, 20);
    Draw();
    EXPECT_EQ(InkColumns(0, 20).second, -1);
    text->SetText("ab");
    text->Fill()->SetStyle(vgBrushNone);
    Draw();
    EXPECT_EQ(InkColumns(0, 20).second, -1);
}

TEST_F(Texts, AutoSizeWithoutWrapTakesTheTextWidthAndHalfTheFontSize) {
    auto* text = Add<TvgText>(Root, 0, 0, 10, 20);
    text->SetWordWrap(false);
    text->Font()->SetSize(20);
    text->SetText("Marovia");
    const float before = text->Width();
    text->SetAutoSize(true);
    TvgCanvas& measure = vgMeasuringCanvas();
    measure.Font().Assign(*text->Font());
    const float expected = measure.TextWidth("Marovia") + 10;
    EXPECT_NEAR(text->Width(), expected, 1.0f);
    EXPECT_NE(text->Width(), before);
    EXPECT_EQ(text->Height(), 20);  // centred vertically: the height stays
    text->SetVertTextAlign(vgTextAlignNear);
    EXPECT_GT(text->Height(), 20);
    EXPECT_LT(text->Height(), 40);
}

TEST_F(Texts, WrappedTextUsesMoreLines) {
    auto* text = Add<TvgText>(Root, 0, 0, 40, 100);
    text->SetText("one two three four");
    text->SetVertTextAlign(vgTextAlignNear);
    text->SetAutoSize(true);
    const float wrapped = text->Height();
    text->SetWordWrap(false);
    EXPECT_LT(text->Height(), wrapped);
}

TEST_F(Texts, AHugeWrappedTextShowsWhatItsBeginningShows) {
    // Words, line breaks and a word wider than the box, then far more text than can ever show.
    QString start;
    for (int i = 0; start.size() < 4000; ++i)
        start += i % 7 == 0 ? QStringLiteral("averyveryverylongwordthatoverflows\n")
                            : QStringLiteral("word%1 ").arg(i);
    const QString huge = start + QString(200000, QLatin1Char('x'));
    auto* text = Add<TvgText>(Root, 0, 0, 90, 60);
    text->SetWordWrap(true);
    text->SetVertTextAlign(vgTextAlignNear);
    text->SetText(start.left(4096));
    Draw();
    const QImage beginning = Frame().copy(0, 0, 90, 60);
    text->SetText(huge);
    Draw();
    EXPECT_EQ(Frame().copy(0, 0, 90, 60), beginning);
}

// A style set with a "text" part and a corner button's "background", as the program's styles have.
class TextControls : public Texts {
protected:
    void SetUp() override {
        Styles = new TvgResources(Scene.get());
        Styles->LoadFromData(R"xml(<TvgBackground>
            <TvgLayout ResourceName="ButtonLook" Width="80" Height="22">
              <TvgRectangle ResourceName="background" Align="vaContents" HitTest="False"/>
              <TvgText ResourceName="text" Align="vaClient" Padding.Rect="(5,2,5,2)" HitTest="False"
                       Fill.Color="#FFE0E0E0"/>
            </TvgLayout>
            <TvgText ResourceName="BareText" Fill.Color="#FFFFFFFF"/>
          </TvgBackground>)xml",
                             "test styles");
        Scene->SetStyle(Styles);
    }
    TvgResources* Styles = nullptr;
};

TEST_F(TextControls, ValuesSetBeforeTheStyleArriveWithIt) {
    auto* label = new TvgLabel;
    label->SetText("电脑桌面");
    label->SetTextAlign(vgTextAlignNear);
    label->Font()->SetSize(12);
    label->SetResource("ButtonLook");
    Root->AddObject(label);
    TvgText* part = label->TextObject();
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->Text(), "电脑桌面");
    EXPECT_EQ(part->HorzTextAlign(), vgTextAlignNear);
    EXPECT_TRUE(part->WordWrap());  // a label wraps
    EXPECT_EQ(part->Font()->Size(), 12);
    EXPECT_EQ(part->Fill()->Color(), "#FFE0E0E0");  // the style's colour stays
    label->SetText("Marovia");
    EXPECT_EQ(part->Text(), "Marovia");
    label->Font()->SetFamily("宋体");
    EXPECT_EQ(part->Font()->Family(), "宋体");
    label->FontFill()->SetColor("#FF123456");
    EXPECT_EQ(part->Fill()->Color(), "#FF123456");
}

TEST_F(TextControls, ACloneThatIsItselfATextTakesTheText) {
    auto* label = Add<TvgValueLabel>(Root, 0, 0, 80, 20);
    label->SetResource("BareText");
    label->SetText("x");
    ASSERT_NE(label->TextObject(), nullptr);
    EXPECT_EQ(label->TextObject(), label->ResourceLink());
    EXPECT_EQ(label->TextObject()->Text(), "x");
    EXPECT_FALSE(label->TextObject()->WordWrap());
}

TEST_F(TextControls, AutoSizedLabelTakesTheSizeOfItsText) {
    auto* label = Add<TvgLabel>(Root, 0, 0, 120, 15);
    label->SetText("Marovia");
    label->SetResource("ButtonLook");
    label->SetAutoSize(true);
    TvgText* part = label->TextObject();
    ASSERT_NE(part, nullptr);
    EXPECT_FALSE(part->WordWrap());
    EXPECT_EQ(part->HorzTextAlign(), vgTextAlignNear);
    EXPECT_NEAR(label->Width(), part->Width() + 10, 0.01);
    EXPECT_NEAR(part->Width(), part->AutoSizeExtent().X, 0.01);
    EXPECT_LT(label->Width(), 120);
    EXPECT_GT(label->Width(), 40);
}

TEST_F(TextControls, CornerButtonHandsItsCornersToTheBackground) {
    auto* button = Add<TvgCornerButton>(Root, 10, 4, 90, 22);
    button->SetCorners(vgCornerTopLeft | vgCornerBottomLeft);
    button->SetxRadius(8);
    button->SetyRadius(8);
    button->SetResource("ButtonLook");
    TvgRectangle* background = button->Background();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->Corners(), vgCornerTopLeft | vgCornerBottomLeft);
    EXPECT_EQ(background->xRadius(), 8);
    button->SetSides(vgSideTop);
    EXPECT_EQ(background->Sides(), TvgSides(vgSideTop));
    EXPECT_EQ(button->Width(), 90);
    EXPECT_EQ(background->Width(), 90);
}

TEST_F(TextControls, ButtonDefaults) {
    TvgCustomButton button;
    EXPECT_EQ(button.Width(), 80);
    EXPECT_EQ(button.Height(), 22);
    EXPECT_TRUE(button.AutoCapture());
    EXPECT_TRUE(button.CanFocused());
    EXPECT_FALSE(button.WordWrap());
    TvgLabel label;
    EXPECT_EQ(label.Width(), 120);
    EXPECT_EQ(label.Height(), 15);
    EXPECT_FALSE(label.HitTest());
    EXPECT_TRUE(label.WordWrap());
    TvgValueLabel value;
    EXPECT_FALSE(value.WordWrap());
    EXPECT_FALSE(value.AutoTranslate());
}

TEST_F(TextControls, StaysPressedTogglesAndRepeatClickRepeatsOnTheClock) {
    auto* toggle = Add<TvgCustomButton>(Root, 0, 0, 40, 20);
    toggle->SetStaysPressed(true);
    Window().Click(TMouseButton::mbLeft, {10, 10});
    EXPECT_TRUE(toggle->IsPressed());
    Window().Click(TMouseButton::mbLeft, {10, 10});
    EXPECT_FALSE(toggle->IsPressed());

    auto* repeat = Add<TvgCustomButton>(Root, 50, 0, 40, 20);
    repeat->SetRepeatClick(true);
    int clicks = 0;
    repeat->SetOnClick([&](TvgObject*) { ++clicks; });
    Window().MouseDown(TMouseButton::mbLeft, {60, 10});
    Fake->Advance(499);
    EXPECT_EQ(clicks, 0);
    Fake->Advance(1);
    EXPECT_EQ(clicks, 1);
    Fake->Advance(300);
    EXPECT_EQ(clicks, 4);
    Window().MouseUp(TMouseButton::mbLeft, {60, 10});
    EXPECT_EQ(clicks, 5);  // the release inside still clicks
    Fake->Advance(1000);
    EXPECT_EQ(clicks, 5);
}

TEST_F(TextControls, DoubleClickOnAButtonClicksTwice) {
    auto* button = Add<TvgCustomButton>(Root, 0, 0, 40, 20);
    int clicks = 0, doubles = 0;
    button->SetOnClick([&](TvgObject*) { ++clicks; });
    button->SetOnDblClick([&](TvgObject*) { ++doubles; });
    Window().DoubleClick(TMouseButton::mbLeft, {10, 10});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 1);
}

TEST_F(TextControls, DisabledButtonIsSkippedAndDimmed) {
    auto* layout = Add<TvgLayout>(Root, 0, 0, 100, 40);
    auto* button = Add<TvgCustomButton>(layout, 0, 0, 40, 20);
    button->SetResource("ButtonLook");
    int clicks = 0;
    button->SetOnClick([&](TvgObject*) { ++clicks; });
    button->SetEnabled(false);
    EXPECT_FLOAT_EQ(button->AbsoluteOpacity(), 0.8f);
    Window().Click(TMouseButton::mbLeft, {10, 10});
    EXPECT_EQ(clicks, 0);
    button->SetEnabled(true);
    Window().Click(TMouseButton::mbLeft, {10, 10});
    EXPECT_EQ(clicks, 1);
}

}  // namespace

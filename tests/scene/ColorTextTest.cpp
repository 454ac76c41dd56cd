#include <gtest/gtest.h>

#include "vgColor.h"

namespace {

TEST(ColorText, HexRoundTripsThroughText) {
    EXPECT_EQ(vgStrToColor("#FF060F3B"), 0xFF060F3Bu);
    EXPECT_EQ(vgColorToStr(0xFF060F3Bu), "#FF060F3B");
    EXPECT_EQ(vgStrToColor("#50ffffff"), 0x50FFFFFFu);
    EXPECT_EQ(vgColorToStr(0x0000000Au), "#0000000A");
    EXPECT_EQ(vgColorToStr(0), "#00000000");
    EXPECT_EQ(vgStrToColor("#fff"), 0xFFFu);
}

TEST(ColorText, InvalidTextGivesTransparentBlack) {
    EXPECT_EQ(vgStrToColor(""), 0u);
    EXPECT_EQ(vgStrToColor("#"), 0u);
    EXPECT_EQ(vgStrToColor("#GGHHIIJJ"), 0u);
    EXPECT_EQ(vgStrToColor("#FF00 00"), 0u);
    EXPECT_EQ(vgStrToColor("#-1"), 0u);
    EXPECT_EQ(vgStrToColor("#1FFFFFFFF"), 0u);  // more than 32 bits
    EXPECT_EQ(vgStrToColor("notacolour"), 0u);
    EXPECT_EQ(vgStrToColor("12abc"), 0u);
    EXPECT_EQ(vgStrToColor("rebeccapurple"), 0u);  // newer than the SVG 1.1 list
}

TEST(ColorText, DecimalNumbers) {
    EXPECT_EQ(vgStrToColor("4278190080"), 0xFF000000u);
    EXPECT_EQ(vgStrToColor("255"), 0xFFu);
    EXPECT_EQ(vgStrToColor("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(vgStrToColor("4294967296"), 0u);
}

TEST(ColorText, KeywordsInAnyLetterCase) {
    for (const char* white : {"White", "white", "WHITE", "wHiTe"})
        EXPECT_EQ(vgStrToColor(white), 0xFFFFFFFFu) << white;
    EXPECT_EQ(vgStrToColor("Gray"), vgStrToColor("Grey"));
    EXPECT_EQ(vgStrToColor("DarkSlateGrey"), 0xFF2F4F4Fu);
    EXPECT_EQ(vgColorKeywordCount(), 147);
}

// An independent sample of the SVG keyword table, first, last and the tricky ones.
TEST(ColorText, KeywordValues) {
    const struct {
        const char* Name;
        TvgColor Color;
    } samples[] = {
        {"Aliceblue", 0xFFF0F8FF},
        {"Yellowgreen", 0xFF9ACD32},
        {"Aqua", 0xFF00FFFF},
        {"Fuchsia", 0xFFFF00FF},
        {"Green", 0xFF008000},
        {"Lime", 0xFF00FF00},
        {"Lightgoldenrodyellow", 0xFFFAFAD2},
        {"Navajowhite", 0xFFFFDEAD},
        {"Mediumvioletred", 0xFFC71585},
        {"Lightslategrey", 0xFF778899},
        {"Darkorange", 0xFFFF8C00},
        {"Black", 0xFF000000},
        {"Grey", 0xFF808080},
        {"Greenyellow", 0xFFADFF2F},
        {"Silver", 0xFFC0C0C0},
    };
    for (const auto& sample : samples) EXPECT_EQ(vgStrToColor(sample.Name), sample.Color) << sample.Name;
}

TEST(ColorText, OpacityTruncatesAlpha) {
    EXPECT_EQ(vgOpacityColor(0xFF102030u, 0.5f), 0x7F102030u);
    EXPECT_EQ(vgOpacityColor(0xFF102030u, 1.0f), 0xFF102030u);
    EXPECT_EQ(vgOpacityColor(0x80102030u, 0.0f), 0x00102030u);
    EXPECT_EQ(vgOpacityColor(0xC8FFFFFFu, 0.8f), 0xA0FFFFFFu);
}

}  // namespace

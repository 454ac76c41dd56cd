#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>

#include "uColumnText.h"

namespace {

// Every character 10 pixels wide, so the cut can be worked out by hand.
int TenEach(const QString& text) {
    return static_cast<int>(text.size()) * 10;
}

TEST(ColumnText, ColumnLeftsFollowTheColumnWidths) {
    const std::vector<int> widths{130, 90, 40, 280, 150};
    EXPECT_EQ(GetColumnLeft(widths, 0), 36);
    EXPECT_EQ(GetColumnLeft(widths, 1), 138);
    EXPECT_EQ(GetColumnLeft(widths, 2), 228);
    EXPECT_EQ(GetColumnLeft(widths, 3), 268);
    EXPECT_EQ(GetColumnLeft(widths, 4), 548);
}

TEST(ColumnText, ATextReachingTheLimitIsCutToItsShortestPrefixThatReachesIt) {
    EXPECT_EQ(FitColumnText("abcdefgh", 35, TenEach), "abcd..");  // 40 is the first width ≥ 35
    EXPECT_EQ(FitColumnText("abcdefgh", 40, TenEach), "abcd..");
    // Reaching the limit with the last character: the whole text, without dots.
    EXPECT_EQ(FitColumnText("abcd", 40, TenEach), "abcd");
    EXPECT_EQ(FitColumnText("abc", 40, TenEach), "abc");
    EXPECT_EQ(FitColumnText("", 40, TenEach), "");
}

TEST(ColumnText, ACharacterOutsideTheBasicPlaneIsNeverSplit) {
    const QString text = QString::fromUtf8(
        "a\xF0\x9F\x98\x80"
        "bc");  // a, an emoji (two units), b, c
    const QString cut = FitColumnText(text, 20, TenEach);
    EXPECT_EQ(cut, QString::fromUtf8("a\xF0\x9F\x98\x80..")) << cut.toStdString();
}

TEST(ColumnText, WorksWithRealFontMetrics) {
    QFont font;
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const auto width = [&](const QString& s) { return metrics.horizontalAdvance(s); };
    const QString path = "/usr/share/applications/some-rather-long-program-name.desktop";
    const int limit = 250 - 30;
    const QString cut = FitColumnText(path, limit, width);
    ASSERT_TRUE(cut.endsWith("..")) << cut.toStdString();
    const QString prefix = cut.chopped(2);
    EXPECT_GE(width(prefix), limit);
    EXPECT_LT(width(prefix.chopped(1)), limit);
    EXPECT_EQ(FitColumnText("/bin/sh", limit, width), "/bin/sh");
}

}  // namespace

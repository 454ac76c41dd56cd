#include <gtest/gtest.h>

#include "uSameText.h"

TEST(SameText, OnlyAsciiLettersIgnoreCase) {
    EXPECT_TRUE(SameText("WIN桌面文件", "Win桌面文件"));
    EXPECT_TRUE(SameText("", ""));
    EXPECT_FALSE(SameText("Ärger", "ärger"));  // non-ASCII letters compare exactly
    EXPECT_FALSE(SameText("Ωmega", "ωmega"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_FALSE(SameText("a[", "A{"));  // '[' and '{' are 0x20 apart but are not letters
    EXPECT_FALSE(SameText("@", "`"));
}

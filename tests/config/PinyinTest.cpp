#include <gtest/gtest.h>

#include "uPinyin.h"

namespace {

struct MatchCase {
    const char* Name;
    const char* Typed;
    bool Found;
};

// Names and their own characters: found whatever the build has.
const MatchCase kPlain[] = {
    {"Notepad++", "note", true},   {"Notepad++", "NOTE", true}, {"Notepad++", "pad+", true},
    {"Notepad++", "notes", false}, {"Firefox", "fox", true},    {"Firefox", "ff", false},
    {"文件管理", "文件", true},    {"文件管理", "管理", true},  {"文件管理", "理文", false},
    {"My Tool", "mytool", true},   {"My Tool", "y t", true},    {"任意", "", true},
};

// Chinese names by their pinyin, whole, by first letters, or mixed.
const MatchCase kPinyin[] = {
    {"文件管理", "wjgl", true},
    {"文件管理", "WJGL", true},
    {"文件管理", "wenjianguanli", true},
    {"文件管理", "wjguanli", true},
    {"文件管理", "wenjgl", true},
    {"文件管理", "jg", true},
    {"文件管理", "gl", true},
    {"文件管理", "wjgx", false},
    {"文件管理", "wgl", false},  // the letters must follow consecutive characters
    {"文件管理", "wjgli1", false},
    {"记事本", "jsb", true},
    {"记事本", "jishiben", true},
    {"计算器", "jsq", true},
    {"终端", "zd", true},
    {"终端", "zhd", true},
    {"终端", "zhongduan", true},
    {"终端", "zhongd", true},
    {"终端", "zdx", false},
    {"微信", "wx", true},
    {"微信", "weixin", true},
    {"微信", "wxx", false},
    {"画图", "ht", true},
    {"Firefox 浏览器", "firefoxllq", true},
    {"Firefox 浏览器", "llq", true},
    {"Firefox 浏览器", "liulanqi", true},
    {"QQ音乐播放器", "qqbfq", false},  // 音乐 lies between
    {"QQ影音", "qqyy", true},
    {"系统设置", "xtsz", true},
    {"系统设置", "shezhi", true},
    {"控制面板", "kzmb", true},
    {"控制面板", "kongzhimianban", true},
};

}  // namespace

TEST(Pinyin, NamesAreFoundByTheirOwnCharactersInAnyLetterCase) {
    TPinyinMatcher matcher;
    for (const MatchCase& c : kPlain)
        EXPECT_EQ(matcher.Matches(QString::fromUtf8(c.Name), QString::fromUtf8(c.Typed)), c.Found)
            << c.Name << " / " << c.Typed;
}

TEST(Pinyin, ChineseNamesAreFoundByTheirPinyinWholeOrByFirstLetters) {
    if (!PinyinAvailable()) GTEST_SKIP() << "built without ICU";
    TPinyinMatcher matcher;
    for (const MatchCase& c : kPinyin)
        EXPECT_EQ(matcher.Matches(QString::fromUtf8(c.Name), QString::fromUtf8(c.Typed)), c.Found)
            << c.Name << " / " << c.Typed;
    // A second look at a name gives the same answer from what was read the first time.
    EXPECT_TRUE(matcher.Matches("文件管理", "wjgl"));
}

TEST(Pinyin, EachCharacterGetsItsSyllableWithoutTones) {
    if (!PinyinAvailable()) GTEST_SKIP() << "built without ICU";
    EXPECT_EQ(NameSyllables("文件管理"), (QStringList{"wen", "jian", "guan", "li"}));
    EXPECT_EQ(NameSyllables("QQ 音"), (QStringList{"q", "q", "yin"}));
    EXPECT_EQ(NameSyllables(""), QStringList());
}

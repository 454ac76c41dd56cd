#include <gtest/gtest.h>

#include <memory>
#include <string>

#if defined(MAROVIA_HAVE_ICU)
#include <unicode/translit.h>
#include <unicode/uscript.h>
#endif

#include "uPinyin.h"
#include "uPinyinTable.h"

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

// The compiled table (what the Windows build reads names with) against ICU itself.
namespace {

// Names whose characters have one common reading, several readings (read as ICU reads the
// character alone), a reading with ü, characters outside the Basic Multilingual Plane, and mixes.
const char* const kTableNames[] = {
    "文件管理", "记事本",         "计算器",   "终端",     "微信",     "画图",           "浏览器", "QQ音乐",
    "系统设置", "控制面板",       "重庆银行", "长城",     "快乐",     "女儿",           "绿色",   "〇",
    "𠀀𪚥𫝀",   "Word 2016 文档", "網路芳鄰", "圖片檢視", "鬱鬱蔥蔥", "Firefox 浏览器", "乾隆",   "阿里旺旺",
};

}  // namespace

TEST(PinyinTable, ReadsNamesAsTheLiveTransliterationDoes) {
    if (!PinyinTableAvailable()) GTEST_SKIP() << "built without the table";
    EXPECT_EQ(TableNameSyllables("文件管理"), (QStringList{"wen", "jian", "guan", "li"}));
    EXPECT_EQ(TableNameSyllables("QQ 音"), (QStringList{"q", "q", "yin"}));
    EXPECT_EQ(PinyinTableReading(U'文'), "wen");
    EXPECT_EQ(PinyinTableReading(U'a'), QString());
    EXPECT_EQ(PinyinTableReading(0x10FFFF), QString());
    if (!PinyinAvailable()) GTEST_SKIP() << "no live transliteration to compare with";
    for (const char* name : kTableNames)
        EXPECT_EQ(TableNameSyllables(QString::fromUtf8(name)), NameSyllables(QString::fromUtf8(name)))
            << name;
}

#if defined(MAROVIA_HAVE_ICU)
TEST(PinyinTable, EveryCharacterOfTheHanScriptReadsAsIcuReadsIt) {
    ASSERT_TRUE(PinyinTableAvailable());
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> icu(icu::Transliterator::createInstance(
        icu::UnicodeString::fromUTF8("Han-Latin; Latin-ASCII; Lower"), UTRANS_FORWARD, status));
    ASSERT_TRUE(U_SUCCESS(status) && icu);
    const auto icuReading = [&icu](char32_t code) {
        const icu::UnicodeString character(static_cast<UChar32>(code));
        icu::UnicodeString text(character);
        icu->transliterate(text);
        text.findAndReplace(icu::UnicodeString(u' '), icu::UnicodeString());
        std::string reading;
        if (text != character) text.toUTF8String(reading);
        return QString::fromStdString(reading);
    };
    // Every entry reads as ICU reads the character,
    std::size_t entries = 0;
    std::size_t wrong = 0;
    char32_t previous = 0;
    ForEachPinyinTableEntry([&](char32_t code, const QString& reading) {
        ++entries;
        EXPECT_GT(code, previous);
        previous = code;
        if (reading != icuReading(code) && ++wrong <= 10)
            ADD_FAILURE() << std::hex << static_cast<unsigned>(code) << ": " << reading.toStdString();
        EXPECT_EQ(PinyinTableReading(code), reading);
    });
    EXPECT_EQ(wrong, 0u);
    // and every Han character ICU reads has an entry.
    std::size_t read = 0;
    std::size_t missing = 0;
    for (UChar32 code = 0; code <= 0x10FFFF; ++code) {
        UErrorCode scriptStatus = U_ZERO_ERROR;
        if (uscript_getScript(code, &scriptStatus) != USCRIPT_HAN) continue;
        const QString reading = icuReading(static_cast<char32_t>(code));
        if (reading.isEmpty()) {
            EXPECT_EQ(PinyinTableReading(static_cast<char32_t>(code)), QString());
            continue;
        }
        ++read;
        if (PinyinTableReading(static_cast<char32_t>(code)) != reading && ++missing <= 10)
            ADD_FAILURE() << std::hex << code << " should read " << reading.toStdString();
    }
    EXPECT_EQ(missing, 0u);
    EXPECT_EQ(entries, read);
    EXPECT_GT(entries, 20000u);  // at least the common block
}
#endif

#include <gtest/gtest.h>

#include <optional>

#include "CodePages.h"

namespace {

struct TNameCase {
    const char* Name;
    std::optional<unsigned> CodePage;
};

struct TDecodeCase {
    QByteArray Bytes;
    unsigned CodePage;
    std::optional<QString> Text;
};

}  // namespace

TEST(CodePages, EncodingNamesAsFilesDeclareThem) {
    const TNameCase cases[] = {
        {"GBK", 936},
        {"gb2312", 936},
        {"GB_2312", 936},
        {"x-gbk", 936},
        {"CP936", 936},
        {"GB18030", 54936},
        {"Big5", 950},
        {"Shift_JIS", 932},
        {"EUC-KR", 949},
        {"windows-1252", 1252},
        {"CP1251", 1251},
        {"ISO-8859-2", 28592},
        {"iso_8859_15", 28605},
        {" utf-8 ", 65001},
        {"ISO-8859-12", std::nullopt},
        {"windows-1259", std::nullopt},
        {"windows-", std::nullopt},
        {"cp", std::nullopt},
        {"x-unknown", std::nullopt},
        {"", std::nullopt},
    };
    for (const TNameCase& c : cases)
        EXPECT_EQ(CodePageNamed(QString::fromLatin1(c.Name)), c.CodePage) << c.Name;
}

TEST(CodePages, BytesReadInTheirCodePage) {
    const TDecodeCase cases[] = {
        {"\xBC\xC7\xCA\xC2\xB1\xBE", 936, QStringLiteral("记事本")},
        {"C:\\\xB9\xA4\xBE\xDF\\a.exe", 936, QStringLiteral("C:\\工具\\a.exe")},
        {"\xB0\x4F\xA8\xC6\xA5\xBB", 950, QStringLiteral("記事本")},
        {"\xBC\xC7\xCA\xC2\xB1\xBE", 54936, QStringLiteral("记事本")},
        {"Gr\xF6\xDF"
         "e \x80",
         1252, QStringLiteral("Größe €")},
        {"\xE8\xE0", 1251, QStringLiteral("иа")},
        {"plain", 936, QStringLiteral("plain")},
        {"", 936, QString()},
        // A lead byte followed by a byte that cannot follow it.
        {"\x81\x7F", 936, std::nullopt},
        {"abc", 12345, std::nullopt},
    };
    for (const TDecodeCase& c : cases)
        EXPECT_EQ(DecodeCodePage(c.Bytes, c.CodePage), c.Text)
            << c.Bytes.toHex().toStdString() << " in " << c.CodePage;
}

TEST(CodePages, TextInTheAnsiCodePageFallsBackToLatin1) {
    EXPECT_TRUE(DecodeCodePage("abc", AnsiCodePage()).has_value()) << AnsiCodePage();
    for (const QByteArray& bytes : {QByteArray("\xBC\xC7\xCA\xC2\xB1\xBE"), QByteArray("\x81\x7F"),
                                    QByteArray("Gr\xF6\xDF"
                                               "e")})
        EXPECT_EQ(DecodeAnsiText(bytes),
                  DecodeCodePage(bytes, AnsiCodePage()).value_or(QString::fromLatin1(bytes)))
            << bytes.toHex().toStdString();
#ifndef Q_OS_WIN
    // Without a system code page, the one of Chinese Windows machines.
    EXPECT_EQ(DecodeAnsiText("\xBC\xC7\xCA\xC2\xB1\xBE"), QStringLiteral("记事本"));
    EXPECT_EQ(DecodeAnsiText("\x81\x7F"), QString::fromLatin1("\x81\x7F"));
#endif
}

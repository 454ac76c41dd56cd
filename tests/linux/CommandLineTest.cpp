// The splitter that turns a button's parameters into a program's arguments.

#include <gtest/gtest.h>

#include "CommandLine.h"

TEST(CommandLine, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitCommandLine("  a  b\tc "), QStringList({"a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine(R"("two words" x"y z"w)"), QStringList({"two words", "xy zw"}));
    EXPECT_EQ(SplitCommandLine(R"("" a)"), QStringList({"", "a"}));
    EXPECT_EQ(SplitCommandLine(""), QStringList());
    EXPECT_EQ(SplitCommandLine("   "), QStringList());
    EXPECT_EQ(SplitCommandLine(R"("unterminated one)"), QStringList({"unterminated one"}));
}

TEST(CommandLine, BackslashesEscapeOnlyQuotes) {
    EXPECT_EQ(SplitCommandLine(R"(C:\dir\file.txt)"), QStringList({R"(C:\dir\file.txt)"}));
    EXPECT_EQ(SplitCommandLine(R"(a\"b)"), QStringList({R"(a"b)"}));
    EXPECT_EQ(SplitCommandLine(R"(a\\"b c")"), QStringList({R"(a\b c)"}));
    EXPECT_EQ(SplitCommandLine(R"(a\\\"b)"), QStringList({R"(a\"b)"}));
    EXPECT_EQ(SplitCommandLine(R"("say ""hi""")"), QStringList({R"(say "hi")"}));
}

TEST(CommandLine, ShellCharactersAreOrdinary) {
    EXPECT_EQ(SplitCommandLine("; rm -rf ~ $(id) `id` | tee && x\ny"),
              QStringList({";", "rm", "-rf", "~", "$(id)", "`id`", "|", "tee", "&&", "x", "y"}));
}

TEST(CommandLine, JoiningAndSplittingGiveTheArgumentsBack) {
    const QList<QStringList> cases{
        {"plain", "two words", ""},
        {R"(trailing\)", R"(trailing space\ )", R"(quote"inside)", R"(\"already)"},
        {R"(\\server\share\)", "tab\there", "line\nbreak", "中文 参数"},
        {"$(touch x)", "; rm -rf ~", "`id`", "| tee", "&&"},
    };
    for (const QStringList& arguments : cases)
        EXPECT_EQ(SplitCommandLine(JoinCommandLine(arguments)), arguments)
            << JoinCommandLine(arguments).toStdString();
    EXPECT_EQ(JoinCommandLine({"a", "b c"}), R"(a "b c")");
}

// The quoted arguments of an operation line.
#include "script/quoted_arguments.h"

#include <gtest/gtest.h>

namespace zavo {
namespace {

TEST(QuotedArguments, SplitsTheTextsInQuotes) {
    struct Case { std::string line; int count; std::vector<std::string> arguments; } cases[] = {
        {"/C \"D:\\ARC\\A.LZH\" \"D:\\BAK\\A.LZH\"", 2, {"D:\\ARC\\A.LZH", "D:\\BAK\\A.LZH"}},
        {"/Copy\"a\"\"b\"", 2, {"a", "b"}},
        {"  /C \"with blanks inside \" \"\"  \r\n", 2, {"with blanks inside ", ""}},
        {"/D text outside \"x\" is ignored", 1, {"x"}},
        {"/X", 0, {}},
        {"/C \"a\" \"b", -1, {}},
        {"/M \"", -1, {}},
        {"/C \"1\" \"2\" \"3\" \"4\" \"5\" \"6\" \"7\" \"8\" \"9\" \"10\"", 10,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        // 表 and ソ end in byte 0x5C; they stay whole inside an argument.
        {"/D \"D:\\\x95\x5C\\\x83\x5C\"", 1, {"D:\\\x95\x5C\\\x83\x5C"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"left over"};
        EXPECT_EQ(SplitQuotedArguments(c.line, arguments), c.count) << c.line;
        if (c.count >= 0) { EXPECT_EQ(arguments, c.arguments) << c.line; }
    }
}

}  // namespace
}  // namespace zavo

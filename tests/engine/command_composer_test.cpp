// Command lines as the library receives them, and the library's text as the output log shows it.
#include "engine/command_composer.h"

#include <gtest/gtest.h>

namespace zavo {
namespace {

// 表 (0x95 0x5C) ends in a byte that looks like a backslash.
const std::string kHyo = "\x95\x5C";

CommandValues Values(std::string prefix, CommandSwitches switches, std::string other, std::string archive,
                     std::string base, std::string files) {
    return {std::move(prefix), std::move(archive), std::move(base), std::move(files), switches, std::move(other)};
}

TEST(ComposeCommandLine, JoinsThePiecesWithoutEscaping) {
    const CommandSwitches none{}, start{false, true, true, true}, all{true, true, true, true};
    const struct { CommandValues values; std::string line; } cases[] = {
        // The extract example: 49 characters.
        {Values("e ", start, "", "D:\\ARC\\A.LZH", "D:\\WORK", "*.*"),
         "e   -x1 -jyo -a1  \"D:\\ARC\\A.LZH\" \"D:\\WORK\\\" \"*.*\""},
        {Values("l ", none, "", "A.LZH", "", "*.*"), "l    \"A.LZH\" \"\" \"*.*\""},
        {Values("a ", all, "-m1", "A.LZH", "D:", "*.c *.h"),
         "a   -r1 -x1 -jyo -a1 -m1 \"A.LZH\" \"D:\" \"*.c *.h\""},
        {Values("f ", {false, false, true, false}, " -c ", "A.LZH", "D:\\WORK\\", "x"),
         "f   -jyo  -c  \"A.LZH\" \"D:\\WORK\\\" \"x\""},
        {Values("t ", {false, false, false, true}, "", "D:\\" + kHyo + ".LZH", "D:\\" + kHyo, "*.*"),
         "t   -a1  \"D:\\" + kHyo + ".LZH\" \"D:\\" + kHyo + "\\\" \"*.*\""},
        // Quotes typed into a field reach the library as they are.
        {Values("d ", none, "", "A.LZH", "", "a \"b c\""), "d    \"A.LZH\" \"\" \"a \"b c\"\""},
        // A script entry's command is any text, passed on as the prefix.
        {Values("x", none, "", "A.LZH", "", "*.*"), "x   \"A.LZH\" \"\" \"*.*\""},
    };
    for (const auto& c : cases) EXPECT_EQ(ComposeCommandLine(c.values), c.line);
}

TEST(AppendEngineOutput, ShowsEveryLineEachFollowedByCrLf) {
    const struct { std::string log, text, result; } cases[] = {
        {"", "", "\r\n"}, {"", "one\ntwo", "one\r\ntwo\r\n"}, {"", "one\n\ntwo", "one\r\n\r\ntwo\r\n"},
        // A CR before the line feed stays with its line.
        {"", "one\r\ntwo", "one\r\r\ntwo\r\n"},
        {"old\r\n", "new", "old\r\nnew\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(AppendEngineOutput(c.log, c.text), c.result) << c.text;
}

}  // namespace
}  // namespace zavo

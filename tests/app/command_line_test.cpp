// The command-line rule and the archive test, as the shell and a person hand arguments to us.
#include "app/command_line.h"

#include <gtest/gtest.h>

namespace zavo {
namespace {

// 表 is 0x95 0x5C: its second byte looks like a backslash.
const std::string kHyo = "\x95\x5C";

TEST(ParseCommandLine, TakesTheOneArgumentApart) {
    const struct { std::string line; ArgumentKind kind; std::string path; } cases[] = {
        {"zavo.exe", ArgumentKind::None, ""},
        {"zavo.exe a.lzh", ArgumentKind::Archive, "a.lzh"},
        {" zavo.exe    a.lzh \t", ArgumentKind::Archive, "a.lzh"},
        {"\"C:\\ZAVO\\zavo.exe\" \"D:\\My Files\\A.LZH\"", ArgumentKind::Archive, "D:\\My Files\\A.LZH"},
        // What the file-type registration makes the shell run: quoted program, two blanks,
        // quoted script path.
        {"\"C:\\Program Files\\ZAVO\\zavo.exe\"  \"D:\\My Scripts\\backup.ZAV\"", ArgumentKind::Script,
         "D:\\My Scripts\\backup.ZAV"},
        // Two arguments are one path, and that path is no archive.
        {"zavo.exe a.lzh b", ArgumentKind::Script, "a.lzh b"},
        // A quoted argument with more text after it loses its first and last characters only.
        {"zavo.exe \"a.lzh\" b", ArgumentKind::Script, "a.lzh\" "},
        {"zavo.exe \"", ArgumentKind::None, ""},
        {"\"C:\\ZAVO\\zavo.exe\"\"x.lzh\"", ArgumentKind::Archive, "x.lzh"},
        {"zavo.exe \"  D:\\A.LZH\"", ArgumentKind::Archive, "D:\\A.LZH"},
        // An unclosed quote before a double-byte last character: that character goes whole.
        {"zavo.exe \"D:\\" + kHyo + "\\x" + kHyo, ArgumentKind::Script, "D:\\" + kHyo + "\\x"},
    };
    for (const auto& c : cases) {
        StartArgument argument = ParseCommandLine(c.line);
        EXPECT_EQ(argument.kind, c.kind) << c.line;
        EXPECT_EQ(argument.path, c.path) << c.line;
    }
}

TEST(IsLzhPath, LooksAtTheLastComponentsExtensionInAnyCase) {
    const struct { std::string path; bool archive; } cases[] = {
        {"A.Lzh", true}, {"A.LZH.BAK", false}, {"A.LZHX", false}, {"LZH", false}, {"", false}, {"D:\\ARC.LZH\\A.TXT", false},
        // Full-width letters are not the extension's ASCII letters.
        {"A.\x82\x6B\x82\x79\x82\x67", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLzhPath(c.path), c.archive) << c.path;
}

}  // namespace
}  // namespace zavo

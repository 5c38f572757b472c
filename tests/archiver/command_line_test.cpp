// The command lines that the front end composes and that users type, parsed into commands.
#include <gtest/gtest.h>

#include "archiver/command_line.h"

namespace unlha {
namespace {

TEST(CommandLine, PositionalArguments) {
    const struct {
        const char *line, *archive, *base;
        std::vector<std::string> names;
    } cases[] = {
        {"e   -x1 -jyo  \"D:\\ARC\\A.LZH\" \"D:\\WORK\\\" \"*.*\"", "D:\\ARC\\A.LZH", "D:\\WORK\\", {"*.*"}},   // the front end's form
        {"l    \"A.LZH\" \"\" \"*.*\"", "A.LZH", "", {"*.*"}},
        {"a \"A.LZH\" \"\" \"my file.txt\"", "A.LZH", "", {"my file.txt"}},   // quoted: one name with a blank
        {"a A.LZH C: x.txt y.txt", "A.LZH", "C:", {"x.txt", "y.txt"}},
        {"a A.LZH work\\ ", "A.LZH", "work\\", {"*.*"}},
        {"a A.LZH sub\\x.txt", "A.LZH", "", {"sub\\x.txt"}},                  // not ending in '\': a name
        {"l archive", "archive.LZH", "", {"*.*"}},                            // default extension
        {"l dir.d\\archive", "dir.d\\archive.LZH", "", {"*.*"}},
        {"l \"\x95\x5C\" \"*.*\"", "\x95\x5C.LZH", "", {"*.*"}},                // 表: its 0x5C is no separator
        {"l a.lzh \"D:\\\x95\x5C\" x", "a.lzh", "", {"D:\\\x95\x5C", "x"}},     // ends in 表, not in '\'
        {"l a.lzh \"-r1\"", "a.lzh", "", {"-r1"}},                            // quoted: a name, not a switch
    };
    for (const auto& c : cases) {
        ParseResult r = ParseCommandLine(c.line);
        ASSERT_TRUE(r.ok) << c.line << ": " << r.error;
        EXPECT_EQ(r.command.archivePath, c.archive) << c.line;
        EXPECT_EQ(r.command.baseFolder, c.base) << c.line;
        EXPECT_EQ(r.command.fileNames, c.names) << c.line;
    }
}

TEST(CommandLine, Switches) {
    ParseResult r = ParseCommandLine("U -r1x1 -c -o7 -h1 -n A.LZH -a1 -jyo -t12");
    ASSERT_TRUE(r.ok) << r.error;
    const Switches& s = r.command.switches;
    EXPECT_EQ(r.command.letter, 'u');
    EXPECT_TRUE(s.recurse && s.keepFolders && s.ignoreTimes && s.noWindows && s.allAttributes && s.overwrite);
    EXPECT_EQ(s.methodId + " " + std::to_string(s.headerLevel) + " " + std::to_string(s.threads), "-lh7- 1 12");

    ParseResult off = ParseCommandLine("e -x1 -x0 -r0 -a0 -z -n0 A.LZH");
    ASSERT_TRUE(off.ok) << off.error;
    const Switches& o = off.command.switches;
    EXPECT_FALSE(o.keepFolders || o.recurse || o.allAttributes || o.noWindows);
    EXPECT_EQ(o.methodId, "-lh0-");

    const Switches d = ParseCommandLine("a A.LZH").command.switches;
    EXPECT_EQ(d.methodId + " " + std::to_string(d.headerLevel) + " " + std::to_string(d.threads), "-lh5- 2 0");
}

TEST(CommandLine, WhatIsNotUnderstoodIsNamed) {
    const struct { const char *line, *mentioned; } cases[] = {
        {"", "empty"},          {"q A.LZH", "unknown command \"q\""}, {"add A.LZH", "unknown command \"add\""},
        {"a -q A.LZH", "-q"},   {"a -o9 A.LZH", "-o9"},   {"a -h3 A.LZH", "-h3"},   {"a -tx A.LZH", "-tx"},
        {"e -jy A.LZH", "-jy"}, {"l -lx A.LZH", "-lx"},   {"a -r1w A.LZH", "-w"},   {"l", "no archive"},
        {"l \"\" \"\" x", "no archive"},
    };
    for (const auto& c : cases) {
        ParseResult r = ParseCommandLine(c.line);
        EXPECT_FALSE(r.ok) << c.line;
        EXPECT_NE(r.error.find(c.mentioned), std::string::npos) << c.line << " -> " << r.error;
    }
}

TEST(CommandLine, NoWindowsAndTheLanguageAreSeenEvenOnALineThatDoesNotParse) {
    const struct { const char* line; bool noWindows; std::optional<Language> asked; } cases[] = {
        {"l -n -q a.lzh", true, std::nullopt},
        {"q -N1 -LE", true, Language::English},
        {"l -n0 -q -lj a.lzh", false, Language::Japanese},
        {"l -r1lj -q a.lzh", false, Language::Japanese},   // combined, beside an unknown switch
        {"l -le -lj a.lzh", false, Language::Japanese},    // the last one counts
        {"l \"-n\" \"-lj\" -q", false, std::nullopt},       // quoted: names
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AsksNoWindows(c.line), c.noWindows) << c.line;
        EXPECT_EQ(AskedLanguage(c.line), c.asked) << c.line;
    }
}

}  // namespace
}  // namespace unlha

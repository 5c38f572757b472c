// Wildcards as Windows users know them, over double-byte characters.
#include <gtest/gtest.h>

#include "archiver/wildcard.h"

namespace unlha {
namespace {

TEST(Wildcard, MatchesLikeWindows) {
    const struct { const char *pattern, *name; bool matches; } cases[] = {
        {"*.*", "README", true},      {"*.*", "a.txt", true},        {"*.*", ".profile", true},
        {"*", "a.b.c", true},         {"*.txt", "A.TXT", true},      {"*.txt", "a.txt.bak", false},
        {"a?c", "abc", true},         {"a?c", "ac", false},          {"ABC.*", "abc", true},
        {"*.", "abc", true},          {"*.", "a.c", false},          {"x*y*z", "xaaybbz", true},
        {"x*y*z", "xaayb", false},    {"a.txt", "b.txt", false},
        {"?.txt", "\x95\x5C.txt", true},            // ? takes the whole double-byte 表
        {"*\x5C*", "\x95\x5C", false},              // the trail byte 0x5C is no backslash
        {"\x82\x60.txt", "\x82\x81.txt", false},    // Ａ and ａ (full width) are not folded
    };
    for (const auto& c : cases) EXPECT_EQ(MatchWildcard(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
}

TEST(Wildcard, EntrySelection) {
    EXPECT_TRUE(MatchesEntry("*.txt", "dir\\sub\\a.txt", "a.txt"));
    EXPECT_TRUE(MatchesEntry("dir\\*", "dir\\sub\\a.txt", "a.txt"));
    EXPECT_FALSE(MatchesEntry("sub\\*", "dir\\sub\\a.txt", "a.txt"));
    EXPECT_TRUE(MatchesEntry("\x95\x5C*", "x\\\x95\x5C", "\x95\x5C"));
    EXPECT_TRUE(HasWildcard("a?"));
    EXPECT_FALSE(HasWildcard("\x95\x5C.txt"));
}

}  // namespace
}  // namespace unlha

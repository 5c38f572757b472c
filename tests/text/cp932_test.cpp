// Character walking over code page 932: the rules every path and line in ZAVO relies on.
#include "text/cp932.h"

#include <gtest/gtest.h>

namespace {

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their second byte looks like a backslash.
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(Cp932, FolderSeparatorIsAddedOnlyAfterANameThatLacksOne) {
    struct Case { std::string path, joined; } cases[] = {
        {"", ""},
        {"D:", "D:"},
        {"D:\\", "D:\\"},
        {"out\\" + kHyo, "out\\" + kHyo + "\\"},
        {kSo + "\\", kSo + "\\"},
        {"a\x95", "a\x95\\"},   // a lone lead byte at the end is a character of its own
        {"\\\\server\\share", "\\\\server\\share\\"},
        {"D:\\" + kSo + kHyo, "D:\\" + kSo + kHyo + "\\"},
        {"D:\\WORK/", "D:\\WORK/\\"},
    };
    // The mark is the last character, not the last byte: 表 and ソ end in 0x5C.
    for (const Case& c : cases) {
        EXPECT_EQ(cp932::WithFolderSeparator(c.path), c.joined) << c.path;
        EXPECT_EQ(cp932::EndsWithFolderMark(c.path), c.path == c.joined && !c.path.empty()) << c.path;
    }
}

TEST(Cp932, FolderPartSkipsTrailBytes) {
    struct Case { std::string path, folder; } cases[] = {
        {"D:\\ARC\\DA", "D:\\ARC\\"},
        {"D:\\" + kSo + "\\x" + kHyo, "D:\\" + kSo + "\\"},
        {"D:\\" + kHyo, "D:\\"},
        {"D:" + kHyo, "D:"},
        {kHyo + kSo, ""},
        {"", ""},
        {"D:\\ARC\\", "D:\\ARC\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(cp932::FolderPart(c.path), c.folder) << c.path;
}

// Single characters are found on boundaries through FolderPart above and the box letters' test.
TEST(Cp932, FindOnBoundaryTrimAndUpper) {
    // "\x5C" inside 表 must not match a needle that starts with a backslash.
    EXPECT_EQ(cp932::FindOnBoundary(kHyo + "-r1", "\\-r1"), std::string::npos);
    EXPECT_EQ(cp932::FindOnBoundary("x -r1 -a1", " -a1"), 5u);
    EXPECT_EQ(cp932::Trim(" \t\r\n\v\fa b\r\n "), "a b");
    EXPECT_EQ(cp932::TrimLeft("  x "), "x ");
    // The trail byte of ｶ-like characters may be a lower-case letter; it must not change.
    EXPECT_EQ(cp932::AsciiUpper(".lzh\x83\x61"), ".LZH\x83\x61");
}

}  // namespace

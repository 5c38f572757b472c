// The path lists' text rules on code page 932 strings, including names whose last byte is 0x5C.
#include <gtest/gtest.h>

#include "paths/path_rules.h"

namespace zavo::paths {
namespace {

// 表 and ソ: double-byte characters whose second byte is 0x5C, the byte of "\".
const std::string kHyo = "\x95\x5C";
const std::string kSo = "\x83\x5C";

// A file, a folder, the parent entry and no selection after a "\" are the path list tests' picks.
TEST(PathRules, PickedPathReplacesTheTextAfterTheLastSeparator) {
    struct Case { std::string typed, picked, expected; };
    const Case cases[] = {
        {"D:da", "DATA.LZH", "D:DATA.LZH"},                       // no "\": cut after the ":"
        {"da", "DATA.LZH", "DATA.LZH"},                           // neither: nothing is kept
        {"", "", ""},
        {"D:\\" + kHyo + "\\" + kSo + "x", "y", "D:\\" + kHyo + "\\y"},   // 表 and ソ are no separators
        {std::string(2000, 'a') + "\\x", "y", std::string(2000, 'a') + "\\y"},   // no fixed buffer
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComposePickedPath(c.typed, c.picked), c.expected) << c.typed << " + " << c.picked;
    }
}

TEST(PathRules, FolderShapes) {
    struct Case { std::string path; FolderShape shape; };
    const Case cases[] = {
        {"D:", FolderShape::Folder},
        {"?:", FolderShape::Folder},            // only the second byte counts
        {"D:\\", FolderShape::Folder},
        {"D:\\ARC\\", FolderShape::NotFolder},
        {"D:\\ARC", FolderShape::AskFileSystem},
        {"D:\\" + kHyo, FolderShape::AskFileSystem},
        {"D", FolderShape::AskFileSystem},
        {"DD:", FolderShape::AskFileSystem},
        {"", FolderShape::AskFileSystem},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyFolderShape(c.path), c.shape) << c.path;
}

}  // namespace
}  // namespace zavo::paths

// Stored path fields split into parts: separators, Shift_JIS trail bytes and absolute paths.
#include <gtest/gtest.h>

#include "codec/entry_path.h"

namespace {

struct SplitCase {
    const char* what;
    std::string field;
    bool folderField;   // ext 0x02 rather than a level-0/1 name
    std::vector<std::string> parts;
    bool absolute;
};

TEST(EntryPath, SplitsAtSeparatorsButNeverInsideADoubleByteCharacter) {
    const SplitCase cases[] = {
        {"backslash in a name", "dir\\file.txt", false, {"dir", "file.txt"}, false},
        {"0xFF in a level-0 name", "dir\xFF" "file.txt", false, {"dir", "file.txt"}, false},
        {"trail byte 0x5C of hyou", "\x95\x5C\\\x83\x5C.txt", false, {"\x95\x5C", "\x83\x5C.txt"}, false},
        {"trail byte 0x5C before a real separator", "\x8F\x5C\\\\x", false, {"\x8F\x5C", "x"}, false},
        {"leading separator", "\\tmp\\x", false, {"tmp", "x"}, true},
        {"folder field with the usual final 0xFF", "a\xFF" "b\xFF", true, {"a", "b"}, false},
        {"folder field keeps the trail byte 0x5C of hyou", "\x95\\a\xFF", true, {"\x95\\a"}, false},
        {"slash in a name", "dir/sub/\x83\x5C", false, {"dir", "sub", "\x83\x5C"}, false},
        {"slash beside trail bytes 0x5C", "\x95\x5C/\x83\x5C.txt", false, {"\x95\x5C", "\x83\x5C.txt"}, false},
        {"leading slash", "/etc/passwd", false, {"etc", "passwd"}, true},
        {"stray lead byte before a slash", "\x83/../x", false, {"\x83", "..", "x"}, false},
        {"stray lead byte before 0xFF", "a\x95\xFF" "b", true, {"a\x95", "b"}, false},
        {"stray lead byte at the end", "a\\\x95", false, {"a", "\x95"}, false},
        {"empty parts vanish", "a\\\\\xFF" "b", false, {"a", "b"}, false},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.what);
        lzh::SplitPath split = c.folderField ? lzh::SplitFolderField(c.field) : lzh::SplitNameField(c.field);
        EXPECT_EQ(split.parts, c.parts);
        EXPECT_EQ(split.absolute, c.absolute);
    }
}

}  // namespace

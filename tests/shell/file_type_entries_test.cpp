// The registration entries, byte for byte, for program paths that need quoting or hold
// double-byte characters.
#include <gtest/gtest.h>

#include "shell/file_type_entries.h"

namespace zavo {
namespace {

TEST(FileTypeEntries, FourEntriesInOrderWithExactValues) {
    struct Case { const char* program; const char* icon; const char* command; };
    const Case cases[] = {
        {"C:\\ZAVO\\ZAVO.EXE", "C:\\ZAVO\\ZAVO.EXE ,1", "\"C:\\ZAVO\\ZAVO.EXE\"  \"%1\""},
        {"C:\\Program Files\\ZAVO\\zavo.exe", "C:\\Program Files\\ZAVO\\zavo.exe ,1",
         "\"C:\\Program Files\\ZAVO\\zavo.exe\"  \"%1\""},
        {"D:\\表\\ツール\\zavo.exe", "D:\\表\\ツール\\zavo.exe ,1", "\"D:\\表\\ツール\\zavo.exe\"  \"%1\""},
    };
    for (const Case& c : cases) {
        std::vector<FileTypeEntry> entries = ScriptFileTypeEntries(c.program);
        ASSERT_EQ(entries.size(), 4u);
        EXPECT_EQ(entries[0].keyPath, ".ZAV");
        EXPECT_EQ(entries[0].value, "ZAVOfile");
        EXPECT_EQ(entries[1].keyPath, "ZAVOfile");
        EXPECT_EQ(entries[1].value, "ZAVO Script file");
        EXPECT_EQ(entries[2].keyPath, "ZAVOfile\\DefaultIcon");
        EXPECT_EQ(entries[2].value, c.icon);
        EXPECT_EQ(entries[3].keyPath, "ZAVOfile\\Shell\\open\\command");
        EXPECT_EQ(entries[3].value, c.command);
    }
}

}  // namespace
}  // namespace zavo

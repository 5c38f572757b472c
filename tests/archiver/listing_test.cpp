// Listing lines: fixed columns, ratios, MS-DOS stamps and printable names.
#include <gtest/gtest.h>

#include "archiver/listing.h"
#include "archiver/stored_path.h"

namespace unlha {
namespace {

TEST(Listing, LinesForLAndV) {
    Stamp stamp = StampFromDos(0x5A215C3B);   // 2025-01-01 11:33:54
    ASSERT_TRUE(stamp.valid);
    lzh::Entry e;
    e.methodId = "-lh5-", e.folders = {"dir"}, e.name = "a.txt";
    e.originalSize = 2000, e.packedSize = 918, e.crc = 0xBB3D;
    e.level = 2, e.osId = 'M', e.hasAttributes = true, e.attributes = 0x21;
    EXPECT_EQ(ListLine(e, stamp, false), "       2000        918  45.9% 2025-01-01 11:33:54 -lh5-  a.txt");
    EXPECT_EQ(ListLine(e, stamp, true), "       2000        918  45.9% 2025-01-01 11:33:54 -lh5-  r--a BB3D  2  M dir\\a.txt");
    e.name = "\x1B]2;x\x07";
    e.originalSize = 0;
    EXPECT_EQ(ListLine(e, Stamp{}, false), "          0        918      - ---------- -------- -lh5-  \\x1B]2;x\\x07");
    EXPECT_EQ(ListSummary(3, 4000, 1000), "       4000       1000  25.0% 3 entries");
    EXPECT_EQ(ListCommentLine(e), "");
    e.comment = "\x95\x5C\r\n";   // 表 and a line break, from an Amiga note or extension 0x3F
    EXPECT_EQ(ListCommentLine(e), "            comment: \x95\x5C\\x0D\\x0A");
}

TEST(Listing, StampsAndRatios) {
    EXPECT_FALSE(StampFromDos(0).valid);   // day and month 0
    EXPECT_EQ(Ratio(1, 20), ">999%");
    EXPECT_EQ(Ratio(10, 10), "100.0%");
}

TEST(StoredPath, KeepsOnlyPartsBelowTheBase) {
    const struct { const char* path; bool keep; const char* stored; } cases[] = {
        {"sub\\a.txt", true, "sub\\a.txt"},   {"sub\\a.txt", false, "a.txt"},
        {"C:\\data\\a.txt", true, "data\\a.txt"}, {"..\\..\\x\\.\\a.txt", true, "x\\a.txt"},
        {"\x95\x5C\\\x83\x5C.txt", true, "\x95\x5C\\\x83\x5C.txt"}, {"C:a.txt", true, "a.txt"},
        {"d/e/f", true, "d\\e\\f"},
    };
    for (const auto& c : cases) EXPECT_EQ(JoinStored(StoredPathFor(c.path, c.keep)), c.stored) << c.path;
    EXPECT_TRUE(SameStoredName("Dir\\A.TXT", "dir\\a.txt"));
    EXPECT_FALSE(SameStoredName("\x82\x60", "\x82\x81"));
}

}  // namespace
}  // namespace unlha

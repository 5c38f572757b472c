// The sample script in samples/ reads as the tour its README describes: a shifted line would
// turn the rest of it into nonsense entries.
#include <gtest/gtest.h>

#include "script/script_format.h"

namespace zavo {
namespace {

TEST(SampleScript, ReadsAsTheTourOfNineEntries) {
    ScriptTable table;
    std::string last;
    ASSERT_EQ(ReadScript(ZAVO_SOURCE_DIR "/samples/tour.zav", table, last), 9);
    const char* commands[] = {"/M \"tour-out\"", "a ", "l ", "t ", "/M \"tour-out\\extracted\"", "e ",
                              "/C \"tour-out\\tour.lzh\" \"tour-out\\tour-copy.lzh\"", "/S", "/X"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(table.rows[i].command, commands[i]) << i;
    EXPECT_EQ(table.rows[1].options, " -r1 -x1");
    EXPECT_EQ(table.rows[1].basePath, "tour-files");
    EXPECT_EQ(table.rows[5].options, " -x1 -jyo");
    EXPECT_EQ(table.rows[5].basePath, "tour-out\\extracted");
    for (int i : {1, 2, 3, 5}) {
        EXPECT_EQ(table.rows[i].archivePath, "tour-out\\tour.lzh") << i;
        EXPECT_EQ(table.rows[i].fileNames, "*.*") << i;
    }
}

}  // namespace
}  // namespace zavo

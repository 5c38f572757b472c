// A person archives a folder tree with Japanese names, lists and tests the archive, picks it
// again from the path list and extracts it elsewhere: the copy matches the original.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

TEST(ArchiveRoundTrip, AddListTestPickAndExtractATreeWithShiftJisNames) {
    Scratch work;
    const std::string source = work / "元データ", copy = work / "展開先";
    // 表 and ソ end in the byte 0x5C, which must never act as a folder separator.
    WriteBytes(source + "\\表.txt", TextData(6000, 1));
    WriteBytes(source + "\\ソース\\ソ.dat", TextData(70000, 2));
    WriteBytes(source + "\\readme.txt", TextData(900, 3));
    WriteBytes(source + "\\sub\\deep\\b.bin", std::string("\0\1\2\3\xFF\x5C", 6) + TextData(3000, 4));
    WriteBytes(source + "\\empty.dat", "");

    Zavo zavo(BinFolder() + "zavo.exe");
    ASSERT_TRUE(zavo.Window());

    Type(zavo[IDC_LZH_PATH], work / "書庫.LZH");
    // "Base Path": type the scratch folder, drop the list down and pick the source folder.
    Type(zavo[IDC_BASE_PATH], work.Path());
    DropDown(zavo[IDC_BASE_PATH]);
    std::vector<std::string> folders = ComboItems(zavo[IDC_BASE_PATH]);
    auto picked = std::find(folders.begin(), folders.end(), source + "\\");
    ASSERT_NE(picked, folders.end()) << "the drop-down lists the subfolders of the typed folder; it holds "
                                     << ::testing::PrintToString(folders);
    zavo.PickDropped(IDC_BASE_PATH, static_cast<int>(picked - folders.begin()));
    EXPECT_EQ(ItemTextOf(zavo.Window(), IDC_BASE_PATH), source + "\\");
    SetChecked(zavo.Window(), IDC_RECURSIVE, true);

    Click(zavo[IDC_ADD]);
    std::string added = zavo.Output();
    for (const char* name : {"表.txt", "ソース\\ソ.dat", "sub\\deep\\b.bin"})
        EXPECT_TRUE(Has(added, Words("added    ", "追加     ") + name + " (")) << added;
    EXPECT_TRUE(Has(added, Words("5 added, 0 replaced", "追加 5、置換 0"))) << added;
    ASSERT_TRUE(Exists(work / "書庫.LZH"));

    Click(zavo[IDC_CLEAR]);
    Click(zavo[IDC_LIST]);
    std::string listed = zavo.Output();
    for (const std::string& part : {std::string("表.txt"), std::string("ソ.dat"), Words(" 5 entries\r\n", " 5 個のファイル\r\n")})
        EXPECT_TRUE(Has(listed, part)) << listed;

    Click(zavo[IDC_TEST]);
    EXPECT_TRUE(Has(zavo.Output(), Words("5 tested, 5 OK, 0 damaged\r\n", "検査 5、正常 5、破損 0\r\n"))) << zavo.Output();

    // Pick the archive again from the path list: the list follows the typed folder and name.
    ClearEdit(zavo[IDC_LZH_PATH]);
    Type(zavo[IDC_LZH_PATH], work / "書");
    ASSERT_EQ(ListItems(zavo[IDC_PATH_LIST]), std::vector<std::string>{"書庫.LZH"});
    MouseDoubleClickListItem(zavo[IDC_PATH_LIST], 0);
    EXPECT_EQ(ItemTextOf(zavo.Window(), IDC_LZH_PATH), work / "書庫.LZH");

    zavo.Paste(IDC_BASE_PATH, copy);   // no final "\": the run adds it
    Click(zavo[IDC_EXTRACT]);
    EXPECT_TRUE(Has(zavo.Output(), Words("5 extracted, 0 replaced, 0 skipped, 0 refused, 0 failed; into " + copy + "\\\r\n",
                                           "展開 5、置換 0、スキップ 0、拒否 0、失敗 0: 展開先 " + copy + "\\\r\n"))) << zavo.Output();
    EXPECT_EQ(ItemTextOf(zavo.Window(), IDC_BASE_PATH), copy + "\\");
    zavo.Close();

    EXPECT_EQ(ReadTree(source).size(), 5u);
    EXPECT_TRUE(ReadTree(copy) == ReadTree(source)) << "the extracted tree differs from the original";
}

}  // namespace
}  // namespace e2e

// A person makes a self-extracting program from an archive, and someone else runs it
// unattended with a destination: the files come out as they went in.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

TEST(MakeSelf, TheProgramExtractsTheArchiveItCarries) {
    Scratch work;
    const std::string source = work / "src", shipped = work / "配布", unpacked = work / "受け取り 先";
    WriteBytes(source + "\\表紙.txt", TextData(3000, 1));
    WriteBytes(source + "\\data\\ソ.bin", TextData(40000, 2));

    Zavo zavo(BinFolder() + "zavo.exe");
    ASSERT_TRUE(zavo.Window());
    Type(zavo[IDC_LZH_PATH], work / "gift.lzh");
    zavo.Paste(IDC_BASE_PATH, source + "\\");
    SetChecked(zavo.Window(), IDC_RECURSIVE, true);
    Click(zavo[IDC_ADD]);
    ASSERT_TRUE(Has(zavo.Output(), Words("2 added", "追加 2"))) << zavo.Output();

    // The self-extracting program goes to the base folder.
    zavo.Paste(IDC_BASE_PATH, shipped + "\\");
    CreateDirectoryA(shipped.c_str(), nullptr);
    Click(zavo[IDC_MAKE_SELF]);
    EXPECT_TRUE(Has(zavo.Output(), Words("created  ", "作成     ") + shipped + "\\")) << zavo.Output();
    zavo.Close();

    Files made = ReadTree(shipped);
    ASSERT_EQ(made.size(), 1u) << "one program in the base folder";
    std::string program = shipped + "\\" + made.begin()->first;
    EXPECT_EQ(RunToEnd("\"" + program + "\" -d \"" + unpacked + "\" -y"), 0u);
    EXPECT_TRUE(ReadTree(unpacked) == ReadTree(source)) << "the unpacked tree differs from the original";
}

}  // namespace
}  // namespace e2e

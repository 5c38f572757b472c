// A person tests and extracts an archive that was damaged on its way: the library says so in
// its own box, the window adds nothing for the failed run, and only the sound entry comes out.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

TEST(DamagedArchive, TheLibraryReportsItAndNoHalfFileIsLeft) {
    Scratch work;
    const std::string source = work / "src", copy = work / "copy", archive = work / "hurt.lzh";
    WriteBytes(source + "\\表.txt", TextData(60000, 1));
    WriteBytes(source + "\\ソ.txt", TextData(500, 2));

    Zavo zavo(BinFolder() + "zavo.exe");
    ASSERT_TRUE(zavo.Window());
    Type(zavo[IDC_LZH_PATH], archive);
    zavo.Paste(IDC_BASE_PATH, source + "\\");
    Click(zavo[IDC_ADD]);
    ASSERT_TRUE(Has(zavo.Output(), Words("2 added", "追加 2"))) << zavo.Output();

    // One byte flipped inside 表.txt's compressed data, whichever member comes first.
    std::string bytes = ReadBytes(archive);
    ASSERT_GT(bytes.size(), 4000u);
    bytes[2000] = static_cast<char>(bytes[2000] ^ 0xFF);
    WriteBytes(archive, bytes);

    Click(zavo[IDC_CLEAR]);
    ClickLater(zavo[IDC_TEST]);
    HWND box = zavo.WaitForWindow("UNLHA32");
    ASSERT_TRUE(box);
    EXPECT_TRUE(Has(MessageBoxText(box), "表.txt")) << MessageBoxText(box);
    AnswerAndWait(box, IDOK);

    zavo.Paste(IDC_BASE_PATH, copy + "\\");
    ClickLater(zavo[IDC_EXTRACT]);
    box = zavo.WaitForWindow("UNLHA32");
    ASSERT_TRUE(box);
    AnswerAndWait(box, IDOK);
    EXPECT_EQ(zavo.Output(), "") << "a failed run adds nothing to the pane";
    zavo.Close();

    Files extracted = ReadTree(copy);
    EXPECT_EQ(extracted.count("表.txt"), 0u) << "no half file of the damaged entry";
    EXPECT_EQ(extracted["ソ.txt"], ReadBytes(source + "\\ソ.txt"));
    EXPECT_EQ(extracted.size(), 1u) << "no temporary file is left";
}

}  // namespace
}  // namespace e2e

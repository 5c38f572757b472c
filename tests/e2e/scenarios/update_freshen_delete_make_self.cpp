// A person keeps an archive up to date: after editing one file and making another, Freshen
// replaces only the edited one, Update adds the new one, and Delete removes an entry. Then the
// archive goes out as a self-extracting program, which someone else runs unattended.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

TEST(UpdateFreshenDeleteMakeSelf, EachCommandTouchesOnlyWhatItShould) {
    Scratch work;
    const std::string source = work / "src", copy = work / "copy", shipped = work / "配布", unpacked = work / "受け取り 先";
    WriteBytes(source + "\\表.txt", TextData(5000, 1));
    WriteBytes(source + "\\ソ.txt", TextData(5000, 2));
    WriteBytes(source + "\\予定\\c.txt", TextData(5000, 3));

    Zavo zavo(BinFolder() + "zavo.exe");
    ASSERT_TRUE(zavo.Window());
    Type(zavo[IDC_LZH_PATH], work / "keep.lzh");
    zavo.Paste(IDC_BASE_PATH, source + "\\");
    SetChecked(zavo.Window(), IDC_RECURSIVE, true);
    Click(zavo[IDC_ADD]);
    ASSERT_TRUE(Has(zavo.Output(), Words("3 added, 0 replaced", "追加 3、置換 0"))) << zavo.Output();

    // An edit of 表.txt, and a new file d.txt. 表 and ソ end in the byte 0x5C.
    WriteBytes(source + "\\表.txt", "edited\r\n" + TextData(4000, 9));
    SetWriteTime(source + "\\表.txt", WriteTimeOf(source + "\\表.txt") + 60);
    WriteBytes(source + "\\d.txt", TextData(700, 4));

    Click(zavo[IDC_CLEAR]);
    Click(zavo[IDC_FRESHEN]);
    std::string freshened = zavo.Output();
    EXPECT_TRUE(Has(freshened, Words("replaced 表.txt (", "置換     表.txt ("))) << freshened;
    EXPECT_FALSE(Has(freshened, "d.txt (")) << "Freshen adds nothing new: " << freshened;
    EXPECT_TRUE(Has(freshened, Words("0 added, 1 replaced", "追加 0、置換 1"))) << freshened;

    Click(zavo[IDC_CLEAR]);
    Click(zavo[IDC_UPDATE]);
    std::string updated = zavo.Output();
    EXPECT_TRUE(Has(updated, Words("added    d.txt (", "追加     d.txt ("))) << updated;
    EXPECT_TRUE(Has(updated, Words("1 added, 0 replaced", "追加 1、置換 0"))) << "nothing changed since the freshen: " << updated;

    Click(zavo[IDC_CLEAR]);
    ClearEdit(zavo[IDC_FILE_NAME]);
    Type(zavo[IDC_FILE_NAME], "ソ.txt");
    Click(zavo[IDC_DELETE]);
    EXPECT_TRUE(Has(zavo.Output(), Words("deleted  ソ.txt", "削除     ソ.txt"))) << zavo.Output();

    // "Clear" also puts back the values of the last exchange: empty the pane before typing.
    Click(zavo[IDC_CLEAR]);
    ClearEdit(zavo[IDC_FILE_NAME]);
    Type(zavo[IDC_FILE_NAME], "*.*");
    Click(zavo[IDC_LIST]);
    EXPECT_TRUE(Has(zavo.Output(), Words(" 3 entries\r\n", " 3 個のファイル\r\n"))) << zavo.Output();

    zavo.Paste(IDC_BASE_PATH, copy + "\\");
    Click(zavo[IDC_EXTRACT]);
    // The self-extracting program goes to the base folder.
    zavo.Paste(IDC_BASE_PATH, shipped + "\\");
    CreateDirectoryA(shipped.c_str(), nullptr);
    Click(zavo[IDC_MAKE_SELF]);
    EXPECT_TRUE(Has(zavo.Output(), Words("created  ", "作成     ") + shipped + "\\")) << zavo.Output();
    zavo.Close();

    Files expected = ReadTree(source);
    expected.erase("ソ.txt");
    EXPECT_TRUE(ReadTree(copy) == expected) << "the archive should hold the edited 表.txt, c.txt and d.txt";
    Files made = ReadTree(shipped);
    ASSERT_EQ(made.size(), 1u) << "one program in the base folder";
    EXPECT_EQ(RunToEnd("\"" + shipped + "\\" + made.begin()->first + "\" -d \"" + unpacked + "\" -y"), 0u);
    EXPECT_TRUE(ReadTree(unpacked) == expected) << "the program carries the archive as it was made";
}

}  // namespace
}  // namespace e2e

// ZAVO's main window with the real UNLHA32.DLL, used as a person would: type the archive path
// and base folder, tick boxes, press Add, List, Test and Extract, and read the output pane.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/archiver/library_harness.h"
#include "tests/support/ui_driver.h"

namespace unlha_test {
namespace {

using namespace zavo::testing;

TEST(EndToEnd, AddListTestAndExtractFromTheMainWindow) {
    Scratch s;
    const std::string src = s / "src", out = s / "out";
    WriteBytes(src + "\\a.txt", TextData(4000, 1));
    WriteBytes(src + "\\sub\\\x95\x5C.txt", TextData(3000, 2));   // 表.txt in a subfolder
    WriteBytes(src + "\\empty.dat", "");

    zavo::ProgramState state;
    zavo::MainDialog dialog(zavo::LibraryEngine(), state, "zavo.exe");
    std::string afterAdd, afterList, afterTest, afterExtract;
    RunDriven(dialog, [&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), s / "E2E.LZH");
        SetWindowTextA(GetDlgItem(window, IDC_BASE_PATH), src.c_str());   // no final '\': the run adds it
        Click(GetDlgItem(window, IDC_RECURSIVE));
        Click(GetDlgItem(window, IDC_ADD));
        afterAdd = ItemTextOf(window, IDC_OUTPUT_LOG);
        Click(GetDlgItem(window, IDC_LIST));
        afterList = ItemTextOf(window, IDC_OUTPUT_LOG);
        Click(GetDlgItem(window, IDC_TEST));
        afterTest = ItemTextOf(window, IDC_OUTPUT_LOG);
        SetWindowTextA(GetDlgItem(window, IDC_BASE_PATH), out.c_str());
        Click(GetDlgItem(window, IDC_EXTRACT));
        afterExtract = ItemTextOf(window, IDC_OUTPUT_LOG);
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    // FolderName(-x1) is ticked at start, so the subfolder is kept.
    EXPECT_NE(afterAdd.find("added    a.txt ("), std::string::npos) << afterAdd;
    EXPECT_NE(afterAdd.find("added    sub\\\x95\x5C.txt ("), std::string::npos) << afterAdd;
    EXPECT_NE(afterAdd.find("\r\n"), std::string::npos);
    EXPECT_NE(afterList.find(" 3 entries\r\n"), std::string::npos) << afterList;
    EXPECT_NE(afterTest.find("3 tested, 3 OK, 0 damaged\r\n"), std::string::npos) << afterTest;
    EXPECT_NE(afterExtract.find("3 extracted, 0 replaced, 0 skipped, 0 refused, 0 failed\r\n"), std::string::npos)
        << afterExtract;
    EXPECT_EQ(ReadBytes(out + "\\a.txt"), TextData(4000, 1));
    EXPECT_EQ(ReadBytes(out + "\\sub\\\x95\x5C.txt"), TextData(3000, 2));
    EXPECT_TRUE(Exists(out + "\\empty.dat"));
}

}  // namespace
}  // namespace unlha_test

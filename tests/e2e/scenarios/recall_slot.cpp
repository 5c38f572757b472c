// A person records the window's values into slot 2, starts the program again the next day
// and brings them back with "&2"; the values sit in the registry in between.
#include <gtest/gtest.h>

#include "resources/main_dialog_ids.h"
#include "resources/record_dialog_ids.h"
#include "tests/e2e/driver.h"

namespace e2e {
namespace {

const char kSlot[] = "Software\\NEVO\\ZAVO\\S2";

TEST(RecallSlot, RecordedValuesComeBackAfterARestart) {
    RemoveRegistryKey(HKEY_CURRENT_USER, kSlot);
    const std::string archive = "D:\\書庫\\表計算.LZH", base = "D:\\作業\\";
    {
        Zavo zavo(BinFolder() + "zavo.exe");
        ASSERT_TRUE(zavo.Window());
        zavo.Type(IDC_LZH_PATH, archive);
        zavo.Paste(IDC_BASE_PATH, base);
        zavo.Clear(IDC_FILE_NAME);
        zavo.Type(IDC_FILE_NAME, "*.txt");
        zavo.SetChecked(IDC_RECURSIVE, true);
        zavo.SetChecked(IDC_FOLDER_NAME, false);
        zavo.Type(IDC_OTHER_OPTION, "-o7");
        zavo.ClickLater(IDC_RECORD);
        HWND record = zavo.WaitForWindow("パラメータの記録");
        ASSERT_TRUE(record);
        Answer(record, IDC_RECORD_SLOT_2);
        WaitUntilGone(record);
        zavo.Close();
    }
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kSlot, "LZHPath"), archive);
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kSlot, "BasePath"), base);
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kSlot, "File"), "*.txt");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kSlot, "ChkOpt"), "rja");
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kSlot, "OtherOpt"), "-o7");

    Zavo zavo(BinFolder() + "zavo.exe");
    ASSERT_TRUE(zavo.Window());
    EXPECT_EQ(zavo.Text(IDC_LZH_PATH), "") << "nothing is read from the registry at start";
    zavo.Click(IDC_RECALL_3);
    EXPECT_EQ(zavo.Text(IDC_LZH_PATH), "") << "slot 3 was never recorded";
    zavo.Click(IDC_RECALL_2);
    EXPECT_EQ(zavo.Text(IDC_LZH_PATH), archive);
    EXPECT_EQ(zavo.Text(IDC_BASE_PATH), base);
    EXPECT_EQ(zavo.Text(IDC_FILE_NAME), "*.txt");
    EXPECT_EQ(zavo.Text(IDC_OTHER_OPTION), "-o7");
    EXPECT_TRUE(zavo.IsChecked(IDC_RECURSIVE));
    EXPECT_FALSE(zavo.IsChecked(IDC_FOLDER_NAME));
    EXPECT_TRUE(zavo.IsChecked(IDC_NEWER_YES));
    EXPECT_TRUE(zavo.IsChecked(IDC_ALL_ATTRIB));
    zavo.Close();
    RemoveRegistryKey(HKEY_CURRENT_USER, kSlot);
}

}  // namespace
}  // namespace e2e

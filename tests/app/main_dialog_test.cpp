// The main window driven as a person would, with a recording library in place of the real one.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "resources/resource_ids.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

TEST(MainDialog, StartsFromItsStartValuesWithTheProgramIconAndTheFirstPaintTicksThePathList) {
    const struct {
        const char* commandLine;
        const char* lzhPath;
        bool script;  // the first paint belongs to the start-up script run
    } cases[] = {
        {"zavo.exe", "", false},
        {"\"C:\\ZAVO\\zavo.exe\"  \"D:\\My Files\\A.Lzh\"", "D:\\My Files\\A.Lzh", false},
        {"zavo.exe Z:\\no such folder\\none.ZAV", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        RecordingEngine engine;
        ProgramState state;
        MainDialog dialog(engine, state, c.commandLine);
        RunDriven(dialog, [&](HWND window) {
            EXPECT_EQ(ItemTextOf(window, IDC_LZH_PATH), c.lzhPath);
            EXPECT_EQ(ItemTextOf(window, IDC_FILE_NAME), "*.*");
            EXPECT_EQ(ItemTextOf(window, IDC_OTHER_OPTION), "");
            EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), "");
            EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "");
            EXPECT_FALSE(IsChecked(window, IDC_RECURSIVE));
            // A start-up script unticks every box before its entries run.
            EXPECT_EQ(IsChecked(window, IDC_FOLDER_NAME), !c.script);
            EXPECT_EQ(IsChecked(window, IDC_NEWER_YES), !c.script);
            EXPECT_EQ(IsChecked(window, IDC_ALL_ATTRIB), !c.script);
            EXPECT_EQ(IsChecked(window, IDC_ENABLE_PATH_LIST), !c.script);
            EXPECT_EQ(IsShown(window, IDC_SHOW_PATH_LIST), c.script);
            if (!c.script) {
                EXPECT_EQ(FocusIn(window), GetDlgItem(window, IDC_LZH_PATH));
            }
            HICON program = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
            for (LPARAM size : {ICON_BIG, ICON_SMALL})
                EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, size, 0)), program);
            EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, WM_QUERYDRAGICON, 0, 0)), program);
            Click(GetDlgItem(window, IDC_CLOSE));
        });
        // "Close" (the cancel identity, as Escape and the close box) ends the window without a run.
        EXPECT_TRUE(engine.CommandLines().empty());
        EXPECT_EQ(engine.BusyQueries(), 0);
    }
}

TEST(MainDialog, ClearEmptiesTheLogAndPutsBackTheLastExchangedValues) {
    RecordingEngine engine;
    engine.SetAnswer(0, "listing");
    ProgramState state;
    MainDialog dialog(engine, state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        HWND files = GetDlgItem(window, IDC_FILE_NAME);
        ClearEdit(files);
        Type(files, "x.c");
        Click(GetDlgItem(window, IDC_CLEAR));
        EXPECT_EQ(ItemTextOf(window, IDC_FILE_NAME), "*.*");

        Type(GetDlgItem(window, IDC_OTHER_OPTION), "-m1");
        Click(GetDlgItem(window, IDC_LIST));
        ASSERT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "listing\r\n");
        Type(GetDlgItem(window, IDC_OTHER_OPTION), " -c");
        Click(GetDlgItem(window, IDC_CLEAR));
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "");
        EXPECT_EQ(ItemTextOf(window, IDC_OTHER_OPTION), "-m1");
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    EXPECT_EQ(engine.CommandLines().size(), 1u);
}

}  // namespace
}  // namespace zavo

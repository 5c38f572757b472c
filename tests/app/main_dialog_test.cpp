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
            for (int id : {IDC_OTHER_OPTION, IDC_BASE_PATH, IDC_OUTPUT_LOG}) EXPECT_EQ(ItemTextOf(window, id), "") << id;
            EXPECT_FALSE(IsChecked(window, IDC_RECURSIVE));
            // A start-up script unticks every box before its entries run.
            for (int id : {IDC_FOLDER_NAME, IDC_NEWER_YES, IDC_ALL_ATTRIB, IDC_ENABLE_PATH_LIST})
                EXPECT_EQ(IsChecked(window, id), !c.script) << id;
            EXPECT_EQ(IsShown(window, IDC_SHOW_PATH_LIST), c.script);
            EXPECT_TRUE(c.script || FocusIn(window) == GetDlgItem(window, IDC_LZH_PATH)) << "the focus in LZH Path";
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

}  // namespace
}  // namespace zavo

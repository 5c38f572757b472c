// The main window driven as a person would, with a recording library in place of the real one.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

TEST(MainDialog, ExtractSendsTheComposedCommandLine) {
    RecordingEngine engine;
    engine.SetAnswer(0, "line one\nline two");
    ProgramState state;
    MainDialog dialog(engine, state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        Type(GetDlgItem(window, IDC_LZH_PATH), "D:\\ARC\\A.LZH");
        SetWindowTextA(GetDlgItem(window, IDC_BASE_PATH), "D:\\WORK");
        Click(GetDlgItem(window, IDC_EXTRACT));
        EXPECT_EQ(ItemTextOf(window, IDC_OUTPUT_LOG), "line one\r\nline two\r\n");
        EXPECT_EQ(ItemTextOf(window, IDC_BASE_PATH), "D:\\WORK\\");
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    ASSERT_EQ(engine.CommandLines().size(), 1u);
    EXPECT_EQ(engine.CommandLines()[0], "e   -x1 -jyo -a1  \"D:\\ARC\\A.LZH\" \"D:\\WORK\\\" \"*.*\"");
    EXPECT_EQ(engine.CommandLines()[0].size(), 49u);
}

}  // namespace
}  // namespace zavo

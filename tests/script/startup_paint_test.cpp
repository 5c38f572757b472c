// A program started minimised with a script runs it only once its window is first restored.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/test_files.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

std::string Entries(int count) {
    std::string script;
    for (int i = 1; i <= count; ++i) script += "///\r\nt \r\n\r\n" + std::to_string(i) + ".LZH\r\n\r\n*.*\r\n";
    return script;
}

// The window as a desktop shows a program started minimised: the dialog's own showing is
// followed by minimising before anything is painted (a posted message comes before WM_PAINT).
class MinimisedMainDialog : public MainDialog {
public:
    using MainDialog::MainDialog;

protected:
    INT_PTR OnMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override {
        if (message == WM_SHOWWINDOW && w && !minimised_) PostMessageA(Handle(), kMinimise, 0, 0);
        if (message == kMinimise && !minimised_) {
            minimised_ = true;
            ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
            handled = true;
            return TRUE;
        }
        return MainDialog::OnMessage(message, w, l, handled);
    }

private:
    static constexpr UINT kMinimise = WM_APP + 1;
    bool minimised_ = false;
};

TEST(StartupRun, AMinimisedStartWaitsForTheRestoredWindow) {
    Scratch folder;
    WriteBytes(folder / "表 ソ.zav", Entries(2));
    RecordingEngine engine;
    ProgramState state;
    MinimisedMainDialog dialog(engine, state, "zavo.exe \"" + folder / "表 ソ.zav" + "\"");
    EXPECT_EQ(dialog.Fields().scriptTable.count, 2);
    EXPECT_EQ(state.lastScriptPath, folder / "表 ソ.zav");
    RunDriven(dialog, [&](HWND window) {
        // The first step comes once the loop has nothing else to do: every paint was handled.
        ASSERT_TRUE(IsIconic(window));
        EXPECT_TRUE(engine.CommandLines().empty());
        ShowWindow(window, SW_RESTORE);
        EXPECT_TRUE(WaitUntil([&] { return engine.CommandLines().size() == 2 && IsEnabled(window, IDC_EXTRACT); }));
        // Unlike a run from the editor, the start-up run leaves every box unticked behind it.
        for (int id : {IDC_RECURSIVE, IDC_FOLDER_NAME, IDC_NEWER_YES, IDC_ALL_ATTRIB, IDC_ENABLE_PATH_LIST}) {
            EXPECT_FALSE(IsChecked(window, id)) << id;
        }
        EXPECT_TRUE(IsShown(window, IDC_SHOW_PATH_LIST));
        Click(GetDlgItem(window, IDC_CLOSE));
    });
    ASSERT_EQ(engine.CommandLines().size(), 2u);
    EXPECT_EQ(engine.CommandLines()[0], "t    \"1.LZH\" \"\" \"*.*\"");
}

}  // namespace
}  // namespace zavo

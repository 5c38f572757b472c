// The script editor driven as a person would, on real files.
#include <gtest/gtest.h>

#include "resources/script_dialog_ids.h"
#include "script/script_dialog.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// The editor as the main window opens it, with its values and the last script path.
struct Editor {
    Scratch folder;
    std::string lastScriptPath;
    ScriptDialog dialog;
    explicit Editor(const std::string& name)
        : lastScriptPath(folder / name),
          dialog(CommandValues{"a ", "D:\\ARC\\A.LZH", "D:\\WORK", "*.*", {true, false, true, false}, "-m1"},
                 lastScriptPath) {}
};

std::string Pane(HWND editor) { return ItemTextOf(editor, IDC_SCRIPT_CONTENTS); }

TEST(ScriptDialog, ShowOfAMissingFileSaysSoAndChangesNothing) {
    Editor editor("missing.zav");
    RunDriven(editor.dialog, [&](HWND window) {
        SetWindowTextA(GetDlgItem(window, IDC_SCRIPT_CONTENTS), "typed text");
        ClickLater(GetDlgItem(window, IDC_SCRIPT_SHOW));
        HWND box = WaitForWindow(WindowThread(window), "ZAVO");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), editor.folder / "missing.zav" + "がオープンできません。");
        Answer(box, IDOK);
        WaitUntil([&] { return !IsWindow(box); });
        EXPECT_EQ(Pane(window), "typed text");
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
    EXPECT_FALSE(Exists(editor.folder / "missing.zav"));
}

TEST(ScriptDialog, WriteAllWritesThePaneAndShowsTheFileAgain) {
    Editor editor("表 ソ.zav");
    WriteBytes(editor.lastScriptPath, "///old\r\n/X\r\n");
    std::string wide;   // 300 double-byte characters, each with a 0x5C second byte
    for (int i = 0; i < 100; ++i) wide += "表ソ能";
    const std::string lines = "///" + wide + "\r\n\r\n/D \"" + wide + std::string(700, 'L') + "\"";
    struct Case { const char* what; std::string pane, bytes; } cases[] = {
        {"long double-byte lines, an empty one, the last without its line break", lines, lines + "\r\n"},
        {"empty pane", "", ""},
    };
    RunDriven(editor.dialog, [&](HWND window) {
        for (const Case& c : cases) {
            SetWindowTextA(GetDlgItem(window, IDC_SCRIPT_CONTENTS), c.pane.c_str());
            Click(GetDlgItem(window, IDC_SCRIPT_WRITE_ALL));
            EXPECT_EQ(ReadBytes(editor.lastScriptPath), c.bytes) << c.what;
            EXPECT_EQ(Pane(window), c.bytes) << c.what;
            SetWindowTextA(GetDlgItem(window, IDC_SCRIPT_CONTENTS), "");
            Click(GetDlgItem(window, IDC_SCRIPT_SHOW));
            EXPECT_EQ(Pane(window), c.bytes) << c.what;
        }
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
}

}  // namespace
}  // namespace zavo

// The script editor driven as a person would, on real files.
#include <gtest/gtest.h>

#include "resources/script_dialog_ids.h"
#include "script/script_dialog.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// What the main window hands to the editor: its values and the last script path.
struct EditorState {
    CommandValues values{"a ", "D:\\ARC\\A.LZH", "D:\\WORK", "*.*", {true, false, true, false}, "-m1"};
    std::string lastScriptPath;
};

EditorState StateFor(const std::string& lastScriptPath) {
    EditorState state;
    state.lastScriptPath = lastScriptPath;
    return state;
}

std::string Pane(HWND editor) { return ItemTextOf(editor, IDC_SCRIPT_CONTENTS); }

TEST(ScriptDialog, ShowOfAMissingFileSaysSoAndChangesNothing) {
    Scratch folder;
    EditorState state = StateFor(folder / "missing.zav");
    ScriptDialog editor(state.values, state.lastScriptPath);
    RunDriven(editor, [&](HWND window) {
        SetWindowTextA(GetDlgItem(window, IDC_SCRIPT_CONTENTS), "typed text");
        ClickLater(GetDlgItem(window, IDC_SCRIPT_SHOW));
        HWND box = WaitForWindow(WindowThread(window), "ZAVO");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), folder / "missing.zav" + "がオープンできません。");
        Answer(box, IDOK);
        WaitUntil([&] { return !IsWindow(box); });
        EXPECT_EQ(Pane(window), "typed text");
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
    EXPECT_FALSE(Exists(folder / "missing.zav"));
}

TEST(ScriptDialog, AppendCreatesTheFileAndShowsIt) {
    Scratch folder;
    EditorState state = StateFor(folder / "new.zav");
    ScriptDialog editor(state.values, state.lastScriptPath);
    const std::string entry = "a \r\n-m1 -r1 -jyo\r\nD:\\ARC\\A.LZH\r\nD:\\WORK\r\n*.*\r\n";
    RunDriven(editor, [&](HWND window) {
        Type(GetDlgItem(window, IDC_SCRIPT_COMMENT), "first");
        Click(GetDlgItem(window, IDC_SCRIPT_APPEND));
        EXPECT_EQ(Pane(window), "///first\r\n" + entry);
        ClearEdit(GetDlgItem(window, IDC_SCRIPT_COMMENT));
        Type(GetDlgItem(window, IDC_SCRIPT_COMMENT), "二回目");
        Click(GetDlgItem(window, IDC_SCRIPT_APPEND));
        EXPECT_EQ(ItemTextOf(window, IDC_SCRIPT_COMMENT), "二回目");
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
    EXPECT_EQ(ReadBytes(folder / "new.zav"), "///first\r\n" + entry + "///二回目\r\n" + entry);
    EXPECT_EQ(state.lastScriptPath, folder / "new.zav");
}

TEST(ScriptDialog, WriteAllWritesThePaneAndShowsTheFileAgain) {
    Scratch folder;
    WriteBytes(folder / "表 ソ.zav", "///old\r\n/X\r\n");
    EditorState state = StateFor(folder / "表 ソ.zav");
    ScriptDialog editor(state.values, state.lastScriptPath);
    const std::string longLine(700, 'L');
    std::string wide;   // 300 double-byte characters, each with a 0x5C second byte
    for (int i = 0; i < 100; ++i) wide += "表ソ能";
    struct Case {
        const char* what;
        std::string pane;
        std::string bytes;
    } cases[] = {
        {"last line without line break", "///new\r\n/X", "///new\r\n/X\r\n"},
        {"long double-byte line", "///" + wide + "\r\n/D \"" + wide + longLine + "\"\r\n",
         "///" + wide + "\r\n/D \"" + wide + longLine + "\"\r\n"},
        {"empty pane", "", ""},
    };
    RunDriven(editor, [&](HWND window) {
        for (const Case& c : cases) {
            SetWindowTextA(GetDlgItem(window, IDC_SCRIPT_CONTENTS), c.pane.c_str());
            Click(GetDlgItem(window, IDC_SCRIPT_WRITE_ALL));
            EXPECT_EQ(ReadBytes(folder / "表 ソ.zav"), c.bytes) << c.what;
            EXPECT_EQ(Pane(window), c.bytes) << c.what;
            SetWindowTextA(GetDlgItem(window, IDC_SCRIPT_CONTENTS), "");
            Click(GetDlgItem(window, IDC_SCRIPT_SHOW));
            EXPECT_EQ(Pane(window), c.bytes) << c.what;
        }
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
}

// The editor wires the shared path list (tested in tests/paths) to its own field and keeps the result.
TEST(ScriptDialog, ADoubleClickInThePathListOpensAFolder) {
    Scratch folder;
    CreateDirectoryA((folder / "SUB").c_str(), nullptr);
    WriteBytes(folder / "SUB\\inner.zav", "");
    EditorState state = StateFor(folder.Path());
    ScriptDialog editor(state.values, state.lastScriptPath);
    RunDriven(editor, [&](HWND window) {
        HWND list = GetDlgItem(window, IDC_SCRIPT_PATH_LIST);
        HWND path = GetDlgItem(window, IDC_SCRIPT_PATH);
        SendMessageA(path, EM_SETSEL, 1000, 1000);
        Type(path, "S");
        ASSERT_EQ(ListItems(list), std::vector<std::string>{"SUB"});
        MouseDoubleClickListItem(list, 0);
        EXPECT_EQ(TextOf(path), folder / "SUB\\");
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);  // ".", ".." and inner.zav
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
    EXPECT_EQ(state.lastScriptPath, folder / "SUB\\");
}

}  // namespace
}  // namespace zavo

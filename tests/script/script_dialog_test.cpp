// The script editor driven as a person would, on real files and folders: its buttons, and the
// shared path list in its form (bare names, a commit on double clicks only, the focus back to
// the field).
#include <gtest/gtest.h>

#include "resources/script_dialog_ids.h"
#include "script/script_dialog.h"
#include "tests/paths/path_tree.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// The editor as the main window opens it, with its values and the last script path: `name` in a
// folder of its own.
struct Editor {
    explicit Editor(const std::string& name) : lastScriptPath(folder / name) {}
    Scratch folder;
    std::string lastScriptPath;
    ScriptDialog dialog{{"a ", "D:\\ARC\\A.LZH", "D:\\WORK", "*.*", {true, false, true, false}, "-m1"}, lastScriptPath};
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

TEST(ScriptPathList, OnlyADoubleClickCommitsAndAFolderGetsItsSeparatorAndTheFocusGoesToTheField) {
    Editor editor("tree\\");
    const std::string root = MakeTree(editor.folder, {kHyo, kSo + kSo}, {kHyo + "\\RUN.ZAV", "A.ZAV"});
    // A name whose last byte is 0x5C still gets its "\": the folder test looks at characters.
    struct Case { std::string pick, field; Items listed; };
    const Case cases[] = {
        {kHyo, root + kHyo + "\\", SearchOrder(root + kHyo + "\\*", true)},
        {"..", root + kHyo + "\\..\\", SearchOrder(root + "*", true)},
        {kSo + kSo, root + kHyo + "\\..\\" + kSo + kSo + "\\", SearchOrder(root + kSo + kSo + "\\*", true)},
    };
    RunDriven(editor.dialog, [&](HWND window) {
        HWND field = GetDlgItem(window, IDC_SCRIPT_PATH), list = GetDlgItem(window, IDC_SCRIPT_PATH_LIST);
        EXPECT_EQ(ListItems(list), Items{}) << "showing the first path fills nothing";
        SendMessageA(field, EM_SETSEL, 1000, 1000);   // a person clicks behind the text before typing on
        Type(field, "*");
        EXPECT_EQ(ListItems(list), SearchOrder(root + "*", true)) << "bare names, in search order";
        MouseClickListItem(list, IndexOf(ListItems(list), "A.ZAV"));
        Focus(GetDlgItem(window, IDC_SCRIPT_COMMENT));
        EXPECT_EQ(TextOf(field), root + "*") << "leaving the list commits nothing";
        for (const Case& c : cases) {
            Focus(list);
            MouseDoubleClickListItem(list, IndexOf(ListItems(list), c.pick));
            EXPECT_EQ(TextOf(field), c.field);
            EXPECT_EQ(ListItems(list), c.listed) << c.field;
            EXPECT_EQ(FocusIn(window), field) << "the focus moves to the path field";
            EXPECT_TRUE(CaretAtEnd(field)) << c.field;
        }
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
    EXPECT_EQ(editor.lastScriptPath, cases[2].field) << "the editor keeps the path picked last";
}

}  // namespace
}  // namespace zavo

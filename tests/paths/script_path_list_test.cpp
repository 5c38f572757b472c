// The shared path list in the script editor's form: bare names, a commit on double clicks only,
// the focus back to the field. Driven in the editor itself, on real folders.
#include <gtest/gtest.h>

#include "resources/script_dialog_ids.h"
#include "script/script_dialog.h"
#include "tests/paths/path_tree.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// The editor opened on `path`, the last script path; returns that path as the editor leaves it.
std::string Drive(const std::string& path, const std::function<void(HWND window, HWND field, HWND list)>& steps) {
    std::string lastScriptPath = path;
    ScriptDialog editor(CommandValues{}, lastScriptPath);
    RunDriven(editor, [&](HWND window) {
        HWND field = GetDlgItem(window, IDC_SCRIPT_PATH);
        // A person clicks behind the text before typing on.
        SendMessageA(field, EM_SETSEL, 1000, 1000);
        steps(window, field, GetDlgItem(window, IDC_SCRIPT_PATH_LIST));
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
    return lastScriptPath;
}

TEST(ScriptPathList, OnlyADoubleClickCommitsAndAFolderGetsItsSeparatorAndTheFocusGoesToTheField) {
    Scratch scratch;
    const std::string root = MakeTree(scratch, {kHyo, kSo + kSo}, {kHyo + "\\RUN.ZAV", "A.ZAV"});
    // A name whose last byte is 0x5C still gets its "\": the folder test looks at characters.
    struct Case { std::string pick, field; Items listed; };
    const Case cases[] = {
        {kHyo, root + kHyo + "\\", SearchOrder(root + kHyo + "\\*", true)},
        {"..", root + kHyo + "\\..\\", SearchOrder(root + "*", true)},
        {kSo + kSo, root + kHyo + "\\..\\" + kSo + kSo + "\\", SearchOrder(root + kSo + kSo + "\\*", true)},
    };
    const std::string last = Drive(root, [&](HWND window, HWND field, HWND list) {
        EXPECT_EQ(ListItems(list), Items{}) << "showing the first path fills nothing";
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
    });
    EXPECT_EQ(last, cases[2].field) << "the editor keeps the path picked last";
}

}  // namespace
}  // namespace zavo

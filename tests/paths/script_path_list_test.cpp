// The shared path list in the script editor's form: bare names, a commit on double clicks only,
// the focus back to the field. Driven on the editor's own layout, on real folders.
#include <gtest/gtest.h>

#include <algorithm>

#include "paths/path_picker.h"
#include "resources/resource_ids.h"
#include "resources/script_dialog_ids.h"
#include "tests/paths/path_tree.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;
using Items = std::vector<std::string>;

const std::string kHyo = "表";   // second byte 0x5C
const std::string kSo = "ソ";    // second byte 0x5C

// The path field and its list on the script editor's layout, wired the way the editor wires them.
class PathListProbe : public win::Dialog {
public:
    explicit PathListProbe(std::string path) : win::Dialog(IDD_SCRIPT), path_(std::move(path)) {}

protected:
    bool OnInit() override {
        UpdateFields(win::Direction::ToControls);
        return true;
    }
    bool OnCommand(int id, int code, HWND) override { return pathList_.Route(id, code); }

private:
    void Exchange(win::DataExchange& dx) override {
        dx.Text(IDC_SCRIPT_PATH, path_);
        dx.ListSelection(IDC_SCRIPT_PATH_LIST, selection_);
    }

    std::string path_, selection_;
    paths::PathList pathList_{*this, IDC_SCRIPT_PATH, IDC_SCRIPT_PATH_LIST, path_, selection_, nullptr,
                              paths::kScriptEditorPathList};
};

Items Bare(const Items& entries) {
    Items names;
    for (std::string entry : entries) {
        if (!entry.empty() && entry.back() == '\\') entry.pop_back();
        names.push_back(entry);
    }
    return names;
}

// A person clicks behind the text before typing on.
void TypeAtEnd(HWND field, const std::string& text) {
    int end = GetWindowTextLengthA(field);
    SendMessageA(field, EM_SETSEL, end, end);
    Type(field, text);
}

int IndexOf(HWND list, const std::string& entry) {
    Items all = ListItems(list);
    auto it = std::find(all.begin(), all.end(), entry);
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

TEST(ScriptPathList, DoubleClickOnAFolderGivesItsSeparatorAndFocusesTheField) {
    Scratch scratch;
    const std::string root = MakeTree(scratch, {kHyo, kSo + kSo}, {kHyo + "\\RUN.ZAV", "A.ZAV"});
    PathListProbe dialog(root);
    RunDriven(dialog, [&](HWND window) {
        HWND field = GetDlgItem(window, IDC_SCRIPT_PATH);
        HWND list = GetDlgItem(window, IDC_SCRIPT_PATH_LIST);
        EXPECT_EQ(ListItems(list), Items{}) << "showing the first path fills nothing";

        TypeAtEnd(field, "*");
        EXPECT_EQ(ListItems(list), Bare(SearchOrder(root + "*"))) << "bare names, in search order";
        // A name whose last byte is 0x5C still gets its "\": the folder test looks at characters.
        struct Case { std::string pick, field; Items listed; };
        const Case cases[] = {
            {kHyo, root + kHyo + "\\", Bare(SearchOrder(root + kHyo + "\\*"))},
            {"..", root + kHyo + "\\..\\", Bare(SearchOrder(root + "*"))},
            {kSo + kSo, root + kHyo + "\\..\\" + kSo + kSo + "\\", Bare(SearchOrder(root + kSo + kSo + "\\*"))},
        };
        for (const Case& c : cases) {
            Focus(list);
            MouseDoubleClickListItem(list, IndexOf(list, c.pick));
            EXPECT_EQ(TextOf(field), c.field);
            EXPECT_EQ(ListItems(list), c.listed) << c.field;
            EXPECT_EQ(FocusIn(window), field) << "the focus moves to the path field";
            DWORD start = 0, end = 0;
            SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, end);
            // The edit counts its positions in characters, not bytes.
            EXPECT_EQ(end, static_cast<DWORD>(GetWindowTextLengthW(field)));
        }
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
}

TEST(ScriptPathList, LeavingTheListCommitsNothing) {
    Scratch scratch;
    const std::string root = MakeTree(scratch, {}, {"A.ZAV", "B.ZAV"});
    PathListProbe dialog(root);
    RunDriven(dialog, [&](HWND window) {
        HWND field = GetDlgItem(window, IDC_SCRIPT_PATH);
        HWND list = GetDlgItem(window, IDC_SCRIPT_PATH_LIST);
        TypeAtEnd(field, "B");
        EXPECT_EQ(ListItems(list), Items{"B.ZAV"});
        MouseClickListItem(list, 0);
        Focus(GetDlgItem(window, IDC_SCRIPT_COMMENT));
        EXPECT_EQ(TextOf(field), root + "B");
        MouseDoubleClickListItem(list, 0);
        EXPECT_EQ(TextOf(field), root + "B.ZAV");
        Click(GetDlgItem(window, IDC_SCRIPT_CLOSE));
    });
}

}  // namespace
}  // namespace zavo

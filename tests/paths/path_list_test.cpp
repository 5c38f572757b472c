// The main window's two path pickers driven as a person would, on real folders: the archive
// path list under "LZH Path" and the "Base Path" drop-down.
#include <gtest/gtest.h>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/paths/path_tree.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

// The folders among the search's entries, as the drop-down shows them.
Items FolderEntries(const std::string& folderPart, const std::string& pattern) {
    Items entries;
    for (const std::string& entry : SearchOrder(pattern))
        if (entry.back() == '\\') entries.push_back(folderPart + entry);
    return entries;
}

// Pastes the folder part over the whole text as a person would and types the rest key by key.
// One change: clearing first would list the process's current folder on the way.
void Retype(HWND edit, const std::string& pasted, const std::string& typed = "") {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    Paste(edit, pasted);
    Type(edit, typed);
}

// The path field with its list, and the drop-down with its edit.
struct Window {
    Window(HWND dialog) : dialog(dialog) {}
    HWND dialog, field = GetDlgItem(dialog, IDC_LZH_PATH), list = GetDlgItem(dialog, IDC_PATH_LIST),
                 combo = GetDlgItem(dialog, IDC_BASE_PATH), comboEdit = GetWindow(combo, GW_CHILD);
    Items items() const { return ListItems(list); }
    Items dropped() const { return ComboItems(combo); }
    std::string selected() const {
        int index = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
        return index < 0 ? std::string() : items()[static_cast<size_t>(index)];
    }
    void DoubleClick(const std::string& entry) const { MouseDoubleClickListItem(list, IndexOf(items(), entry)); }
};

// The examples' D:\ARC and D:\WORK in one root of the test's own: the archive DATA.LZH, the
// folders DAY, SUB and 表, one more file; WORK with PROJ (DEEP inside), TOOLS, 表, 表X and the
// file A.TXT; beside WORK the folder WOOD and the file WOMBAT.TXT.
class PathList : public ::testing::Test {
protected:
    // A main window over a recording library, handed to `steps` and closed after them.
    void DriveMainWindow(const std::function<void(const Window&)>& steps) {
        ProgramState state;
        MainDialog dialog(engine, state, "zavo.exe");
        RunDriven(dialog, [&](HWND window) { steps(window); Click(GetDlgItem(window, IDC_CLOSE)); });
    }

    Scratch scratch;
    const std::string root = MakeTree(scratch, {"DAY", "SUB", kHyo, "WORK", "WORK\\PROJ", "WORK\\PROJ\\DEEP",
                                                "WORK\\TOOLS", "WORK\\" + kHyo, "WORK\\" + kHyo + "X", "WOOD"},
                                      {"DATA.LZH", "SUB\\INNER.TXT", "OTHER.TXT", "WORK\\A.TXT", "WOMBAT.TXT"});
    const std::string work = root + "WORK\\";
    RecordingEngine engine;
};
using BasePath = PathList;

TEST_F(PathList, TypingListsTheFolderOfTheTextNarrowedByWhatFollowsTheLastSeparator) {
    std::string lowerRoot = root;
    std::transform(lowerRoot.begin(), lowerRoot.end(), lowerRoot.begin(), ::tolower);
    struct Case { std::string pasted, typed; Items expected; };
    const Case cases[] = {
        {lowerRoot, "da", {"DATA.LZH", "DAY\\"}},                // names compared without case
        {root, "*.lzh", {"DATA.LZH"}},                           // typed wildcards take part
        {root, "D?Y", {"DAY\\"}},
        {root, "SUB\\", {".\\", "..\\", "INNER.TXT"}},
        {root, kHyo, {kHyo + "\\"}},                             // 表 is no separator
        {root, "NOPE\\", {}},                                    // a folder that does not exist
    };
    DriveMainWindow([&](const Window& w) {
        for (const Case& c : cases) {
            Retype(w.field, c.pasted, c.typed);
            EXPECT_EQ(Sorted(w.items()), Sorted(c.expected)) << c.typed;
            EXPECT_EQ(w.selected(), "") << c.typed;
        }
        // Every entry, in the order of the search, the folder's own entries included.
        Retype(w.field, root);
        EXPECT_EQ(w.items(), SearchOrder(root + "*"));
    });
}

TEST_F(PathList, DoubleClickDescendsIntoAFolderGoesBackUpAndCompletesAnArchivesPath) {
    DriveMainWindow([&](const Window& w) {
        // The field's text with the caret behind it, the list's entries and its selection.
        const auto expect = [&](const std::string& field, const Items& items, const std::string& selected) {
            EXPECT_EQ(TextOf(w.field), field);
            EXPECT_TRUE(CaretAtEnd(w.field)) << field;
            EXPECT_EQ(w.items(), items) << field;
            EXPECT_EQ(w.selected(), selected) << field;
        };
        Retype(w.field, root);
        w.DoubleClick("SUB\\");
        expect(root + "SUB\\", SearchOrder(root + "SUB\\*"), "");
        w.DoubleClick("..\\");
        expect(root + "SUB\\..\\", SearchOrder(root + "*"), "..\\");
        Retype(w.field, root + "DA");
        w.DoubleClick("DATA.LZH");
        expect(root + "DATA.LZH", {"DATA.LZH"}, "DATA.LZH");
        // "&Extract" takes the focus from the list, which commits the same entry once more.
        Click(GetDlgItem(w.dialog, IDC_EXTRACT));
        EXPECT_EQ(TextOf(w.field), root + "DATA.LZH");
    });
    ASSERT_EQ(engine.CommandLines().size(), 1u);
    EXPECT_NE(engine.CommandLines()[0].find("\"" + root + "DATA.LZH\""), std::string::npos);
}

TEST_F(PathList, LeavingTheListCommitsWhatIsSelected) {
    struct Case { std::string typed, clicked, field; };
    const Case cases[] = {
        {root + "DA", "DAY\\", root + "DAY\\"},
        {root + "DA", "", root},                       // nothing selected: cut to the folder part
    };
    DriveMainWindow([&](const Window& w) {
        for (const Case& c : cases) {
            Retype(w.field, c.typed);
            if (c.clicked.empty()) Focus(w.list);
            else MouseClickListItem(w.list, IndexOf(w.items(), c.clicked));
            EXPECT_EQ(TextOf(w.field), c.typed) << "a single click commits nothing";
            Focus(GetDlgItem(w.dialog, IDC_OTHER_OPTION));
            EXPECT_EQ(TextOf(w.field), c.field) << c.typed;
            EXPECT_EQ(Sorted(w.items()), Sorted(SearchOrder(c.field + "*"))) << c.typed;
        }
    });
}

TEST_F(PathList, SwitchOffHidesTheListAndBt9SwitchesItOnAgain) {
    DriveMainWindow([&](const Window& w) {
        Retype(w.field, root);
        Click(GetDlgItem(w.dialog, IDC_ENABLE_PATH_LIST));
        EXPECT_FALSE(IsShown(w.dialog, IDC_PATH_LIST));
        EXPECT_EQ(w.items(), Items{});
        EXPECT_TRUE(IsShown(w.dialog, IDC_SHOW_PATH_LIST));
        EXPECT_TRUE(IsEnabled(w.dialog, IDC_SHOW_PATH_LIST));
        Type(w.field, "DA");
        EXPECT_EQ(w.items(), Items{}) << "typing with the switch off fills nothing";

        Click(GetDlgItem(w.dialog, IDC_SHOW_PATH_LIST));   // the picture button in the list's place
        EXPECT_TRUE(IsChecked(w.dialog, IDC_ENABLE_PATH_LIST));
        EXPECT_FALSE(IsShown(w.dialog, IDC_SHOW_PATH_LIST));
        EXPECT_FALSE(IsEnabled(w.dialog, IDC_SHOW_PATH_LIST));
        EXPECT_TRUE(IsShown(w.dialog, IDC_PATH_LIST));
        EXPECT_EQ(Sorted(w.items()), Sorted({"DATA.LZH", "DAY\\"}));
    });
}

TEST_F(BasePath, DropDownListsTheMatchingFoldersAndEmptiesTheText) {
    struct Case { std::string pasted, typed; Items expected; };
    const Case cases[] = {
        {work, "", FolderEntries(work, work + "*")},          // self and parent included, A.TXT not
        {root, "wo", {root + "WOOD\\", root + "WORK\\"}},    // prefix without case; no file
        {work, kHyo, {work + kHyo + "\\", work + kHyo + "X\\"}},   // 表 is no separator
        {work + std::string(600, 'a'), "", {}},                // beyond 511 bytes: found nothing
        {"", "", FolderEntries("", work + "*")},              // empty: the current folder
    };
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(work.c_str());
    DriveMainWindow([&](const Window& w) {
        for (const Case& c : cases) {
            Retype(w.comboEdit, c.pasted, c.typed);
            DropDown(w.combo);
            EXPECT_EQ(Sorted(w.dropped()), Sorted(c.expected)) << c.pasted << c.typed;
            EXPECT_EQ(TextOf(w.combo), "") << c.pasted << c.typed;
            CloseDropDown(w.combo);
            EXPECT_EQ(TextOf(w.combo), "") << "closing without a pick leaves the text empty";
        }
    });
    SetCurrentDirectoryA(previous);
}

TEST_F(BasePath, EachPickWalksOneLevelDown) {
    DriveMainWindow([&](const Window& w) {
        Retype(w.comboEdit, work);
        DropDown(w.combo);
        PickDroppedItem(w.combo, IndexOf(w.dropped(), work + "PROJ\\"));
        EXPECT_EQ(TextOf(w.combo), work + "PROJ\\");
        // The combo box selects all on closing; the caret is put behind the text after that.
        EXPECT_TRUE(WaitUntil([&] { return CaretAtEnd(w.comboEdit); }, std::chrono::seconds(2)));
        DropDown(w.combo);
        EXPECT_EQ(w.dropped(), FolderEntries(work + "PROJ\\", work + "PROJ\\*")) << "the folders in search order";
        PickDroppedItem(w.combo, IndexOf(w.dropped(), work + "PROJ\\DEEP\\"));
        EXPECT_EQ(TextOf(w.combo), work + "PROJ\\DEEP\\");
    });
}

}  // namespace
}  // namespace zavo

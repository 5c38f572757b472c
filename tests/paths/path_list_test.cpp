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

// D:\ARC of the examples: the archive DATA.LZH, the folders DAY and SUB, one more file; and
// `folders` besides. Returns the root.
std::string MakeArcTree(const Scratch& scratch, std::vector<std::string> folders = {}) {
    folders.insert(folders.begin(), {"DAY", "SUB"});
    return MakeTree(scratch, folders, {"DATA.LZH", "SUB\\INNER.TXT", "OTHER.TXT"});
}

// D:\WORK of the examples: the folders PROJ (with DEEP inside) and TOOLS, the file A.TXT; beside
// WORK the folder WOOD and the file WOMBAT.TXT.
std::string MakeWorkTree(const Scratch& scratch, std::vector<std::string> folders = {}) {
    folders.insert(folders.begin(), {"WORK", "WORK\\PROJ", "WORK\\PROJ\\DEEP", "WORK\\TOOLS", "WOOD"});
    return MakeTree(scratch, folders, {"WORK\\A.TXT", "WOMBAT.TXT"});
}

// The folders among the search's entries, as the drop-down shows them.
Items FolderEntries(const std::string& folderPart, const std::string& pattern) {
    Items entries;
    for (const std::string& entry : SearchOrder(pattern)) {
        if (entry.back() == '\\') entries.push_back(folderPart + entry);
    }
    return entries;
}

// A main window over a recording library (or `engine`), handed to `steps` and closed after them.
void DriveMainWindow(const std::function<void(HWND)>& steps, RecordingEngine* engine = nullptr) {
    RecordingEngine local;
    ProgramState state;
    MainDialog dialog(engine ? *engine : local, state, "zavo.exe");
    RunDriven(dialog, [&](HWND window) {
        steps(window);
        Click(GetDlgItem(window, IDC_CLOSE));
    });
}

// The path field with its list, and the drop-down with its edit.
struct Window {
    Window(HWND dialog) : dialog(dialog) {}
    HWND dialog;
    HWND field() const { return GetDlgItem(dialog, IDC_LZH_PATH); }
    HWND list() const { return GetDlgItem(dialog, IDC_PATH_LIST); }
    HWND combo() const { return GetDlgItem(dialog, IDC_BASE_PATH); }
    HWND comboEdit() const { return GetWindow(combo(), GW_CHILD); }
    Items items() const { return ListItems(list()); }
    Items dropped() const { return ComboItems(combo()); }
    std::string selected() const {
        int index = static_cast<int>(SendMessageA(list(), LB_GETCURSEL, 0, 0));
        return index < 0 ? std::string() : items()[static_cast<size_t>(index)];
    }
    void DoubleClick(const std::string& entry) const { MouseDoubleClickListItem(list(), IndexOf(items(), entry)); }
    void Pick(const std::string& entry) const { PickDroppedItem(combo(), IndexOf(dropped(), entry)); }
    // Pastes the folder part over the whole text as a person would and types the rest key by
    // key. One change: clearing first would list the process's current folder on the way.
    static void Retype(HWND edit, const std::string& pasted, const std::string& typed = "") {
        SendMessageA(edit, EM_SETSEL, 0, -1);
        Paste(edit, pasted);
        Type(edit, typed);
    }
    void Retype(const std::string& pasted, const std::string& typed = "") const { Retype(field(), pasted, typed); }
};

TEST(PathList, TypingListsTheFolderOfTheTextNarrowedByWhatFollowsTheLastSeparator) {
    Scratch scratch;
    const std::string root = MakeArcTree(scratch, {kHyo});
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
            w.Retype(c.pasted, c.typed);
            EXPECT_EQ(Sorted(w.items()), Sorted(c.expected)) << c.typed;
            EXPECT_EQ(w.selected(), "") << c.typed;
        }
        // Every entry, in the order of the search, the folder's own entries included.
        w.Retype(root);
        EXPECT_EQ(w.items(), SearchOrder(root + "*"));
    });
}

TEST(PathList, DoubleClickDescendsIntoAFolderGoesBackUpAndCompletesAnArchivesPath) {
    Scratch scratch;
    const std::string root = MakeArcTree(scratch);
    RecordingEngine engine;
    DriveMainWindow([&](const Window& w) {
        w.Retype(root);
        w.DoubleClick("SUB\\");
        EXPECT_EQ(TextOf(w.field()), root + "SUB\\");
        EXPECT_TRUE(CaretAtEnd(w.field()));
        EXPECT_EQ(w.items(), SearchOrder(root + "SUB\\*"));
        EXPECT_EQ(w.selected(), "");
        w.DoubleClick("..\\");
        EXPECT_EQ(TextOf(w.field()), root + "SUB\\..\\");
        EXPECT_EQ(w.items(), SearchOrder(root + "*"));
        EXPECT_EQ(w.selected(), "..\\");

        w.Retype(root + "DA");
        w.DoubleClick("DATA.LZH");
        EXPECT_EQ(TextOf(w.field()), root + "DATA.LZH");
        EXPECT_TRUE(CaretAtEnd(w.field()));
        EXPECT_EQ(w.items(), Items{"DATA.LZH"});
        EXPECT_EQ(w.selected(), "DATA.LZH");
        // "&Extract" takes the focus from the list, which commits the same entry once more.
        Click(GetDlgItem(w.dialog, IDC_EXTRACT));
        EXPECT_EQ(TextOf(w.field()), root + "DATA.LZH");
    }, &engine);
    ASSERT_EQ(engine.CommandLines().size(), 1u);
    EXPECT_NE(engine.CommandLines()[0].find("\"" + root + "DATA.LZH\""), std::string::npos);
}

TEST(PathList, LeavingTheListCommitsWhatIsSelected) {
    Scratch scratch;
    const std::string root = MakeArcTree(scratch);
    struct Case { std::string typed, clicked, field; };
    const Case cases[] = {
        {root + "DA", "DAY\\", root + "DAY\\"},
        {root + "DA", "", root},                       // nothing selected: cut to the folder part
    };
    DriveMainWindow([&](const Window& w) {
        for (const Case& c : cases) {
            w.Retype(c.typed);
            if (c.clicked.empty()) Focus(w.list());
            else MouseClickListItem(w.list(), IndexOf(w.items(), c.clicked));
            EXPECT_EQ(TextOf(w.field()), c.typed) << "a single click commits nothing";
            Focus(GetDlgItem(w.dialog, IDC_OTHER_OPTION));
            EXPECT_EQ(TextOf(w.field()), c.field) << c.typed;
            EXPECT_EQ(Sorted(w.items()), Sorted(SearchOrder(c.field + "*"))) << c.typed;
        }
    });
}

TEST(PathList, SwitchOffHidesTheListAndBt9SwitchesItOnAgain) {
    Scratch scratch;
    const std::string root = MakeArcTree(scratch);
    DriveMainWindow([&](const Window& w) {
        HWND bt9 = GetDlgItem(w.dialog, IDC_SHOW_PATH_LIST);
        w.Retype(root);
        Click(GetDlgItem(w.dialog, IDC_ENABLE_PATH_LIST));
        EXPECT_FALSE(IsShown(w.dialog, IDC_PATH_LIST));
        EXPECT_EQ(w.items(), Items{});
        EXPECT_TRUE(IsShown(w.dialog, IDC_SHOW_PATH_LIST));
        EXPECT_TRUE(IsEnabled(w.dialog, IDC_SHOW_PATH_LIST));
        Type(w.field(), "DA");
        EXPECT_EQ(w.items(), Items{}) << "typing with the switch off fills nothing";

        Click(bt9);
        EXPECT_TRUE(IsChecked(w.dialog, IDC_ENABLE_PATH_LIST));
        EXPECT_FALSE(IsShown(w.dialog, IDC_SHOW_PATH_LIST));
        EXPECT_FALSE(IsEnabled(w.dialog, IDC_SHOW_PATH_LIST));
        EXPECT_TRUE(IsShown(w.dialog, IDC_PATH_LIST));
        EXPECT_EQ(Sorted(w.items()), Sorted({"DATA.LZH", "DAY\\"}));
    });
}

TEST(BasePath, DropDownListsTheMatchingFoldersAndEmptiesTheText) {
    Scratch scratch;
    const std::string root = MakeWorkTree(scratch, {"WORK\\" + kHyo, "WORK\\" + kHyo + "X"}), work = root + "WORK\\";
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
            Window::Retype(w.comboEdit(), c.pasted, c.typed);
            DropDown(w.combo());
            EXPECT_EQ(Sorted(w.dropped()), Sorted(c.expected)) << c.pasted << c.typed;
            EXPECT_EQ(TextOf(w.combo()), "") << c.pasted << c.typed;
            CloseDropDown(w.combo());
            EXPECT_EQ(TextOf(w.combo()), "") << "closing without a pick leaves the text empty";
        }
    });
    SetCurrentDirectoryA(previous);
}

TEST(BasePath, EachPickWalksOneLevelDown) {
    Scratch scratch;
    const std::string work = MakeWorkTree(scratch) + "WORK\\";
    DriveMainWindow([&](const Window& w) {
        Window::Retype(w.comboEdit(), work);
        DropDown(w.combo());
        w.Pick(work + "PROJ\\");
        EXPECT_EQ(TextOf(w.combo()), work + "PROJ\\");
        // The combo box selects all on closing; the caret is put behind the text after that.
        EXPECT_TRUE(WaitUntil([&] { return CaretAtEnd(w.comboEdit()); }, std::chrono::seconds(2)));
        DropDown(w.combo());
        EXPECT_EQ(w.dropped(), FolderEntries(work + "PROJ\\", work + "PROJ\\*")) << "the folders in search order";
        w.Pick(work + "PROJ\\DEEP\\");
        EXPECT_EQ(TextOf(w.combo()), work + "PROJ\\DEEP\\");
    });
}

}  // namespace
}  // namespace zavo

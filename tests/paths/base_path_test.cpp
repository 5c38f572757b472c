// The "Base Path" drop-down, driven as a person would, on real folders.
#include <gtest/gtest.h>

#include "tests/paths/path_tree.h"

namespace zavo {
namespace {

using namespace zavo::testing;

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

struct Window {
    Window(HWND dialog) : dialog(dialog) {}
    HWND dialog;
    HWND combo() const { return GetDlgItem(dialog, IDC_BASE_PATH); }
    HWND edit() const { return GetWindow(combo(), GW_CHILD); }   // the drop-down combo box's own edit
    std::string text() const { return TextOf(combo()); }
    Items items() const { return ComboItems(combo()); }
    void Pick(const std::string& entry) const { PickDroppedItem(combo(), IndexOf(items(), entry)); }
    // Pastes the folder part as a person would and types the rest.
    void Retype(const std::string& pasted, const std::string& typed = "") const {
        ClearEdit(edit());
        Paste(edit(), pasted);
        Type(edit(), typed);
    }
};

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
            w.Retype(c.pasted, c.typed);
            DropDown(w.combo());
            EXPECT_EQ(Sorted(w.items()), Sorted(c.expected)) << c.pasted << c.typed;
            EXPECT_EQ(w.text(), "") << c.pasted << c.typed;
            CloseDropDown(w.combo());
            EXPECT_EQ(w.text(), "") << "closing without a pick leaves the text empty";
        }
    });
    SetCurrentDirectoryA(previous);
}

TEST(BasePath, EachPickWalksOneLevelDown) {
    Scratch scratch;
    const std::string work = MakeWorkTree(scratch) + "WORK\\";
    DriveMainWindow([&](const Window& w) {
        w.Retype(work);
        DropDown(w.combo());
        w.Pick(work + "PROJ\\");
        EXPECT_EQ(w.text(), work + "PROJ\\");
        // The combo box selects all on closing; the caret is put behind the text after that.
        EXPECT_TRUE(WaitUntil([&] { return CaretAtEnd(w.edit()); }, std::chrono::seconds(2)));
        DropDown(w.combo());
        EXPECT_EQ(w.items(), FolderEntries(work + "PROJ\\", work + "PROJ\\*")) << "the folders in search order";
        w.Pick(work + "PROJ\\DEEP\\");
        EXPECT_EQ(w.text(), work + "PROJ\\DEEP\\");
    });
}

}  // namespace
}  // namespace zavo

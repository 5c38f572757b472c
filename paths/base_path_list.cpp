// The base path drop-down's list: folders only, as full paths, in the order of the search.
#include "paths/base_path_list.h"

#include "paths/folder_search.h"
#include "paths/path_rules.h"
#include "text/cp932.h"
#include "win/controls.h"

namespace zavo::paths {

void FillBasePathList(HWND dialog, int comboId, std::string& basePath,
                      const std::function<void(win::Direction)>& exchange) {
    exchange(win::Direction::ToFields);
    const std::string typed = basePath;
    win::ComboBox combo(dialog, comboId);
    // Emptying the list empties the text too; the fields follow it.
    combo.Reset();
    exchange(win::Direction::ToFields);
    const std::string folderPart = cp932::FolderPart(typed);
    std::vector<FolderEntry> found = SearchFolder(ListingPattern(typed));
    if (found.empty()) return;
    for (const FolderEntry& entry : found) {
        if (entry.isFolder) combo.Append(BasePathEntry(folderPart, entry.name));
    }
    exchange(win::Direction::ToControls);
}

void PutComboCaretAtEnd(HWND dialog, int comboId) {
    // The combo box itself selects the whole text after it has reported the close (and after
    // a pick has put the entry's text in): posted, the two steps come after that.
    HWND combo = GetDlgItem(dialog, comboId);
    PostMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    PostMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}

}  // namespace zavo::paths

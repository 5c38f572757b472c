// The path list that follows a path field: refill from a folder search, commit of a pick.
#include "paths/path_picker.h"

#include "paths/folder_search.h"
#include "paths/path_rules.h"
#include "text/cp932.h"
#include "win/controls.h"

namespace zavo::paths {
namespace {

// A list box that does not redraw or recompute its scroll bar while it is refilled: thousands
// of entries are otherwise drawn one by one, which costs far more than the search itself.
class RedrawPause {
public:
    explicit RedrawPause(const win::ListBox& list) : list_(list) { list_.SetRedraw(false); }
    ~RedrawPause() {
        list_.SetRedraw(true);
        InvalidateRect(list_.Handle(), nullptr, TRUE);
    }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    const win::ListBox& list_;
};

void FillList(const win::ListBox& list, const std::vector<FolderEntry>& found, bool markFolders) {
    size_t bytes = 0;
    for (const FolderEntry& entry : found) bytes += entry.name.size() + 2;
    // One allocation for all entries instead of one growth step per insertion.
    SendMessageA(list.Handle(), LB_INITSTORAGE, found.size(), static_cast<LPARAM>(bytes));
    // A name goes in as it is; only a marked folder needs a string of its own.
    for (const FolderEntry& entry : found) {
        if (entry.isFolder && markFolders) list.Append(PathListEntry(entry.name, true, true));
        else list.Append(entry.name);
    }
}

}  // namespace

bool PathList::Route(int id, int code) {
    if (id == fieldId_) {
        if (code == EN_CHANGE) Refill();
        return true;
    }
    if (id != listId_) return false;
    if (code == LBN_DBLCLK || (code == LBN_KILLFOCUS && style_.commitOnFocusLoss)) Commit();
    return true;
}

void PathList::Refill() {
    dialog_.UpdateFields(win::Direction::ToFields);
    win::ListBox list(dialog_.Handle(), listId_);
    {
        RedrawPause pause(list);
        list.Reset();
        if (listingOn_ && !*listingOn_) return;
        std::vector<FolderEntry> found = SearchFolder(ListingPattern(pathText_));
        if (found.empty()) return;  // nothing found: the list stays empty, no write-back
        FillList(list, found, style_.markFolders);
    }
    // Keeps the picked entry selected while the new list still holds it (LB_SELECTSTRING).
    dialog_.UpdateFields(win::Direction::ToControls);
}

void PathList::Commit() {
    dialog_.UpdateFields(win::Direction::ToFields);
    std::string path = ComposePickedPath(pathText_, selectedText_);
    if (!cp932::EndsWithFolderMark(path) && IsFolderPath(path)) path += '\\';
    pathText_ = path;
    dialog_.UpdateFields(win::Direction::ToControls);
    Refill();
    win::Edit field(dialog_.Handle(), fieldId_);
    if (style_.focusFieldAfterCommit) field.Focus();
    field.MoveCaretToEnd();
}

}  // namespace zavo::paths

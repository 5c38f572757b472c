// One implementation of the path list that follows a path field: listing, picking, folder test.
//
// Both windows with such a list use it: the main window ("LZH Path" with its path list) and the
// script editor ("Script File Path" with the list under it). A dialog makes one PathList over its
// pair of controls and the fields exchanged with them, and hands it every notification:
//
//     paths::PathList pathList_{*this, IDC_SCRIPT_PATH, IDC_SCRIPT_PATH_LIST, fields_.path,
//                               fields_.listSelection, nullptr, paths::kScriptEditorPathList};
//     OnCommand:  if (pathList_.Route(id, code)) return true;
//
// The list runs the dialog's whole data exchange (UpdateFields, which suppresses notifications),
// so the write-back of a refill or commit never counts as a change of the path text. The refill
// reads the fields first and writes them back only when the search found something; the commit
// reads, composes the picked path, writes back, refills, optionally focuses the field, and puts
// the caret after the path's last character.
#pragma once

#include <string>

#include "win/dialog.h"

namespace zavo::paths {

// How the two windows differ.
struct PathListStyle {
    bool markFolders;            // folder entries carry a "\" behind their names
    bool commitOnFocusLoss;      // leaving the list commits its selection, not only a double click
    bool focusFieldAfterCommit;  // the keyboard focus moves to the path field after a commit
};

inline constexpr PathListStyle kMainWindowPathList{true, true, false};
inline constexpr PathListStyle kScriptEditorPathList{false, false, true};

class PathList {
public:
    // `pathText` and `selectedText` are the dialog's fields exchanged with the path edit and the
    // list box, `listingOn` its on/off switch field (null when the dialog has no switch).
    PathList(win::Dialog& dialog, int fieldId, int listId, std::string& pathText, std::string& selectedText,
             const bool* listingOn, PathListStyle style)
        : dialog_(dialog), fieldId_(fieldId), listId_(listId), pathText_(pathText), selectedText_(selectedText),
          listingOn_(listingOn), style_(style) {}

    // Takes a notification of the dialog's controls: a change of the path text (made by the user)
    // refills, a double click on the list commits, and so does the loss of the list's focus when
    // the style says so. True when `id` is the path edit or the list, whatever the notification.
    bool Route(int id, int code);

    // Rebuilds the list from the folder search of the path text followed by "*". With the switch
    // off the list is only emptied.
    void Refill();

    // Puts the selected entry into the path text, in place of the text after its last separator;
    // a folder gets its "\" when the entry has none.
    void Commit();

private:
    win::Dialog& dialog_;
    int fieldId_;
    int listId_;
    std::string& pathText_;
    std::string& selectedText_;
    const bool* listingOn_;
    PathListStyle style_;
};

}  // namespace zavo::paths

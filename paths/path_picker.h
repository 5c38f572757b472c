// One implementation of the path list that follows a path field: listing, picking, folder test.
//
// Both windows with such a list use it: the main window ("LZH Path" with its path list) and the
// script editor ("Script File Path" with the list under it). A dialog describes its pair of
// controls once in a PathListBinding and calls the free functions from its handlers:
//
//     paths::PathListBinding binding{Handle(), IDC_SCRIPT_PATH, IDC_SCRIPT_PATH_LIST,
//                                    &fields_.path, &fields_.listSelection, nullptr,
//                                    [this](win::Direction d) { UpdateFields(d); },
//                                    paths::kScriptEditorPathList};
//     EN_CHANGE of the path edit (made by the user)  -> paths::RefillPathList(binding);
//     any notification of the list box               -> paths::OnPathListNotification(binding, code);
//
// `exchange` must be the dialog's whole data exchange with notifications suppressed, so that the
// write-back of a refill or commit never counts as a change of the path text. The refill reads
// the fields first and writes them back only when the search found something; the commit reads,
// composes the picked path, writes back, refills, optionally focuses the field, and puts the
// caret after the path's last character.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/data_exchange.h"

namespace zavo::paths {

// How the two windows differ.
struct PathListStyle {
    bool markFolders;            // folder entries carry a "\" behind their names
    bool commitOnFocusLoss;      // leaving the list commits its selection, not only a double click
    bool focusFieldAfterCommit;  // the keyboard focus moves to the path field after a commit
};

inline constexpr PathListStyle kMainWindowPathList{true, true, false};
inline constexpr PathListStyle kScriptEditorPathList{false, false, true};

struct PathListBinding {
    HWND dialog;
    int fieldId;                 // the single-line path edit
    int listId;                  // the list box that follows it
    std::string* pathText;       // the dialog's field exchanged with `fieldId`
    std::string* selectedText;   // the dialog's list-selection field exchanged with `listId`
    const bool* listingOn;       // the on/off switch field; null when the dialog has no switch
    std::function<void(win::Direction)> exchange;
    PathListStyle style;
};

// Rebuilds the list from the folder search of the path text followed by "*". With the switch
// off the list is only emptied.
void RefillPathList(const PathListBinding& binding);

// Puts the selected entry into the path text, in place of the text after its last separator;
// a folder gets its "\" when the entry has none.
void CommitPathListEntry(const PathListBinding& binding);

// Routes a notification of the list box: a double click commits, and so does the loss of the
// focus when the style says so. Every other notification changes nothing.
void OnPathListNotification(const PathListBinding& binding, int code);

}  // namespace zavo::paths

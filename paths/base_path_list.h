// The "Base Path" drop-down: its list rebuilt from the subfolders that match the typed text.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win/data_exchange.h"

namespace zavo::paths {

// Run when the list is about to drop down. `basePath` is the dialog's field exchanged with the
// combo box, `exchange` the dialog's whole data exchange with notifications suppressed. Lists
// the full path of every folder that the search for the typed text followed by "*" finds, in the
// order of the search, each with "\" behind it; the text is empty afterwards.
void FillBasePathList(HWND dialog, int comboId, std::string& basePath,
                      const std::function<void(win::Direction)>& exchange);

// Run when the list has closed: the text stays as it is, unselected, the caret after its end.
void PutComboCaretAtEnd(HWND dialog, int comboId);

}  // namespace zavo::paths

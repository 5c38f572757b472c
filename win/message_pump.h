// The step that every message pump outside a modal loop shares.
#pragma once

#include <windows.h>

namespace win {

// Gives a queued message to `dialog`'s keyboard handling (Tab, Enter, Esc) or, when that does not
// take it, translates and dispatches it.
void DispatchToDialog(HWND dialog, MSG& message);

}  // namespace win

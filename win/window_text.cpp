// Window texts without fixed buffers: the length is asked first, so long paths are read whole.
#include "win/window_text.h"

namespace win {

std::string GetText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    // The length is an upper bound for DBCS text; the copy tells the real one.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void SetText(HWND window, const std::string& text) { SetWindowTextA(window, text.c_str()); }

}  // namespace win

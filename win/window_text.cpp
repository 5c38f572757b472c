// Window texts without fixed buffers: the length is asked first, so long paths are read whole.
#include "win/window_text.h"

namespace win {

std::size_t RoomForText(LRESULT length) {
    // The "A" length messages may count characters rather than bytes (Wine does for edit lines
    // and for texts asked across processes); a code page 932 character takes at most two bytes.
    return length > 0 ? 2 * static_cast<std::size_t>(length) + 2 : 2;
}

std::string GetText(HWND window) {
    std::size_t room = RoomForText(GetWindowTextLengthA(window));
    for (;;) {
        std::string text(room, '\0');
        int copied = GetWindowTextA(window, text.data(), static_cast<int>(room));
        if (copied <= 0) return {};
        // A full buffer may mean a text cut short (it grew since the length was asked): retry larger.
        if (static_cast<std::size_t>(copied) + 1 < room) {
            text.resize(static_cast<std::size_t>(copied));
            return text;
        }
        room *= 2;
    }
}

void SetText(HWND window, const std::string& text) { SetWindowTextA(window, text.c_str()); }

std::vector<std::string> SplitCrLfLines(const std::string& text) {
    // CR and LF are never the second byte of a double-byte character: a byte search is safe.
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace win

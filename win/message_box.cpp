// Message boxes with code page 932 texts.
#include "win/message_box.h"

namespace win {

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), style);
}

}  // namespace win

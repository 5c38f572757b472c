// Message boxes with code page 932 texts.
#pragma once

#include <windows.h>

#include <string>

namespace win {

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style);

}  // namespace win

// Reading and writing window texts of any length as code page 932 strings.
#pragma once

#include <windows.h>

#include <string>

namespace win {

std::string GetText(HWND window);
void SetText(HWND window, const std::string& text);

}  // namespace win

// Reading and writing window texts of any length as code page 932 strings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win {

std::string GetText(HWND window);
void SetText(HWND window, const std::string& text);

// Bytes enough for a text whose length a length message (WM_GETTEXTLENGTH, LB_GETTEXTLEN,
// CB_GETLBTEXTLEN, EM_LINELENGTH) gave, whether it counted bytes or characters, with the terminator.
std::size_t RoomForText(LRESULT length);

// The lines of a multi-line edit's text as the control shows them (no word wrap): split at each
// CR LF; a text ending in CR LF has an empty last line.
std::vector<std::string> SplitCrLfLines(const std::string& text);

}  // namespace win

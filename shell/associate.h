// "関連付け": registers the script file type for the running copy of the program.
#pragma once

#include <windows.h>

namespace zavo {

// Writes the file-type entries under HKEY_CLASSES_ROOT and tells the user over `owner` that it
// worked, or which keys could not be written.
void AssociateScriptFiles(HWND owner);

}  // namespace zavo

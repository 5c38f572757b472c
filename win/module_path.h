// The full path of the running program's own file.
#pragma once

#include <string>

namespace win {

// GetModuleFileNameA of the program, with a buffer that grows until the whole path fits, so a
// deep folder never gives a cut-off path. Empty when the call fails.
std::string ProgramPath();

}  // namespace win

// What outlives every handler: the script path the editor opens with. Created before the main
// window, empty at start.
#pragma once

#include <string>

namespace zavo {

struct ProgramState {
    std::string lastScriptPath;
};

}  // namespace zavo

// The program's own path through GetModuleFileNameA.
#include "win/module_path.h"

#include <windows.h>

namespace win {

std::string ProgramPath() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace win

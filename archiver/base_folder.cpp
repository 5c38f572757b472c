// Creating the base folder level by level, walking its characters (a 0x5C trail byte is no level).
#include "archiver/base_folder.h"

#include <windows.h>

#include "archiver/run.h"
#include "text/cp932.h"

namespace unlha {

bool MakeBaseFolder(const std::string& base, std::string& why) {
    if (base.empty()) return true;
    for (std::size_t i = 0; i < base.size(); i += cp932::CharLength(base, i)) {
        if (cp932::CharLength(base, i) != 1 || base[i] != '\\' || i == 0 || base[i - 1] == ':' ||
            (i == 1 && base[0] == '\\'))
            continue;
        const std::string prefix = base.substr(0, i);
        if (GetFileAttributesA(prefix.c_str()) == INVALID_FILE_ATTRIBUTES && !CreateDirectoryA(prefix.c_str(), nullptr)) {
            why = "cannot create the folder " + prefix + ": " + SystemMessage(GetLastError());
            return false;
        }
    }
    return true;
}

}  // namespace unlha

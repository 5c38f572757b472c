// One recall slot's command set-up: the five values kept per slot, named as they are stored.
#pragma once

#include <string>

namespace zavo {

struct ParameterSet {
    std::string lzhPath;
    std::string basePath;
    std::string file;
    std::string chkOpt;    // letter code of the four option boxes (chk_opt.h)
    std::string otherOpt;
};

// The stored value names with their fields, in the order a recording writes them.
struct ParameterValue {
    const char* name;
    std::string ParameterSet::*field;
};

inline constexpr ParameterValue kParameterValues[] = {
    {"LZHPath", &ParameterSet::lzhPath},
    {"BasePath", &ParameterSet::basePath},
    {"File", &ParameterSet::file},
    {"ChkOpt", &ParameterSet::chkOpt},
    {"OtherOpt", &ParameterSet::otherOpt},
};

// Slot keys live under HKEY_CURRENT_USER, one per slot 1 to 3.
inline constexpr const char* kSlotParentPath = "Software\\NEVO\\ZAVO";
std::string SlotKeyName(int slot);   // "S1".."S3"
std::string SlotKeyPath(int slot);   // "Software\NEVO\ZAVO\S1".."S3"

}  // namespace zavo

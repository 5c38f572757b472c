// One recall slot as it is stored: five string values, each the stored form of a part of the
// command values, and the keys of the three slots.
#pragma once

#include <cstddef>
#include <string>

#include "engine/command_values.h"

namespace zavo {

struct SlotValue {
    const char* name;
    std::string (*store)(const CommandValues& values);
    void (*load)(CommandValues& values, const std::string& stored);
};

// "LZHPath", "BasePath", "File", "ChkOpt" (the boxes as letters, chk_opt.h), "OtherOpt", in the
// order a recording writes them. The command is not kept.
inline constexpr std::size_t kSlotValueCount = 5;
extern const SlotValue kSlotValues[kSlotValueCount];

// Slot keys live under HKEY_CURRENT_USER, one per slot 1 to 3.
inline constexpr const char* kSlotParentPath = "Software\\NEVO\\ZAVO";
std::string SlotKeyName(int slot);   // "S1".."S3"
std::string SlotKeyPath(int slot);   // "Software\NEVO\ZAVO\S1".."S3"

}  // namespace zavo

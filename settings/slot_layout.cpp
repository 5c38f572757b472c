// The stored values of a recall slot and the names of the slot keys.
#include "settings/slot_layout.h"

#include "settings/chk_opt.h"

namespace zavo {

const SlotValue kSlotValues[kSlotValueCount] = {
    {"LZHPath", [](const CommandValues& v) { return v.lzhPath; },
     [](CommandValues& v, const std::string& s) { v.lzhPath = s; }},
    {"BasePath", [](const CommandValues& v) { return v.basePath; },
     [](CommandValues& v, const std::string& s) { v.basePath = s; }},
    {"File", [](const CommandValues& v) { return v.fileName; },
     [](CommandValues& v, const std::string& s) { v.fileName = s; }},
    {"ChkOpt", [](const CommandValues& v) { return EncodeChkOpt(v.switches); },
     [](CommandValues& v, const std::string& s) { v.switches = DecodeChkOpt(s); }},
    {"OtherOpt", [](const CommandValues& v) { return v.otherOption; },
     [](CommandValues& v, const std::string& s) { v.otherOption = s; }},
};

std::string SlotKeyName(int slot) { return "S" + std::to_string(slot); }

std::string SlotKeyPath(int slot) { return std::string(kSlotParentPath) + "\\" + SlotKeyName(slot); }

}  // namespace zavo

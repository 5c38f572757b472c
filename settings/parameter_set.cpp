// Names of the recall slot keys.
#include "settings/parameter_set.h"

namespace zavo {

std::string SlotKeyName(int slot) { return "S" + std::to_string(slot); }

std::string SlotKeyPath(int slot) { return std::string(kSlotParentPath) + "\\" + SlotKeyName(slot); }

}  // namespace zavo

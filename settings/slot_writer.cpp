// The all-or-nothing write of one recall slot.
#include "settings/slot_writer.h"

#include <array>

namespace zavo {

const char* WriteSlotValues(SlotValues& slot, const CommandValues& values) {
    std::array<std::optional<StoredValue>, kSlotValueCount> before;
    for (std::size_t i = 0; i < kSlotValueCount; ++i) before[i] = slot.Snapshot(kSlotValues[i].name);

    for (std::size_t i = 0; i < kSlotValueCount; ++i) {
        const SlotValue& value = kSlotValues[i];
        if (slot.SetString(value.name, value.store(values))) continue;
        // Undo in reverse order; if the store refuses that too there is nothing more we can do.
        for (std::size_t j = i; j-- > 0;) slot.Restore(kSlotValues[j].name, before[j]);
        return value.name;
    }
    return nullptr;
}

}  // namespace zavo

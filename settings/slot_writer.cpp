// The all-or-nothing write of one recall slot.
#include "settings/slot_writer.h"

#include <array>

namespace zavo {

const char* WriteParameterSet(SlotValues& slot, const ParameterSet& set) {
    constexpr std::size_t count = std::size(kParameterValues);
    std::array<std::optional<StoredValue>, count> before;
    for (std::size_t i = 0; i < count; ++i) before[i] = slot.Snapshot(kParameterValues[i].name);

    for (std::size_t i = 0; i < count; ++i) {
        const ParameterValue& value = kParameterValues[i];
        if (slot.SetString(value.name, set.*value.field)) continue;
        // Undo in reverse order; if the store refuses that too there is nothing more we can do.
        for (std::size_t j = i; j-- > 0;) slot.Restore(kParameterValues[j].name, before[j]);
        return value.name;
    }
    return nullptr;
}

}  // namespace zavo

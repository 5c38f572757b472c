// Writing one recall slot's values into its open key so that a failure never leaves the slot mixing
// values of two recordings. The key is reached through SlotValues so that the order of the
// writes and their undo do not depend on the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/slot_layout.h"

namespace zavo {

// A value exactly as the store holds it: its type number and its bytes.
struct StoredValue {
    std::uint32_t type = 0;
    std::string bytes;
};

class SlotValues {
public:
    virtual ~SlotValues() = default;
    // The value as it is now, or nothing when it does not exist (or cannot be read).
    virtual std::optional<StoredValue> Snapshot(const char* name) = 0;
    // Stores `text` as a string value whose size is its length, without a terminating NUL.
    virtual bool SetString(const char* name, const std::string& text) = 0;
    // Puts back what Snapshot returned; nothing means the value did not exist before.
    virtual bool Restore(const char* name, const std::optional<StoredValue>& before) = 0;
};

// Sets the five values in their stored order. When one cannot be set, the values set before it
// get their earlier contents back. Returns the name of the value that could not be set, or
// nullptr when all five were written.
const char* WriteSlotValues(SlotValues& slot, const CommandValues& values);

}  // namespace zavo

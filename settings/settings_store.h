// The three recall slots in the current user's settings store.
#pragma once

#include <optional>
#include <string>

#include "engine/command_values.h"

namespace zavo {

// Puts the slot's five values into `values` (the command stays); a value that is missing or not
// a string reads as empty. False, with `values` untouched, when the slot was never recorded
// (its key does not exist).
bool LoadSlot(int slot, CommandValues& values);

// What a recording could not do: the key below HKEY_CURRENT_USER and, when the key was there
// but a value could not be set, that value's name.
struct SaveFailure {
    std::string keyPath;
    std::string valueName;
};

// Creates the slot key as far as it is missing and sets all five values, or none of them.
std::optional<SaveFailure> SaveSlot(int slot, const CommandValues& values);

}  // namespace zavo

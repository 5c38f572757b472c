// The letter code under which the four option boxes are stored in a recall slot ("ChkOpt").
#pragma once

#include <string>
#include <string_view>

#include "engine/command_values.h"

namespace zavo {

// "r" recursive, "x" folder name, "j" newer only, "a" all attributes, for the boxes that are on,
// in that order, without separators.
std::string EncodeChkOpt(const CommandSwitches& switches);

// A box is on exactly when its lower-case letter occurs as a character of its own anywhere in
// the value; the value may have been edited by hand, so order, repeats and other characters
// do not matter, and the trail byte of a double-byte character never counts as a letter.
CommandSwitches DecodeChkOpt(std::string_view value);

}  // namespace zavo

// The folders that extraction writes into, in the program's words: the destination the user
// chose, and the entries' folders below it.
#pragma once

#include <string>
#include <vector>

namespace sfx {

// `destination` with a trailing '\' (unless it ends with ':' or is empty: the current folder).
std::string WithTrailingSeparator(const std::string& destination);

// Creates what is missing of the destination folder, as a person creating it would. `why`
// says what failed (Japanese).
bool MakeDestination(const std::string& destination, std::string& why);

// Creates `folders` below `base` (which ends with a separator); an existing part that is a file
// or a link fails.
bool MakeFoldersBelow(const std::string& base, const std::vector<std::wstring>& folders, std::string& why);

// A system error as the system words it.
std::string SystemMessage(unsigned long error);

}  // namespace sfx

// The folders that extraction writes into: the destination the user chose, and the entries'
// folders below it, which must be real folders all the way (never files, never links).
#pragma once

#include <string>
#include <vector>

namespace sfx {

// `destination` with a trailing '\' (unless it ends with ':' or is empty: the current folder).
std::string WithTrailingSeparator(const std::string& destination);

// Creates what is missing of the destination folder, as a person creating it would. `why`
// says what failed (Japanese).
bool MakeDestination(const std::string& destination, std::string& why);

// Creates `folders` below `base` (which ends with a separator) one by one. An existing part that
// is a file or a link (a link could lead anywhere) fails.
bool MakeEntryFolders(const std::string& base, const std::vector<std::string>& folders, std::string& why);

// The Windows conversion of `relative` must see exactly the separators we joined its `parts`
// with: a double-byte character that converts differently than we walked it is refused.
bool ConvertsAsWalked(const std::string& relative, std::size_t parts);

// A system error as the system words it.
std::string SystemMessage(unsigned long error);

}  // namespace sfx

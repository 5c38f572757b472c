// The folders that extraction writes into, in the program's words: the destination the user
// chose, and the entries' folders below it.
#pragma once

#include <string>
#include <vector>

#include "archiver/make_folders.h"

namespace sfx {

// Creates what is missing of the destination folder, as a person creating it would. `why`
// says what failed (Japanese).
bool MakeDestination(const std::string& destination, std::string& why);

// Why an entry's folders could not be made below the destination.
std::string FolderFailure(const unlha::FolderStop& stop);

// A system error as the system words it.
std::string SystemMessage(unsigned long error);

}  // namespace sfx

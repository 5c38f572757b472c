// Making the folders that extraction writes into, for UNLHA32.DLL and the self-extracting
// program alike: the destination level by level, and the entries' folders below it, which must
// be real folders all the way (never files, never links). Each caller words the failure itself.
#pragma once

#include <string>
#include <vector>

namespace unlha {

// Where making folders stopped: the folder, and the system error (0 when something that is not a
// folder stands in its place).
struct FolderStop {
    std::string path;
    unsigned long error = 0;
};

// Creates what is missing of `base` (empty, or ending in '\\' or ':'), as a person creating it
// would. An existing part that is a file fails; a link the user made is taken as it is.
bool MakeDestinationFolders(const std::string& base, FolderStop& stop);

// Creates `folders` below `base` (which ends with a separator) one by one. An existing part that
// is a file or a link (a link could lead anywhere) fails.
bool MakeEntryFolders(const std::string& base, const std::vector<std::string>& folders, FolderStop& stop);
// The same with the folders' exact names (stop.path then shows them as the code page can).
bool MakeEntryFolders(const std::string& base, const std::vector<std::wstring>& folders, FolderStop& stop);

// The Windows conversion of `relative` must see exactly the separators we joined its `parts`
// with: a double-byte character that converts differently than we walked it is refused.
bool ConvertsAsWalked(const std::string& relative, std::size_t parts);

}  // namespace unlha

// The wildcard search of one folder, and the folder test built on it.
#pragma once

#include <string>
#include <vector>

namespace zavo::paths {

struct FolderEntry {
    std::string name;  // as the file system gives it, without any folder part
    bool isFolder;
};

// Every entry that FindFirstFileA/FindNextFileA yield for `pattern`, in their order. Empty when
// the search finds nothing or fails (no such folder, drive not ready, a path too long).
std::vector<FolderEntry> SearchFolder(const std::string& pattern);

// True when `path` names a folder: a bare drive or drive root by its shape, otherwise when the
// first entry that a search for it finds is a folder.
bool IsFolderPath(const std::string& path);

}  // namespace zavo::paths

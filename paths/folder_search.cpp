// Folder searches through FindFirstFileA/FindNextFileA; the find handle is always closed.
#include "paths/folder_search.h"

#include <windows.h>

#include "paths/path_rules.h"
#include "win/unique_handle.h"

namespace zavo::paths {
namespace {

bool IsFolder(const WIN32_FIND_DATAA& data) { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

}  // namespace

std::vector<FolderEntry> SearchFolder(const std::string& pattern) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data;
    win::UniqueFind find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) return entries;
    do {
        entries.push_back({data.cFileName, IsFolder(data)});
    } while (FindNextFileA(find.Get(), &data));
    return entries;
}

bool IsFolderPath(const std::string& path) {
    switch (ClassifyFolderShape(path)) {
    case FolderShape::Folder: return true;
    case FolderShape::NotFolder: return false;
    case FolderShape::AskFileSystem: break;
    }
    WIN32_FIND_DATAA data;
    win::UniqueFind find(FindFirstFileA(path.c_str(), &data));
    return find && IsFolder(data);
}

}  // namespace zavo::paths

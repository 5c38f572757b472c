// The portable text rules of the path lists, on code page 932 strings.
#include "paths/path_rules.h"

#include "text/cp932.h"

namespace zavo::paths {

std::string ListingPattern(std::string_view typed) {
    std::string pattern(typed);
    pattern += '*';
    return pattern;
}

std::string PathListEntry(std::string_view name, bool isFolder, bool markFolders) {
    std::string entry(name);
    if (isFolder && markFolders) entry += '\\';
    return entry;
}

std::string BasePathEntry(std::string_view folderPart, std::string_view folderName) {
    std::string entry;
    entry.reserve(folderPart.size() + folderName.size() + 1);
    entry.append(folderPart).append(folderName) += '\\';
    return entry;
}

std::string ComposePickedPath(std::string_view typed, std::string_view picked) {
    std::string path = cp932::FolderPart(typed);
    path.append(picked);
    return path;
}

FolderShape ClassifyFolderShape(std::string_view path) {
    // Only the bytes after the first are looked at: any two bytes ending in ":" are a drive.
    if (path.size() == 2 && path[1] == ':') return FolderShape::Folder;
    if (path.size() == 3 && path[1] == ':' && path[2] == '\\') return FolderShape::Folder;
    if (cp932::EndsWithChar(path, '\\')) return FolderShape::NotFolder;
    return FolderShape::AskFileSystem;
}

}  // namespace zavo::paths

// The text rules of the path lists, apart from the window and the file system: search patterns,
// entry texts, the picked path and the shapes of path that are folders without asking the disk.
#pragma once

#include <string>
#include <string_view>

namespace zavo::paths {

// The folder search pattern for a typed path: the text followed by "*", whatever its length.
std::string ListingPattern(std::string_view typed);

// An entry of a path list: the name as the file system gives it, with "\" behind a folder
// when the list marks folders.
std::string PathListEntry(std::string_view name, bool isFolder, bool markFolders);

// An entry of the base path list: the folder part of the typed text, the folder's name, "\".
std::string BasePathEntry(std::string_view folderPart, std::string_view folderName);

// The path after a pick: the typed path cut to its folder part, followed by the picked entry.
std::string ComposePickedPath(std::string_view typed, std::string_view picked);

// What the shape of a path alone says about it being a folder.
enum class FolderShape {
    Folder,        // a bare drive ("D:") or a drive root ("D:\")
    NotFolder,     // ends with a "\": no search finds such a path
    AskFileSystem,
};
FolderShape ClassifyFolderShape(std::string_view path);

}  // namespace zavo::paths

// The path a file is stored under when added: its folders relative to the base folder, without
// drive, root, "." or ".." parts, so that the archive never carries a path that leaves its folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace unlha {

struct StoredPath {
    std::vector<std::string> folders;   // empty without -x1
    std::string name;
    // The exact names, set by the UTF-16 StoredPathFor: one for each folder and the name.
    std::vector<std::u16string> exactFolders;
    std::u16string exactName;
    bool foldersBeyond = false;   // a folder's code page name is only a fallback
    bool nameBeyond = false;      // the name's code page name is only a fallback
};

// The same split of an exact UTF-16 path, by the same rules: the parts only.
struct ExactStoredPath {
    std::vector<std::u16string> folders;
    std::u16string name;
};
ExactStoredPath ExactStoredPathFor(std::u16string_view relativePath, bool keepFolders);

// `relativePath` is the file's path as found under the base folder ("sub\a.txt"), or as the user
// named it ("C:\data\a.txt"). Separators are '\' and '/', found character by character.
StoredPath StoredPathFor(std::string_view relativePath, bool keepFolders);

// The stored path as one string with '\' separators, for output lines and comparisons.
std::string JoinStored(const StoredPath& path);

// Equal as stored names are on Windows: ASCII letters without case, everything else exact.
bool SameStoredName(std::string_view a, std::string_view b);

}  // namespace unlha

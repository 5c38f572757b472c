// The four default values under HKEY_CLASSES_ROOT that register ".ZAV" script files.
#pragma once

#include <string>
#include <vector>

namespace zavo {

struct FileTypeEntry {
    std::string keyPath;  // below HKEY_CLASSES_ROOT
    std::string value;    // the key's default value
};

// In the order they are written. The open command quotes both the program path and "%1", so
// paths with blanks arrive as one argument; the icon value takes the program file's second
// icon and is not quoted.
std::vector<FileTypeEntry> ScriptFileTypeEntries(const std::string& programPath);

}  // namespace zavo

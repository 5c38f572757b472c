// Finding the files that a, u and f add: the file names matched in the base folder (and its
// subfolders with -r1), hidden and system files only with -a1, links never entered; and the
// folders walked on the way, which -x1 stores as folder entries.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace unlha {

// Files are found with the wide functions, so every name is seen as it is; the code page forms
// below are for messages and patterns (characters the code page lacks shown as '_').
struct FoundFile {
    std::wstring diskPath;       // base folder + relative path, exact
    std::wstring relativePath;   // as named below the base folder ("sub\a.txt"; a folder "sub\deeper")
    WIN32_FIND_DATAW data;
    std::string shownPath;       // relativePath in code page names
    bool IsFolder() const { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

struct ScanResult {
    // Files, and with `folders` set the folders walked, each folder before what it holds. A
    // deque, so that they are never copied as more come (a growing vector of these large
    // records touched fresh memory of up to four times their size).
    std::deque<FoundFile> files;
    std::vector<std::string> unmatched;   // file names that found nothing
    // Folders found in a walk that could not be opened (too deep, no access), with the system's
    // error: their files would be missing from the archive without a word.
    std::vector<std::pair<std::string, DWORD>> unreadable;
};

// `base` is empty or ends with '\' or ':'. `exclude` is a full path (the archive) never taken.
// With `folders`, every folder a recursive walk enters is found too (a folder named plainly
// included), so that an empty folder has something to be stored as.
ScanResult ScanFiles(const std::string& base, const std::vector<std::string>& names, bool recurse,
                     bool allAttributes, bool folders, const std::string& exclude);

// The full path of `path` with ASCII letters upper-cased, for comparisons.
std::wstring FullPathKey(const std::wstring& path);

}  // namespace unlha

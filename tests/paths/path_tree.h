// The folders the path-list tests walk, and the order a folder search gives their entries.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace zavo::testing {

using Items = std::vector<std::string>;

const std::string kHyo = "表", kSo = "ソ";   // second bytes 0x5C

inline Items Sorted(Items items) { std::sort(items.begin(), items.end()); return items; }

inline int IndexOf(const Items& items, const std::string& entry) {
    auto it = std::find(items.begin(), items.end(), entry);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// The caret stands behind the whole text; the edit counts its positions in characters, not bytes.
inline bool CaretAtEnd(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end && end == static_cast<DWORD>(GetWindowTextLengthW(edit));
}

// Makes `folders` and empty `files` (relative, "\" between parts) under <scratch>tree\ and
// returns that root with its final "\". The tree lies one level inside the test's own folder,
// so that a walk up through ".." lists only folders that nothing else touches.
inline std::string MakeTree(const Scratch& scratch, const std::vector<std::string>& folders,
                            const std::vector<std::string>& files = {}) {
    const std::string root = scratch / "tree\\";
    CreateDirectoryA(root.c_str(), nullptr);
    for (const std::string& folder : folders) CreateDirectoryA((root + folder).c_str(), nullptr);
    for (const std::string& file : files) WriteBytes(root + file, "");
    return root;
}

// The entries of a folder search, in the order the file system gives them, as a path list
// shows them (folders with "\" behind their names unless `bare`).
inline Items SearchOrder(const std::string& pattern, bool bare = false) {
    Items names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    for (bool found = find != INVALID_HANDLE_VALUE; found; found = FindNextFileA(find, &data))
        names.push_back(data.cFileName +
                        std::string(!bare && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "\\" : ""));
    FindClose(find);
    return names;
}

}  // namespace zavo::testing

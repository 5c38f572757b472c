// A folder tree of real files under Z:\tmp for one test, removed again when the test ends.
#pragma once

#include <windows.h>

#include "tests/support/own_folder.h"

#include <string>
#include <vector>

namespace zavo::testing {

class TempTree {
public:
    // The tree lies one level inside a folder made for this test alone, so that a walk up
    // through ".." lists only folders that nothing else touches, never the shared Z:\tmp.
    TempTree() {
        own_ = test_support::MakeOwnFolder("zavo-paths-");
        root_ = own_ + "tree\\";
        CreateDirectoryA(root_.c_str(), nullptr);
    }
    ~TempTree() { Remove(own_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The root of the tree with its final "\"; its parent belongs to the test as well.
    const std::string& Root() const { return root_; }
    // Relative names in code page 932, with "\" between parts.
    void Folder(const std::string& relative) const { CreateDirectoryA((root_ + relative).c_str(), nullptr); }
    void File(const std::string& relative) const {
        HANDLE h = CreateFileA((root_ + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(folder + name + "\\");
                else DeleteFileA((folder + name).c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string own_;
    std::string root_;
};

// The entries of a folder search, in the order the file system gives them, as a path list
// shows them (folders with "\" behind their names).
inline std::vector<std::string> SearchOrder(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += '\\';
        names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

}  // namespace zavo::testing

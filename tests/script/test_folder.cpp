// Real files for the Wine tests of the script runs, the recall slots and the registration.
#include "tests/script/test_folder.h"
#include "tests/support/own_folder.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace zavo::testing {
namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

TestFolder::TestFolder() {
    path_ = test_support::MakeOwnFolder("zavo test ");
}

TestFolder::~TestFolder() { RemoveTree(path_); }

void TestFolder::MakeFolder(const std::string& name) const { CreateDirectoryA((path_ + name).c_str(), nullptr); }

void TestFolder::Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ + name, std::ios::binary) << bytes;
}

std::string TestFolder::Bytes(const std::string& name) const {
    std::ifstream in(path_ + name, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

bool TestFolder::Exists(const std::string& name) const {
    return GetFileAttributesA((path_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace zavo::testing

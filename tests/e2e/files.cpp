// Files that the scenarios inspect, and the program installed as a person installs it.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "text/cp932.h"

namespace e2e {

Tree ReadTree(const std::string& folder) {
    Tree tree;
    for (const std::string& path : zavo::testing::Tree(folder + "\\"))
        if (!cp932::EndsWithChar(path, '\\')) tree[path] = ReadBytes(folder + "\\" + path);
    return tree;
}

std::string InstallProgram(const std::string& folder, const std::string& library) {
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string program = folder + "\\zavo.exe";
    EXPECT_TRUE(CopyFileA((BinFolder() + "zavo.exe").c_str(), program.c_str(), FALSE)) << program;
    std::string from = library.empty() ? BinFolder() + "UNLHA32.DLL" : library;
    EXPECT_TRUE(CopyFileA(from.c_str(), (folder + "\\UNLHA32.DLL").c_str(), FALSE)) << from;
    return program;
}

}  // namespace e2e

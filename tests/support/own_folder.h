// A scratch folder that belongs to one test alone: its name is taken only once this process has
// created it, because CreateDirectoryA fails on a folder that exists, whoever made it. Process
// ids alone do not make names unique: Wine runs in other prefixes reuse them on the same /tmp.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace test_support {

// Z:\tmp\<stem><pid>-<tick>-<n>\ , created empty, with its final '\'.
inline std::string MakeOwnFolder(const std::string& stem) {
    static std::atomic<unsigned> counter{0};
    CreateDirectoryA("Z:\\tmp", nullptr);
    for (;;) {
        std::string path = "Z:\\tmp\\" + stem + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount()) + "-" + std::to_string(++counter) + "\\";
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return path;   // the test fails on its first file
    }
}

}  // namespace test_support

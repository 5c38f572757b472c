// Helpers of the self-extracting program's tests: archives of hand-built members and the built
// ZAVOSFX.EXE, beside the shared scratch folders, files and child processes.
#pragma once

#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "text/cp932.h"

namespace sfx_test {

using namespace zavo::testing;

// One file or folder (path ends with '\') for ArchiveOf.
struct Item {
    std::string path;      // '\'-separated, code page 932
    std::string content;
};
// An archive of stored members (level 0, -lh0-), all stamped alike. The program's decoding of
// compressed members and of level 1 and 2 headers: the library's Unicode test, through s.
inline std::string ArchiveOf(const std::vector<Item>& items) {
    std::string bytes;
    for (const Item& item : items) bytes += Level0Member(item.path, item.content, cp932::EndsWithChar(item.path, '\\') ? "-lhd-" : "-lh0-");
    return bytes + '\0';
}

// The bytes of the built self-extracting program (ZAVOSFX.EXE beside the test program).
inline std::string StubBytes() { return ReadBytes(BinFolder() + "ZAVOSFX.EXE"); }

}  // namespace sfx_test

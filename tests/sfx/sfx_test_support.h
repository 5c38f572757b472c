// Helpers of the self-extracting program's tests: archives written by our writer and the built
// ZAVOSFX.EXE, beside the shared scratch folders, files and child processes.
#pragma once

#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace sfx_test {

using namespace zavo::testing;

// One file or folder (path ends with '\') for ArchiveOf.
struct Item {
    std::string path;      // '\'-separated, code page 932
    std::string content;
};
// An archive made by our writer (header level 2, -lh5-).
std::string ArchiveOf(const std::vector<Item>& items);

// The bytes of the built self-extracting program (ZAVOSFX.EXE beside the test program).
inline std::string StubBytes() { return ReadBytes(BinFolder() + "ZAVOSFX.EXE"); }

// Runs `program` with `arguments`: its exit code (STILL_ACTIVE, 259, when it did not end).
inline int RunProgram(const std::string& program, const std::string& arguments) {
    return static_cast<int>(RunToEnd("\"" + program + "\" " + arguments));
}

}  // namespace sfx_test

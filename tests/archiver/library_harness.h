// Helpers of the library's Wine tests: the two exports as zavo.exe binds them, and the shared
// scratch folders, files and hand-built members.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

extern "C" {
int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize);
int WINAPI Unlha32IsBusy();
}

namespace unlha_test {

struct Outcome {
    int code = -1;
    std::string text;
    bool wroteBeyondSize = false;   // the byte after the given size was touched
};

// One call with the front end's buffer: 65,536 bytes, 65,535 given as its size. The library
// speaks English (-le) unless the line names a language itself.
Outcome Unlha(const std::string& commandLine, HWND owner = nullptr);

using namespace zavo::testing;   // scratch folders, files and hand-built members

// Lines of `text` that contain `needle`.
std::size_t CountLines(const std::string& text, const std::string& needle);
// What of the outcome differs: its code other than `code`, a part of `expected` its output lacks,
// a part of `absent` it has; with the whole output after it, "" when all is as expected.
std::string Missing(const Outcome& o, int code, const std::vector<std::string>& expected,
                    const std::vector<std::string>& absent = {});

std::string Quoted(const std::string& path);
// `chars` characters of 表, ソ and 能, in turn: each one's second byte is 0x5C.
std::string JapaneseName(std::size_t chars);

// One call with the library's message box answered: `shown` gets its text ("" when none came).
Outcome UnlhaAnsweringBox(const std::string& commandLine, std::string& shown);

}  // namespace unlha_test

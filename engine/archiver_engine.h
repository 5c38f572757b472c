// The only way to the archiver library: its two calls, behind an interface so that tests can
// put a recording double in the library's place.
#pragma once

#include <windows.h>

namespace zavo {

class ArchiverEngine {
public:
    virtual ~ArchiverEngine() = default;
    // 0 is success, and `output` then holds zero-terminated text; any other value is failure.
    virtual int RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize) = 0;
    // Nonzero while the library is busy.
    virtual int IsBusy() = 0;
};

// The library itself: UNLHA32.DLL, bound when the program loads, reached by ordinals 1 and 10.
ArchiverEngine& LibraryEngine();

}  // namespace zavo

// A library call timed from inside the process, for the benchmarks that run under Wine: timing
// the whole program would count Wine's start-up, which dwarfs a small run.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

extern "C" int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize);

namespace bench {

inline double Now() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) / double(f.QuadPart);
}

// Seconds of one library call with an output buffer of `outputBytes`; -1 when it failed (the
// command and the start of its output go to stderr).
inline double TimedCall(const std::string& command, std::size_t outputBytes) {
    std::vector<char> output(outputBytes);
    const double start = Now();
    const int code = Unlha32RunCommand(nullptr, command.c_str(), output.data(), static_cast<DWORD>(output.size()));
    const double seconds = Now() - start;
    if (code != 0) std::fprintf(stderr, "failed (%d): %s\n%.2000s\n", code, command.c_str(), output.data());
    return code == 0 ? seconds : -1;
}

}  // namespace bench

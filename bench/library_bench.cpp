// The library's own figures under Wine: one `a` over a folder (every file of it in one archive) and
// one `t` of that archive, timed inside this process around the library call, for -lh5- and -lh7-
// on 1, 2 and all threads; then the peak working set of the process. Prints figures only.
// Usage: library_bench CORPUS-FOLDER WORK-FOLDER [SWITCHES] (Windows paths, folders ending with '\');
// SWITCHES replaces the thread counts by one run with them ("" for a library without -t).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/timed_call.h"

namespace {

std::uint64_t SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double Timed(const std::string& command) { return bench::TimedCall(command, 1 << 20); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: library_bench CORPUS-FOLDER\\ WORK-FOLDER\\\n");
        return 2;
    }
    const std::string corpus = argv[1], work = argv[2];
    std::uint64_t corpusBytes = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((corpus + "*.*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 1;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            corpusBytes += (std::uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    } while (FindNextFileA(find, &found));
    FindClose(find);

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    std::printf("library under Wine: %llu bytes, %lu cores\n", static_cast<unsigned long long>(corpusBytes),
                system.dwNumberOfProcessors);
    for (const char* method : {"-o5", "-o7"}) {
        std::vector<std::string> runs = {"-t1", "-t2", "-t0"};
        if (argc > 3) runs = {argv[3]};
        for (const std::string& threads : runs) {
            const std::string archive = work + "bench.lzh";
            DeleteFileA(archive.c_str());
            const double add = Timed(std::string("a -n ") + method + " " + threads + " \"" + archive + "\" \"" +
                                     corpus + "\" *.*");
            const double test = Timed("t -n \"" + archive + "\"");
            if (add < 0 || test < 0) return 1;
            // One line a run, for the script to take apart: method threads ratio add-seconds test-seconds
            std::printf("run %s %s %.4f %.3f %.3f\n", method, threads.empty() ? "-" : threads.c_str(),
                        double(SizeOf(archive)) / corpusBytes, add, test);
            DeleteFileA(archive.c_str());
        }
    }
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("peak working set %.1f MB\n", memory.PeakWorkingSetSize / 1e6);
    return 0;
}

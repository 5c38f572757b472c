// Many small files under Wine: an archive of N files of 200 bytes (in folders of 500) made with
// the library, then an `x` of it timed around the library call, against a floor measured in the
// same run: a plain program creating, writing, dating and closing the same files in a fresh
// folder. Also the `a`, `u`, `f` and `l` of 2,000 and of 20,000 files, to show they grow linearly:
// `u` and `f` find every tenth file newer (a different tenth each), so they rewrite the archive,
// copying most members and compressing the rest.
// Usage: many_files_bench WORK-FOLDER (a Windows path ending with '\', empty; left filled).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/timed_call.h"

namespace {

constexpr int kPerFolder = 500;
constexpr DWORD kFileSize = 200;

double Timed(const std::string& command) { return bench::TimedCall(command, 16 << 20); }

std::string FolderName(int i) {
    char name[16];
    std::snprintf(name, sizeof name, "d%03d\\", i / kPerFolder);
    return name;
}

std::string FileName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%05d.txt", i);
    return FolderName(i) + name;
}

void Content(int i, char* data) {
    for (DWORD k = 0; k < kFileSize; ++k) data[k] = static_cast<char>('a' + (i * 7 + k * 13) % 26);
    std::snprintf(data, kFileSize, "file %d\r\n", i);
}

// The floor: what any program pays to make these files. -1 when one failed.
double Floor(const std::string& root, int count) {
    CreateDirectoryA(root.c_str(), nullptr);
    SYSTEMTIME when = {2020, 5, 0, 17, 12, 34, 56, 0};
    FILETIME stamp;
    SystemTimeToFileTime(&when, &stamp);
    char data[kFileSize];
    const double start = bench::Now();
    for (int i = 0; i < count; ++i) {
        if (i % kPerFolder == 0) CreateDirectoryA((root + FolderName(i)).c_str(), nullptr);
        HANDLE file = CreateFileA((root + FileName(i)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return -1;
        Content(i, data);
        DWORD written = 0;
        const bool ok = WriteFile(file, data, kFileSize, &written, nullptr) && written == kFileSize &&
                        SetFileTime(file, &stamp, &stamp, &stamp);
        CloseHandle(file);
        if (!ok) return -1;
    }
    return bench::Now() - start;
}

bool MakeSource(const std::string& root, int count) {
    CreateDirectoryA(root.c_str(), nullptr);
    char data[kFileSize];
    for (int i = 0; i < count; ++i) {
        if (i % kPerFolder == 0) CreateDirectoryA((root + FolderName(i)).c_str(), nullptr);
        HANDLE file = CreateFileA((root + FileName(i)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        Content(i, data);
        DWORD written = 0;
        WriteFile(file, data, kFileSize, &written, nullptr);
        CloseHandle(file);
        if (written != kFileSize) return false;
    }
    return true;
}

// Makes every tenth file from `first` on newer than the archive's copy of it.
bool MakeNewer(const std::string& root, int count, int first) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER later{{now.dwLowDateTime, now.dwHighDateTime}};
    later.QuadPart += 600ULL * 10000000ULL;   // ten minutes on: newer whatever the archive's rounding
    const FILETIME stamp{later.LowPart, later.HighPart};
    for (int i = first; i < count; i += 10) {
        HANDLE file = CreateFileA((root + FileName(i)).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool ok = SetFileTime(file, nullptr, nullptr, &stamp);
        CloseHandle(file);
        if (!ok) return false;
    }
    return true;
}

void PrintGrowth(const char* what, const double seconds[2]) {
    std::printf("%s 2000 files %.3f s, 20000 files %.3f s, ratio %.2f (goal <= 11)\n", what, seconds[0], seconds[1],
                seconds[1] / seconds[0]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: many_files_bench WORK-FOLDER\\\n");
        return 2;
    }
    const std::string work = argv[1];
    double add[2] = {}, update[2] = {}, freshen[2] = {}, list[2] = {};
    const int counts[2] = {2000, 20000};
    for (int n = 0; n < 2; ++n) {
        const int count = counts[n];
        const std::string root = work + "n" + std::to_string(count) + "\\";
        CreateDirectoryA(root.c_str(), nullptr);
        if (!MakeSource(root + "src\\", count)) return 1;
        const std::string archive = root + "many.lzh";
        const std::string files = " \"" + archive + "\" \"" + root + "src\\\" *.*";
        add[n] = Timed("a -n -r1 -x1" + files);
        list[n] = Timed("l -n \"" + archive + "\"");
        if (!MakeNewer(root + "src\\", count, 0)) return 1;
        update[n] = Timed("u -n -r1 -x1" + files);
        if (!MakeNewer(root + "src\\", count, 5)) return 1;
        freshen[n] = Timed("f -n -r1 -x1" + files);
        // The floor before and after the extraction: what one leaves behind (the system writing the
        // files out, the server's tables) slows the next, so the ratio is taken to the faster floor.
        const double before = Floor(root + "floor1\\", count);
        const double extract = Timed("x -n \"" + archive + "\" \"" + root + "out\\\"");
        const double after = Floor(root + "floor2\\", count);
        if (add[n] < 0 || update[n] < 0 || freshen[n] < 0 || list[n] < 0 || extract < 0 || before < 0 || after < 0) return 1;
        const double floor = before < after ? before : after;
        std::printf("extract %d files: %.3f s, floor %.3f s before and %.3f s after, ratio %.2f\n", count, extract,
                    before, after, extract / floor);
    }
    PrintGrowth("add", add);
    PrintGrowth("update (a tenth newer)", update);
    PrintGrowth("freshen (a tenth newer)", freshen);
    PrintGrowth("list", list);
    return 0;
}

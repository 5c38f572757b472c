// A stand-in UNLHA32.DLL for tests that start zavo.exe itself: every command line it receives
// is appended, with a line feed, to the file that ZAVO_LIBRARY_LOG names. It answers success
// with a short text and is never busy.
#include <windows.h>

#include <cstring>

extern "C" {

int WINAPI Unlha32RunCommand(HWND, const char* commandLine, char* output, DWORD outputSize) {
    char logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("ZAVO_LIBRARY_LOG", logPath, sizeof logPath);
    if (length > 0 && length < sizeof logPath) {
        HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            DWORD written;
            WriteFile(log, commandLine, static_cast<DWORD>(std::strlen(commandLine)), &written, nullptr);
            WriteFile(log, "\n", 1, &written, nullptr);
            CloseHandle(log);
        }
    }
    static const char kAnswer[] = "recorded\n";
    if (output && outputSize >= sizeof kAnswer) std::memcpy(output, kAnswer, sizeof kAnswer);
    return 0;
}

int WINAPI Unlha32IsBusy() { return 0; }
}

// Stands in for the archiver library until it is built: answers every command with a text
// saying so, and is never busy.
#include <windows.h>

#include <cstring>

extern "C" {

int WINAPI Unlha32RunCommand(HWND, const char*, char* output, DWORD outputSize) {
    static const char kText[] = "No archiver library is built yet: this UNLHA32.DLL only answers.\n";
    if (!output || outputSize == 0) return 1;
    DWORD n = static_cast<DWORD>(sizeof(kText) - 1) < outputSize - 1 ? static_cast<DWORD>(sizeof(kText) - 1) : outputSize - 1;
    std::memcpy(output, kText, n);
    output[n] = '\0';
    return 0;
}

int WINAPI Unlha32IsBusy() { return 0; }
}

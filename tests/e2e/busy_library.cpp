// A stand-in UNLHA32.DLL that always answers busy, as the real one does while another command
// of the process runs; a command that reaches it anyway fails with a text that says so.
#include <windows.h>

#include <cstring>

extern "C" {

int WINAPI BusyRunCommand(HWND, const char*, char* output, DWORD outputSize) {
    static const char kAnswer[] = "the busy stand-in library was asked to run a command\n";
    if (output && outputSize >= sizeof kAnswer) std::memcpy(output, kAnswer, sizeof kAnswer);
    return 7;
}

int WINAPI BusyIsBusy() { return 1; }
}

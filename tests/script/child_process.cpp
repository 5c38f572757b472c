// Starting, watching and ending the programs of the child-process tests.
#include "tests/script/child_process.h"

#include "tests/support/ui_driver.h"

namespace zavo::testing {

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(std::string commandLine, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE;
}

DWORD ChildProcess::WaitExit(DWORD milliseconds) const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND ChildProcess::Window(const std::string& caption, DWORD milliseconds) const {
    return WaitForWindow(info_.dwThreadId, caption, std::chrono::milliseconds(milliseconds));
}

std::string ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    // Asked across processes, the length counts characters; one may take two bytes.
    std::string text(2 * length + 2, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

}  // namespace zavo::testing

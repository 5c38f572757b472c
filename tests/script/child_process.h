// A program started by a Wine test as the desktop starts it, ended by force should it still run
// when the test ends.
#pragma once

#include <windows.h>

#include <string>

namespace zavo::testing {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // `folder` is the working folder; empty keeps the test's own.
    bool Start(std::string commandLine, const std::string& folder = {});
    // The exit status, or STILL_ACTIVE when the program has not ended in time.
    DWORD WaitExit(DWORD milliseconds = 20000) const;
    // The shown window of the program's first thread with this caption; null when none came.
    HWND Window(const std::string& caption, DWORD milliseconds = 10000) const;

private:
    PROCESS_INFORMATION info_{};
};

// The text of a control in another process: GetWindowText does not ask such a window, WM_GETTEXT does.
std::string ControlText(HWND window, int id);

}  // namespace zavo::testing

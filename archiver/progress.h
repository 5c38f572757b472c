// The progress of one run: the current file, a bar and Cancel in a window of the library (unless
// -n), and the message pumping that keeps that window and the caller's windows painted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "archiver/file_stream.h"

namespace unlha {

class Progress : public TransferObserver {
public:
    // `owner` is the caller's window (or its active window); `windows` false for -n.
    Progress(HWND owner, bool windows, std::string title);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void SetTotal(std::uint64_t bytes) { total_ = bytes; }
    // A new file begins; false when the run was cancelled.
    bool Begin(const std::string& name);
    // `bytes` more are done; false when the run was cancelled.
    bool Advance(std::uint64_t bytes);
    bool Transferred(std::size_t bytes) override { return Advance(bytes); }
    bool Cancelled() const { return cancelled_; }

    // The window while it is shown (for tests through the window system), else null.
    HWND Window() const { return window_; }

private:
    void Pump();
    void ShowWindowNow();
    void UpdateBar();
    void HandRightPressesToCaller();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

    HWND owner_;
    bool windows_;
    std::string title_;
    std::string current_;
    std::uint64_t total_ = 0;
    std::uint64_t done_ = 0;
    bool cancelled_ = false;
    DWORD started_;
    DWORD lastPump_ = 0;
    DWORD slowMs_ = 0;   // the test build's pause per file (test_seam.h)
    HWND window_ = nullptr;
    HWND nameLabel_ = nullptr;
    HWND bar_ = nullptr;
    std::vector<HWND> disabled_;
};

// The library's own module handle (for its window class and resources).
HINSTANCE LibraryModule();

}  // namespace unlha

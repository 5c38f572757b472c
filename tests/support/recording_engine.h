// A stand-in for the archiver library that records every call and answers as the test says.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "engine/archiver_engine.h"

namespace zavo::testing {

class RecordingEngine : public ArchiverEngine {
public:
    int RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize) override;
    int IsBusy() override;

    // What the next runs answer: result code and text (the text is copied into the buffer,
    // cut to outputSize - 1 bytes and terminated).
    void SetAnswer(int result, std::string text);
    // Answers of the coming IsBusy calls, in order; once used up, the library is free.
    void QueueBusyAnswers(std::vector<int> answers);

    std::vector<std::string> CommandLines() const;
    int BusyQueries() const { return busyQueries_; }
    // Called inside RunCommand, on the window's thread: lets a test look at the window while
    // the library "works".
    void SetDuringRun(void (*hook)(void*), void* context) { hook_ = hook; hookContext_ = context; }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> commandLines_;
    std::deque<int> busy_;
    int result_ = 0;
    std::string text_;
    std::atomic<int> busyQueries_{0};
    void (*hook_)(void*) = nullptr;
    void* hookContext_ = nullptr;
};

}  // namespace zavo::testing

// A stand-in for the archiver library that records every call and answers as the test says. The
// window calls it on its own thread, which is also the thread the test's steps run on.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "engine/archiver_engine.h"

namespace zavo::testing {

class RecordingEngine : public ArchiverEngine {
public:
    int RunCommand(HWND, const char* commandLine, char* output, DWORD outputSize) override {
        if (hook_) hook_(hookContext_);
        commandLines_.emplace_back(commandLine);
        const std::size_t n = std::min<std::size_t>(text_.size(), outputSize - 1);
        std::memcpy(output, text_.data(), n);
        output[n] = '\0';
        return result_;
    }
    int IsBusy() override {
        ++busyQueries_;
        if (busy_.empty()) return 0;
        const int answer = busy_.front();
        busy_.pop_front();
        return answer;
    }

    // What the next runs answer: result code and text (cut to the buffer the caller gives).
    void SetAnswer(int result, std::string text) { result_ = result, text_ = std::move(text); }
    // Answers of the coming IsBusy calls, in order; once used up, the library is free.
    void QueueBusyAnswers(const std::vector<int>& answers) { busy_.assign(answers.begin(), answers.end()); }

    const std::vector<std::string>& CommandLines() const { return commandLines_; }
    int BusyQueries() const { return busyQueries_; }
    // Called inside RunCommand: lets a test look at the window while the library "works".
    void SetDuringRun(void (*hook)(void*), void* context) { hook_ = hook, hookContext_ = context; }

private:
    std::vector<std::string> commandLines_;
    std::deque<int> busy_;
    int result_ = 0, busyQueries_ = 0;
    std::string text_;
    void (*hook_)(void*) = nullptr;
    void* hookContext_ = nullptr;
};

}  // namespace zavo::testing

// The recording library double.
#include "tests/support/recording_engine.h"

#include <cstring>

namespace zavo::testing {

int RecordingEngine::RunCommand(HWND, const char* commandLine, char* output, DWORD outputSize) {
    if (hook_) hook_(hookContext_);
    std::lock_guard<std::mutex> lock(mutex_);
    commandLines_.emplace_back(commandLine ? commandLine : "");
    if (output && outputSize > 0) {
        size_t n = text_.size() < outputSize - 1 ? text_.size() : outputSize - 1;
        std::memcpy(output, text_.data(), n);
        output[n] = '\0';
    }
    return result_;
}

int RecordingEngine::IsBusy() {
    ++busyQueries_;
    std::lock_guard<std::mutex> lock(mutex_);
    if (busy_.empty()) return 0;
    int answer = busy_.front();
    busy_.pop_front();
    return answer;
}

void RecordingEngine::SetAnswer(int result, std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    result_ = result;
    text_ = std::move(text);
}

void RecordingEngine::QueueBusyAnswers(std::vector<int> answers) {
    std::lock_guard<std::mutex> lock(mutex_);
    busy_.assign(answers.begin(), answers.end());
}

std::vector<std::string> RecordingEngine::CommandLines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return commandLines_;
}

}  // namespace zavo::testing

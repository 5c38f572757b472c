// System error text through FormatMessageA, trimmed to end a line.
#include "archiver/system_text.h"

#include <windows.h>

#include "text/cp932.h"

namespace unlha {
namespace {

std::string FormatFor(unsigned long error, WORD language) {
    char text[256] = {};
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, language,
                                   text, sizeof text, nullptr);
    return std::string(text, n);
}

}  // namespace

std::string SystemErrorText(unsigned long error, Language language) {
    const WORD wanted = language == Language::Japanese ? MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)
                                                       : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    std::string message = FormatFor(error, wanted);
    if (message.empty()) message = FormatFor(error, 0);
    // The sentence ends the line: its full stop and line end go.
    for (;;) {
        if (!message.empty() && (message.back() == '.' || message.back() == ' ' || message.back() == '\r' ||
                                 message.back() == '\n')) {
            message.pop_back();
        } else if (message.size() >= 2 && cp932::LastCharOffset(message) == message.size() - 2 &&
                   message.compare(message.size() - 2, 2, "。") == 0) {
            message.resize(message.size() - 2);
        } else {
            break;
        }
    }
    return message;
}

}  // namespace unlha

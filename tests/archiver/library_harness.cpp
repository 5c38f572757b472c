// The harness of the library's Wine tests.
#include "tests/archiver/library_harness.h"

#include <algorithm>

namespace unlha_test {

Outcome Unlha(const std::string& commandLine, HWND owner) {
    // English unless the line asks for a language: the tests read the words, whatever the
    // machine's language is.
    std::string line = commandLine;
    if (line.find(" -l") == std::string::npos) line.insert(std::min(line.find(' '), line.size()), " -le");
    std::vector<char> buffer(65536, '\x7F');
    Outcome o;
    o.code = Unlha32RunCommand(owner, line.c_str(), buffer.data(), 65535);
    o.wroteBeyondSize = buffer[65535] != '\x7F';
    buffer[65535] = '\0';
    o.text = buffer.data();
    return o;
}

std::size_t CountLines(const std::string& text, const std::string& needle) {
    std::size_t count = 0, pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        if (text.substr(pos, end - pos).find(needle) != std::string::npos) ++count;
        pos = end + 1;
    }
    return count;
}

}  // namespace unlha_test

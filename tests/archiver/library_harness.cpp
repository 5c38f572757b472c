// The harness of the library's Wine tests.
#include "tests/archiver/library_harness.h"

#include <algorithm>
#include <sstream>
#include <thread>

#include "tests/support/ui_driver.h"

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
    std::istringstream lines(text);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line);) count += line.find(needle) != std::string::npos;
    return count;
}

std::string Missing(const Outcome& o, int code, const std::vector<std::string>& expected,
                    const std::vector<std::string>& absent) {
    std::string missing = o.code == code ? "" : "code " + std::to_string(o.code) + " instead of " + std::to_string(code) + "\n";
    for (const std::string& part : expected)
        if (o.text.find(part) == std::string::npos) missing += "missing: " + part + "\n";
    for (const std::string& part : absent)
        if (o.text.find(part) != std::string::npos) missing += "unwanted: " + part + "\n";
    return missing.empty() ? missing : missing + "in:\n" + o.text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string JapaneseName(std::size_t chars) {
    const char* kinds[] = {"\x95\x5C", "\x83\x5C", "\x94\x5C"};
    std::string name;
    for (std::size_t i = 0; i < chars; ++i) name += kinds[i % 3];
    return name;
}

Outcome UnlhaAnsweringBox(const std::string& commandLine, std::string& shown) {
    shown.clear();
    const DWORD thread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND box = zavo::testing::WaitForWindow(thread, "UNLHA32");
        if (!box) return;
        shown = zavo::testing::MessageBoxText(box);
        zavo::testing::Answer(box, IDOK);
    });
    Outcome o = Unlha(commandLine);
    driver.join();
    return o;
}

}  // namespace unlha_test

// The command run: check that the library is free, hand it one composed line, take its text.
#include "engine/command_run.h"

#include <vector>

#include "engine/command_composer.h"
#include "text/cp932.h"
#include "win/message_box.h"

namespace zavo {
namespace {

constexpr DWORD kOutputBufferSize = 65536;

bool ConfirmWarning(HWND owner, const std::string& text) {
    return win::ShowMessage(owner, text, "Warning", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

}  // namespace

void RunBusyProtocol(ArchiverEngine& engine, HWND owner, const std::string& firstWarning) {
    if (!engine.IsBusy()) return;
    if (!ConfirmWarning(owner, firstWarning)) ExitProcess(1);
    if (!engine.IsBusy()) return;
    ConfirmWarning(owner, "UNLHA32 is also busy. Quit Process.");
    ExitProcess(1);
}

std::optional<std::string> RunLibraryCommand(ArchiverEngine& engine, const CommandValues& values) {
    std::string commandLine = ComposeCommandLine(values);
    // The library may write anything up to the size we give; the extra byte keeps a terminator
    // even from a library that fills the whole size without one.
    std::vector<char> output(kOutputBufferSize, '\0');
    if (engine.RunCommand(nullptr, commandLine.c_str(), output.data(), kOutputBufferSize - 1) != 0) return std::nullopt;
    output.back() = '\0';
    return cp932::Trim(output.data());
}

}  // namespace zavo

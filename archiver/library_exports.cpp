// The two calls of UNLHA32.DLL, exported by ordinal: ordinal 1 runs a command line, ordinal 10
// says whether a run of this process is in progress.
#include <windows.h>

#include <atomic>
#include <exception>

#include "archiver/command_line.h"
#include "archiver/run.h"
#include "win/message_box.h"

namespace unlha {
namespace {

// Counts the runs in progress; a second thread that asks while one runs sees it nonzero.
std::atomic<int> g_runs{0};

class RunGuard {
public:
    RunGuard() : first_(g_runs.fetch_add(1) == 0) {}
    ~RunGuard() { g_runs.fetch_sub(1); }
    bool First() const { return first_; }

private:
    bool first_;
};

const char* TitleOf(char letter) {
    switch (letter) {
    case 'a': return "Adding";
    case 'u': return "Updating";
    case 'f': return "Freshening";
    case 'd': return "Deleting";
    case 'e':
    case 'x': return "Extracting";
    case 't': return "Testing";
    case 's': return "Making a self-extracting program";
    default: return "Listing";
    }
}

void Dispatch(Run& run) {
    switch (run.command.letter) {
    case 'l':
    case 'v': RunList(run); break;
    case 't': RunTest(run); break;
    case 'e':
    case 'x': RunExtract(run); break;
    case 's': RunMakeSfx(run); break;
    default: RunUpdate(run); break;
    }
}

// The front end shows nothing for a failed run, so the library tells the user itself.
void TellUser(HWND owner, const std::string& reason) {
    win::ShowMessage(owner, reason, "UNLHA32", MB_OK | MB_ICONEXCLAMATION);
}

int RunCommandLine(HWND owner, const char* commandLine, char* output, DWORD outputSize) {
    if (!output || outputSize == 0) return kBadArguments;
    if (!commandLine) {
        OutputText out;
        out.Line("no command line was given");
        out.CopyTo(output, outputSize);
        return kBadArguments;
    }
    RunGuard guard;
    ParseResult parsed = ParseCommandLine(commandLine);
    const bool windows = parsed.ok ? !parsed.command.switches.noWindows : !AsksNoWindows(commandLine);
    if (!owner) owner = GetActiveWindow();
    if (!guard.First()) {
        OutputText out;
        out.Line("UNLHA32.DLL is busy with another command");
        out.CopyTo(output, outputSize);
        if (windows) TellUser(owner, "UNLHA32.DLL is busy with another command.");
        return kBusy;
    }
    if (!parsed.ok) {
        OutputText out;
        out.Line(parsed.error);
        out.CopyTo(output, outputSize);
        if (windows) TellUser(owner, "The command was not understood: " + parsed.error);
        return kBadCommandLine;
    }
    int result = kSuccess;
    std::string reason;
    {
        // The progress window goes (and the caller's windows come back) before any message box.
        Progress progress(owner, windows, TitleOf(parsed.command.letter));
        Run run(parsed.command, progress);
        Dispatch(run);
        run.out.CopyTo(output, outputSize);
        result = run.result;
        reason = run.reason;
    }
    if (result != kSuccess && result != kCancelled && windows) TellUser(owner, reason);
    return result;
}

}  // namespace
}  // namespace unlha

extern "C" {

int WINAPI Unlha32RunCommand(HWND owner, const char* commandLine, char* output, DWORD outputSize) {
    // No exception may cross into the caller.
    try {
        return unlha::RunCommandLine(owner, commandLine, output, outputSize);
    } catch (const std::exception& e) {
        if (output && outputSize > 0) {
            unlha::OutputText out;
            out.Line(std::string("internal failure: ") + e.what());
            out.CopyTo(output, outputSize);
        }
        return unlha::kFileFailed;
    }
}

int WINAPI Unlha32IsBusy() { return unlha::g_runs.load() != 0 ? 1 : 0; }
}

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

std::string TitleOf(char letter) {
    switch (letter) {
    case 'a': return Say(M::TitleAdding);
    case 'u': return Say(M::TitleUpdating);
    case 'f': return Say(M::TitleFreshening);
    case 'd': return Say(M::TitleDeleting);
    case 'e':
    case 'x': return Say(M::TitleExtracting);
    case 't': return Say(M::TitleTesting);
    case 's': return Say(M::TitleMakingSfx);
    default: return Say(M::TitleListing);
    }
}

// Japanese for a user whose Windows speaks Japanese, English for everyone else.
Language UserLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese : Language::English;
}

// The language of one call, given back when it ends: a call that the progress window's message
// pump lets in on the same thread (and that is answered busy) leaves the run's language alone.
class LanguageOfCall {
public:
    explicit LanguageOfCall(Language language) : previous_(CurrentLanguage()) { SetLanguage(language); }
    ~LanguageOfCall() { SetLanguage(previous_); }

private:
    Language previous_;
};

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
void TellUser(HWND owner, const std::string& text) {
    win::ShowMessage(owner, text, "UNLHA32", MB_OK | MB_ICONEXCLAMATION);
}

// The whole outcome: every failure, as many as a screen holds, then the summary.
std::string OutcomeText(const std::vector<std::string>& problems, const std::string& summary) {
    constexpr std::size_t kShown = 20;
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) text += (i ? "\n" : "") + problems[i];
    if (problems.size() > kShown) text += "\n" + Say(M::AndMore, problems.size() - kShown);
    if (!summary.empty()) text += (text.empty() ? "" : "\n\n") + summary;
    return text;
}

int RunCommandLine(HWND owner, const char* commandLine, char* output, DWORD outputSize) {
    if (!output || outputSize == 0) return kBadArguments;
    LanguageOfCall language(commandLine ? AskedLanguage(commandLine).value_or(UserLanguage()) : UserLanguage());
    if (!commandLine) {
        OutputText out;
        out.Line(Say(M::NoCommandLine));
        out.CopyTo(output, outputSize);
        return kBadArguments;
    }
    RunGuard guard;
    ParseResult parsed = ParseCommandLine(commandLine);
    const bool windows = parsed.ok ? !parsed.command.switches.noWindows : !AsksNoWindows(commandLine);
    if (!owner) owner = GetActiveWindow();
    if (!guard.First()) {
        OutputText out;
        out.Line(Say(M::Busy));
        out.CopyTo(output, outputSize);
        if (windows) TellUser(owner, Say(M::Busy));
        return kBusy;
    }
    if (!parsed.ok) {
        OutputText out;
        out.Line(parsed.error);
        out.CopyTo(output, outputSize);
        if (windows) TellUser(owner, Say(M::NotUnderstood, parsed.error));
        return kBadCommandLine;
    }
    int result = kSuccess;
    std::string outcome;
    {
        // The progress window goes (and the caller's windows come back) before any message box.
        Progress progress(owner, windows, TitleOf(parsed.command.letter));
        Run run(parsed.command, progress);
        Dispatch(run);
        run.out.CopyTo(output, outputSize);
        result = run.result;
        outcome = OutcomeText(run.problems, run.summary);
    }
    if (result != kSuccess && result != kCancelled && windows) TellUser(owner, outcome);
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
            out.Line(unlha::Say(unlha::M::InternalFailure, e.what()));
            out.CopyTo(output, outputSize);
        }
        return unlha::kFileFailed;
    }
}

int WINAPI Unlha32IsBusy() { return unlha::g_runs.load() != 0 ? 1 : 0; }
}

// The running program and the files it leaves, as the scenarios see them.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include "text/cp932.h"

namespace e2e {

Zavo::Zavo(const std::string& program, const std::string& argument, const std::string& workingFolder) {
    std::string commandLine = "\"" + program + "\"";
    if (!argument.empty()) commandLine += cp932::ContainsChar(argument, ' ') ? " \"" + argument + "\"" : " " + argument;
    if (!process_.Start(commandLine, workingFolder)) {
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
        return;
    }
    window_ = zavo::testing::WaitForWindow(process_.ThreadId(), "ZAVO v.1.9", seconds(30));
    // A person starts once the window is drawn: the first paint writes every field back to its
    // control and would overwrite what was typed before it.
    if (window_) WaitForInputIdle(process_.Handle(), 10000);
}

Zavo::~Zavo() {
    if (process_.Handle() && process_.WaitExit(0) == STILL_ACTIVE) ADD_FAILURE() << "the program was left running";
}

void Zavo::Paste(int id, const std::string& text) const {
    Send((*this)[id], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Zavo::PickDropped(int id, int index) const {
    // The combo box takes the highlighted item's text and closes its list.
    Send((*this)[id], CB_SETCURSEL, index, 0);
    Send((*this)[id], WM_KEYDOWN, VK_RETURN, 1);
    Send((*this)[id], WM_KEYUP, VK_RETURN, 0xC0000001);
    WaitUntil([&] { return !Send((*this)[id], CB_GETDROPPEDSTATE, 0, 0); }, seconds(2));
}

HWND Zavo::WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout) const {
    HWND found = zavo::testing::WaitForWindow(process_.ThreadId(), caption, timeout);
    if (found) return found;
    std::string shown;   // what a stuck scenario wants to know
    EnumThreadWindows(process_.ThreadId(), [](HWND window, LPARAM l) -> BOOL {
        if (IsWindowVisible(window)) *reinterpret_cast<std::string*>(l) += " \"" + TextOf(window) + "\"";
        return TRUE;
    }, reinterpret_cast<LPARAM>(&shown));
    ADD_FAILURE() << "no window \"" << caption << "\"; the program shows" << shown;
    return nullptr;
}

void Zavo::Close() {
    ClickLater((*this)[IDC_CLOSE]);
    EXPECT_EQ(WaitForExit(), 0u) << "after Close";
}

void AnswerAndWait(HWND box, int buttonId) {
    Answer(box, buttonId);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, seconds(15));
}

std::string Words(const std::string& english, const std::string& japanese) {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? japanese : english;
}

Files ReadTree(const std::string& folder) {
    Files files;
    for (const std::string& path : Tree(folder + "\\"))
        if (!cp932::EndsWithChar(path, '\\')) files[path] = ReadBytes(folder + "\\" + path);
    return files;
}

std::string InstallProgram(const std::string& folder, const std::string& library) {
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string program = folder + "\\zavo.exe";
    EXPECT_TRUE(CopyFileA((BinFolder() + "zavo.exe").c_str(), program.c_str(), FALSE)) << program;
    std::string from = library.empty() ? BinFolder() + "UNLHA32.DLL" : library;
    EXPECT_TRUE(CopyFileA(from.c_str(), (folder + "\\UNLHA32.DLL").c_str(), FALSE)) << from;
    return program;
}

}  // namespace e2e

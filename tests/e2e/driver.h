// The end-to-end driver: starts the built zavo.exe as a separate process and uses its window
// only from outside, through window messages, as a person at the keyboard and mouse would (the
// actions of tests/support/ui_driver.h reach another process's windows).
#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <string>

#include "resources/main_dialog_ids.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace e2e {

using namespace zavo::testing;
using std::chrono::seconds;

// Every file under a folder (given without its final '\'): its relative path and its bytes.
using Files = std::map<std::string, std::string>;
Files ReadTree(const std::string& folder);
inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The library speaks the user's interface language: the words a scenario expects, in it.
std::string Words(const std::string& english, const std::string& japanese);

// Copies zavo.exe and a library (the real one unless named) into a new folder, as a person
// installs the program; returns the copied program's path.
std::string InstallProgram(const std::string& folder, const std::string& library = "");

// One running zavo.exe with its main window found, drawn and idle. A program that a scenario
// left running fails it and is ended.
class Zavo {
public:
    // `argument` is quoted when it holds a blank.
    explicit Zavo(const std::string& program, const std::string& argument = "", const std::string& workingFolder = "");
    ~Zavo();

    HWND Window() const { return window_; }
    HWND operator[](int id) const { return GetDlgItem(window_, id); }
    std::string Output() const { return ItemTextOf(window_, IDC_OUTPUT_LOG); }
    // Replacing a field's whole text at once, as pasting over a selection does.
    void Paste(int id, const std::string& text) const;
    // Picks item `index` of a dropped combo box list as the arrow keys and Enter do.
    void PickDropped(int id, int index) const;
    // A visible window of the program with this caption.
    HWND WaitForWindow(const std::string& caption, std::chrono::milliseconds timeout = seconds(15)) const;
    // The exit status, or STILL_ACTIVE on timeout.
    DWORD WaitForExit() const { return process_.WaitExit(15000); }
    // Presses "Close" and expects the program to end with status 0.
    void Close();

private:
    ChildProcess process_;
    HWND window_ = nullptr;
};

// Answers a box and waits until it has gone.
void AnswerAndWait(HWND box, int buttonId);

}  // namespace e2e

// The end-to-end driver: starts the built zavo.exe as a separate process and uses its window
// only from outside, through window messages, as a person at the keyboard and mouse would.
#pragma once

#include <windows.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace e2e {

using std::chrono::milliseconds;
using std::chrono::seconds;

// --- Files as a person leaves and finds them ---------------------------------------------

using zavo::testing::BinFolder;
using zavo::testing::Exists;
using zavo::testing::ReadBytes;
using zavo::testing::RunToEnd;
using zavo::testing::Scratch;
using zavo::testing::SetWriteTime;
using zavo::testing::TextData;
using zavo::testing::WriteBytes;
using zavo::testing::WriteTimeOf;

// Every file under a folder (given without its final '\'): its relative path and its bytes.
using Tree = std::map<std::string, std::string>;
Tree ReadTree(const std::string& folder);
// Whether the program's text holds `part`.
inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The library speaks the user's interface language: the words a scenario expects, in it.
std::string Words(const std::string& english, const std::string& japanese);

// Copies zavo.exe and a library (the real one unless named) into a new folder, as a person
// installs the program; returns the copied program's path.
std::string InstallProgram(const std::string& folder, const std::string& library = "");

// --- The running program -----------------------------------------------------------------

// One running zavo.exe with its main window found. The destructor ends a program that a
// scenario left running, so a failed scenario leaves no process behind.
class Zavo {
public:
    // Starts `program` with `argument` (quoted when it holds a blank) as its command line, in
    // `workingFolder` when one is given.
    explicit Zavo(const std::string& program, const std::string& argument = "", const std::string& workingFolder = "");
    ~Zavo();
    Zavo(const Zavo&) = delete;
    Zavo& operator=(const Zavo&) = delete;

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // Typing: one WM_CHAR per single-byte character; a double-byte one arrives as WM_IME_CHAR
    // in its Unicode form, as an input method delivers it.
    void Type(int id, const std::string& text);
    // Select all, then delete: the field is empty afterwards.
    void Clear(int id);
    // Replacing a field's text at once, as pasting over a selection does.
    void Paste(int id, const std::string& text);
    // A click that waits for the button's handler to finish (the library run included).
    void Click(int id);
    // A click posted: for buttons whose handler opens a modal window.
    void ClickLater(int id);
    void SetChecked(int id, bool on);
    void RightClick();
    // Drops a combo box's list down (the program fills it then); a pick highlights item
    // `index` of the dropped list and presses Enter, as after choosing it with the arrow keys.
    void DropDown(int id);
    void PickDropped(int id, int index);
    std::vector<std::string> ComboItems(int id);
    std::vector<std::string> ListItems(int id);
    void DoubleClickListItem(int id, int index);

    std::string Text(int id) const;
    std::string Output() const { return Text(1000); }
    bool IsChecked(int id) const;
    bool IsEnabled(int id) const;
    bool IsShown(int id) const;

    // A visible top-level window of this process with this caption, other than the main one.
    HWND WaitForWindow(const std::string& caption, milliseconds timeout = seconds(15)) const;
    // Waits for the process to end; its exit status, or STILL_ACTIVE on timeout.
    DWORD WaitForExit(milliseconds timeout = seconds(15));
    // Presses "Close" and expects the program to end with status 0.
    void Close();

private:
    zavo::testing::ChildProcess process_;
    HWND window_ = nullptr;
};

// Message boxes and dialogs of the program.
std::string DialogText(HWND window, int id);
std::string MessageBoxText(HWND box);
// Presses a button of a dialog or message box.
void Answer(HWND window, int buttonId);
// Waits until a window has gone (a dialog closed).
bool WaitUntilGone(HWND window, milliseconds timeout = seconds(15));

}  // namespace e2e

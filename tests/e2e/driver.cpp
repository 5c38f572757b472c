// The running program: starting zavo.exe, finding its windows, and acting on them from outside.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "text/cp932.h"

namespace e2e {
namespace {

constexpr char kMainCaption[] = "ZAVO v.1.9";
// Long enough for the slowest library run of a scenario; a hang fails instead of blocking.
constexpr UINT kSendTimeoutMs = 60000;

bool WaitFor(const std::function<bool()>& condition, milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(20);
    }
    return true;
}

// A top-level window's caption: kept by the system itself, so no message crosses processes.
std::string Caption(HWND window) {
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct WindowSearch {
    DWORD process;
    std::string caption;
    HWND except;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM l) {
    auto* search = reinterpret_cast<WindowSearch*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->process && hwnd != search->except && IsWindowVisible(hwnd) &&
        Caption(hwnd) == search->caption) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectCaption(HWND hwnd, LPARAM l) {
    auto* captions = reinterpret_cast<std::pair<DWORD, std::string>*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == captions->first && IsWindowVisible(hwnd)) captions->second += " \"" + Caption(hwnd) + "\"";
    return TRUE;
}

// What a stuck scenario would want to know: the windows the program shows.
std::string OpenWindows(DWORD process) {
    std::pair<DWORD, std::string> captions{process, ""};
    EnumWindows(CollectCaption, reinterpret_cast<LPARAM>(&captions));
    return captions.second.empty() ? " (none)" : captions.second;
}

LRESULT Send(HWND window, UINT message, WPARAM w, LPARAM l) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, kSendTimeoutMs, &result)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        ADD_FAILURE() << "the program did not answer message " << message << "; its windows:" << OpenWindows(process);
    }
    return static_cast<LRESULT>(result);
}

// Lengths that cross processes are counted in Unicode characters, and a character may take
// two bytes in code page 932: buffers get room for twice the count.
std::string Fetched(std::vector<char>& buffer) { return std::string(buffer.data()); }

std::string WindowText(HWND window) {
    auto length = static_cast<size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(2 * length + 2, '\0');
    Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return Fetched(buffer);
}

// An item of a list box (LB_GETTEXT...) or of a combo box's list (CB_GETLBTEXT...). Asked
// from another process in the "A" form, the system hands back the item's Unicode text
// unconverted: ask for it in Unicode and convert it here.
std::string ItemText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, lengthMessage, index, 0, SMTO_NORMAL, kSendTimeoutMs, &length);
    std::vector<wchar_t> wide(length + 1, L'\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(control, textMessage, index, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL,
                        kSendTimeoutMs, &ignored);
    std::vector<char> buffer(2 * wide.size() + 2, '\0');
    WideCharToMultiByte(932, 0, wide.data(), -1, buffer.data(), static_cast<int>(buffer.size()), nullptr, nullptr);
    return Fetched(buffer);
}

LPARAM ItemCentre(HWND list, int index) {
    Send(list, LB_SETTOPINDEX, index, 0);
    RECT item{};
    Send(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

}  // namespace

Zavo::Zavo(const std::string& program, const std::string& argument, const std::string& workingFolder) {
    std::string commandLine = "\"" + program + "\"";
    if (!argument.empty()) {
        commandLine += cp932::ContainsChar(argument, ' ') ? " \"" + argument + "\"" : " " + argument;
    }
    if (!process_.Start(commandLine, workingFolder)) {
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
        return;
    }
    WaitFor([&] {
        WindowSearch search{process_.ProcessId(), kMainCaption, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        return window_ != nullptr || process_.WaitExit(0) != STILL_ACTIVE;
    }, seconds(30));
    // A person starts once the window is drawn: the first paint writes every field back to
    // its control and would overwrite what was typed before it.
    if (window_) WaitForInputIdle(process_.Handle(), 10000);
}

Zavo::~Zavo() {
    // The child process ends a program left running; a scenario should not leave one.
    if (process_.Handle() && process_.WaitExit(0) == STILL_ACTIVE) {
        ADD_FAILURE() << "the program was still running at the end of the scenario; its windows:"
                      << OpenWindows(process_.ProcessId());
    }
}

void Zavo::Type(int id, const std::string& text) {
    HWND edit = Item(id);
    // A combo box types into its edit field.
    if (HWND inner = FindWindowExA(edit, nullptr, "Edit", nullptr)) edit = inner;
    for (size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (cp932::CharLength(text, i) == 2) {
            // An input method hands a Unicode window the character itself; sent as two bytes
            // from another process, the system cannot convert it and delivers "?".
            wchar_t wide = 0;
            MultiByteToWideChar(932, 0, text.data() + i, 2, &wide, 1);
            size_t before = WindowText(edit).size();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(edit, WM_IME_CHAR, wide, 1, SMTO_NORMAL, kSendTimeoutMs, &ignored);
            // An edit may turn WM_IME_CHAR into WM_CHARs posted to itself: let them arrive
            // before the next key overtakes them.
            WaitFor([&] { return WindowText(edit).size() > before; }, seconds(2));
        } else {
            Send(edit, WM_CHAR, lead, 1);
        }
    }
}

void Zavo::Clear(int id) {
    HWND edit = Item(id);
    if (HWND inner = FindWindowExA(edit, nullptr, "Edit", nullptr)) edit = inner;
    Send(edit, EM_SETSEL, 0, -1);
    Send(edit, WM_CLEAR, 0, 0);
}

void Zavo::Paste(int id, const std::string& text) {
    Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Zavo::Click(int id) { Send(Item(id), BM_CLICK, 0, 0); }

void Zavo::ClickLater(int id) { PostMessageA(Item(id), BM_CLICK, 0, 0); }

void Zavo::SetChecked(int id, bool on) {
    if (IsChecked(id) != on) Click(id);
}

void Zavo::RightClick() {
    PostMessageA(window_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(window_, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Zavo::DropDown(int id) { Send(Item(id), CB_SHOWDROPDOWN, TRUE, 0); }

void Zavo::PickDropped(int id, int index) {
    // The highlighted item of the dropped list, then Enter: the combo box takes its text and
    // closes the list, as after a pick with the arrow keys.
    Send(Item(id), CB_SETCURSEL, index, 0);
    Send(Item(id), WM_KEYDOWN, VK_RETURN, 1);
    Send(Item(id), WM_KEYUP, VK_RETURN, 0xC0000001);
    WaitFor([&] { return !Send(Item(id), CB_GETDROPPEDSTATE, 0, 0); }, seconds(2));
}

std::vector<std::string> Zavo::ComboItems(int id) {
    std::vector<std::string> items;
    auto count = static_cast<int>(Send(Item(id), CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(ItemText(Item(id), CB_GETLBTEXTLEN, CB_GETLBTEXT, i));
    return items;
}

std::vector<std::string> Zavo::ListItems(int id) {
    std::vector<std::string> items;
    auto count = static_cast<int>(Send(Item(id), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(ItemText(Item(id), LB_GETTEXTLEN, LB_GETTEXT, i));
    return items;
}

void Zavo::DoubleClickListItem(int id, int index) {
    HWND list = Item(id);
    LPARAM at = ItemCentre(list, index);
    Send(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
    Send(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
}

std::string Zavo::Text(int id) const { return WindowText(Item(id)); }

bool Zavo::IsChecked(int id) const { return Send(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Zavo::IsEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
bool Zavo::IsShown(int id) const { return IsWindowVisible(Item(id)) != FALSE; }

HWND Zavo::WaitForWindow(const std::string& caption, milliseconds timeout) const {
    WindowSearch search{process_.ProcessId(), caption, window_};
    WaitFor([&] {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeout);
    if (!search.found) ADD_FAILURE() << "no window \"" << caption << "\"; the program shows:" << OpenWindows(process_.ProcessId());
    return search.found;
}

DWORD Zavo::WaitForExit(milliseconds timeout) { return process_.WaitExit(static_cast<DWORD>(timeout.count())); }

void Zavo::Close() {
    ClickLater(2);
    EXPECT_EQ(WaitForExit(), 0u) << "after Close";
}

std::string DialogText(HWND window, int id) { return WindowText(GetDlgItem(window, id)); }

std::string MessageBoxText(HWND box) { return DialogText(box, 0xFFFF); }

void Answer(HWND window, int buttonId) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, buttonId)));
}

bool WaitUntilGone(HWND window, milliseconds timeout) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::string Words(const std::string& english, const std::string& japanese) {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? japanese : english;
}

}  // namespace e2e

// The driver of modal dialogs and the person-like actions.
#include "tests/support/ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "text/cp932.h"
#include "win/window_text.h"

namespace zavo::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Long enough for the slowest library run a click starts: a window that never answers fails the
// test instead of hanging it.
constexpr UINT kAnswerMs = 60000;

// A driven dialog: the steps run on a fiber of the dialog's own thread, resumed by a timer that
// the dialog's message loop (or any loop nested in it) dispatches. So every step sees the
// windows between two messages, never half way through one, and every message it sends is
// handled before the call returns.
struct Driver {
    win::Dialog* dialog = nullptr;
    const std::function<void(HWND)>* drive = nullptr;
    std::chrono::milliseconds timeout{};
    void* loop = nullptr;   // the fiber that runs the message loops
    void* steps = nullptr;  // the fiber that runs `drive`
    bool started = false;
    bool inSteps = false;   // the steps fiber runs (and maybe a loop nested in one of its calls)
    bool finished = false;
    Clock::time_point deadline;
    std::vector<HWND> activated;  // this thread's windows in the order they were activated
};
thread_local Driver* t_driver = nullptr;

bool OnSteps() { return t_driver && t_driver->inSteps; }

// Gives the thread back to the message loop until the next tick.
void ReturnToLoop() { SwitchToFiber(t_driver->loop); }

void CALLBACK RunSteps(void*) {
    Driver& d = *t_driver;
    HWND window = d.dialog->Handle();
    // The first paint writes every field back to its control: let it happen before the first
    // step, as it does before a person can act.
    UpdateWindow(window);
    (*d.drive)(window);
    d.finished = true;
    d.deadline = Clock::now() + d.timeout;
    for (;;) ReturnToLoop();
}

// The window that takes the thread's input: an enabled one shown over the (then disabled) dialog,
// such as a message box, or else the dialog.
HWND TopWindowOf(HWND dialog) {
    struct Search { HWND dialog, top; } search{dialog, dialog};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM l) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(l);
        if (window != s.dialog && IsWindowVisible(window) && IsWindowEnabled(window)) s.top = window;
        return s.top == s.dialog;
    }, reinterpret_cast<LPARAM>(&search));
    return search.top;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *t_driver;
    if (d.inSteps || d.finished) {
        // A step waits in a window it opened itself, a handler shows a message box no step
        // answers, or the driver left the dialog open: cancel the window on top, and the next
        // one a while later, so the test fails with what it shows instead of hanging.
        if (Clock::now() > d.deadline) {
            d.deadline = Clock::now() + std::chrono::seconds(5);
            HWND top = TopWindowOf(d.dialog->Handle());
            ADD_FAILURE() << (d.inSteps ? "a step is stuck in a window: " : "a window is still open after the steps: ")
                          << win::GetText(top) << (top != d.dialog->Handle() ? " / " + MessageBoxText(top) : "");
            PostMessageA(top, WM_COMMAND, IDCANCEL, 0);
        }
        return;
    }
    if (!d.started) {
        HWND window = d.dialog->Handle();
        if (!window || !IsWindowVisible(window)) return;
        d.started = true;
    }
    d.deadline = Clock::now() + d.timeout;  // for this step
    d.inSteps = true;
    SwitchToFiber(d.steps);
    d.inSteps = false;
}

LRESULT CALLBACK WatchActivation(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE && t_driver) t_driver->activated.push_back(reinterpret_cast<HWND>(w));
    return CallNextHookEx(nullptr, code, w, l);
}

// A combo box types into its edit field.
HWND EditOf(HWND control) {
    HWND inner = FindWindowExA(control, nullptr, "Edit", nullptr);
    return inner ? inner : control;
}

// Every item of a list box or a combo box's list, asked in Unicode and converted here: asked from
// another process in the "A" form, the system hands back the Unicode text unconverted.
std::vector<std::string> Items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::string> items;
    const int count = static_cast<int>(Send(control, countMessage, 0, 0));
    for (int i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(control, lengthMessage, i, 0, SMTO_NORMAL, kAnswerMs, &length);
        std::wstring wide(length + 1, L'\0');
        SendMessageTimeoutW(control, textMessage, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL, kAnswerMs,
                            &length);
        std::string text(2 * wide.size() + 2, '\0');
        WideCharToMultiByte(932, 0, wide.c_str(), -1, text.data(), static_cast<int>(text.size()), nullptr, nullptr);
        items.push_back(text.c_str());
    }
    return items;
}

// The centre of a list item in the list's client coordinates, scrolled into view first.
LPARAM ItemPoint(HWND list, int index) {
    RECT item{}, client{};
    Send(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    GetClientRect(list, &client);
    if (item.top < client.top || item.bottom > client.bottom) {
        Send(list, LB_SETTOPINDEX, index, 0);
        Send(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    }
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

// The left button pressed (`down`: WM_LBUTTONDOWN or WM_LBUTTONDBLCLK) and released at `at`.
void PressAt(HWND list, LPARAM at, UINT down) {
    Send(list, down, MK_LBUTTON, at);
    Send(list, WM_LBUTTONUP, 0, at);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        if (OnSteps()) ReturnToLoop();
        else Sleep(10);  // another thread or process runs the windows
    }
    return true;
}

HWND WaitForWindow(DWORD threadId, const std::string& caption, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    auto match = [&](HWND window) {
        return IsWindow(window) && IsWindowVisible(window) && win::GetText(window) == caption && (found = window);
    };
    WaitUntil([&] {
        // Inside a driven dialog: the windows its thread activated, newest first (a message box or
        // dialog is activated as it is shown).
        if (OnSteps() && threadId == GetCurrentThreadId())
            return std::any_of(t_driver->activated.rbegin(), t_driver->activated.rend(), match);
        EnumThreadWindows(threadId, [](HWND window, LPARAM l) -> BOOL { return !(*reinterpret_cast<decltype(match)*>(l))(window); },
                          reinterpret_cast<LPARAM>(&match));
        return found != nullptr;
    }, timeout);
    return found;
}

DWORD WindowThread(HWND window) { return GetWindowThreadProcessId(window, nullptr); }

INT_PTR RunDriven(win::Dialog& dialog, const std::function<void(HWND)>& drive,
                  std::chrono::milliseconds timeout, HWND owner) {
    Driver d;
    d.dialog = &dialog;
    d.drive = &drive;
    d.timeout = timeout;
    d.loop = ConvertThreadToFiber(nullptr);
    if (!d.loop) {
        ADD_FAILURE() << "RunDriven inside a driven dialog";
        return -2;
    }
    d.steps = CreateFiber(1 << 20, RunSteps, nullptr);
    Driver* outer = t_driver;
    t_driver = &d;
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
    UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Tick);
    INT_PTR result = dialog.RunModal(owner);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    t_driver = outer;
    if (!d.finished) ADD_FAILURE() << "the dialog ended before its driver finished";
    DeleteFiber(d.steps);
    ConvertFiberToThread();
    return result;
}

LRESULT Send(HWND window, UINT message, WPARAM w, LPARAM l) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, kAnswerMs, &result) && IsWindow(window))
        ADD_FAILURE() << "a window did not answer message " << message;
    return static_cast<LRESULT>(result);
}

void Type(HWND edit, const std::string& text) {
    edit = EditOf(edit);
    for (size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
        if (cp932::CharLength(text, i) == 1) {
            Send(edit, WM_CHAR, static_cast<unsigned char>(text[i]), 1);
            continue;
        }
        // An input method hands over the character itself, in Unicode: its two bytes sent to a
        // window of another process would arrive as "?".
        wchar_t wide = 0;
        MultiByteToWideChar(932, 0, text.data() + i, 2, &wide, 1);
        const size_t before = TextOf(edit).size();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(edit, WM_IME_CHAR, wide, 1, SMTO_NORMAL, kAnswerMs, &ignored);
        // Some edits (a combo box's) turn WM_IME_CHAR into posted WM_CHARs: wait for them, or the
        // next key overtakes the character.
        WaitUntil([&] { return TextOf(edit).size() > before; }, std::chrono::seconds(2));
    }
}

void ClearEdit(HWND edit) {
    Send(EditOf(edit), EM_SETSEL, 0, -1);
    Send(EditOf(edit), WM_CLEAR, 0, 0);
}

void PressKey(HWND window, UINT virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void Click(HWND button) { Send(button, BM_CLICK, 0, 0); }
void ClickLater(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }
void SetChecked(HWND dialog, int id, bool on) { if (IsChecked(dialog, id) != on) Click(GetDlgItem(dialog, id)); }

void RightClick(HWND window) {
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Focus(HWND control) { SetFocus(control); }

std::string TextOf(HWND window) {
    // Asked with messages: GetWindowText does not ask a window of another process.
    std::string text(win::RoomForText(Send(window, WM_GETTEXTLENGTH, 0, 0)), '\0');
    Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string ItemTextOf(HWND dialog, int id) { return TextOf(GetDlgItem(dialog, id)); }
bool IsChecked(HWND dialog, int id) { return Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool IsShown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

// The message box's text is the static control with id 0xFFFF.
std::string MessageBoxText(HWND box) { return ItemTextOf(box, 0xFFFF); }

HICON MessageBoxIcon(HWND box) {
    // The icon is the static control with id 0x440 (stc1); hidden when the box has none.
    HWND icon = GetDlgItem(box, 0x440);
    return icon && IsWindowVisible(icon) ? reinterpret_cast<HICON>(Send(icon, STM_GETICON, 0, 0)) : nullptr;
}

HWND FocusIn(HWND window) {
    // Another test's window on the same desktop may hold the activation; a person would look at
    // this window active, and the dialog gives its control the focus back on activation.
    SetActiveWindow(window);
    return GetFocus();
}

void Answer(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

void MouseClickListItem(HWND list, int index) { PressAt(list, ItemPoint(list, index), WM_LBUTTONDOWN); }

void MouseDoubleClickListItem(HWND list, int index) {
    MouseClickListItem(list, index);
    PressAt(list, ItemPoint(list, index), WM_LBUTTONDBLCLK);
}

void Paste(HWND edit, const std::string& text) {
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void DropDown(HWND combo) { SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0); }

void PickDroppedItem(HWND combo, int index) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    LPARAM at = ItemPoint(info.hwndList, index);
    Send(info.hwndList, WM_MOUSEMOVE, 0, at);
    PressAt(info.hwndList, at, WM_LBUTTONDOWN);
}

void CloseDropDown(HWND combo) { SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0); }

std::vector<std::string> ListItems(HWND list) { return Items(list, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT); }
std::vector<std::string> ComboItems(HWND combo) { return Items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT); }

}  // namespace zavo::testing

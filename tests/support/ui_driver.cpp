// The driver of modal dialogs and the person-like actions.
#include "tests/support/ui_driver.h"

#include <gtest/gtest.h>


#include "text/cp932.h"
#include "win/controls.h"
#include "win/window_text.h"

namespace zavo::testing {
namespace {

using Clock = std::chrono::steady_clock;

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
    bool rescued = false;
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

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *t_driver;
    if (d.inSteps) {
        // A step waits in a window it opened itself (a Click on a button whose handler shows a
        // message box no step answers): end that window so the test fails instead of hanging.
        if (!d.rescued && Clock::now() > d.deadline) {
            d.rescued = true;
            ADD_FAILURE() << "a step is stuck in a modal window it opened";
            PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
        }
        return;
    }
    if (d.finished) {
        if (!d.rescued && Clock::now() > d.deadline) {
            d.rescued = true;
            ADD_FAILURE() << "the dialog was still open after the driver finished";
            PostMessageA(d.dialog->Handle(), WM_COMMAND, IDCANCEL, 0);
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

struct FindContext {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND hwnd, LPARAM l) {
    auto* context = reinterpret_cast<FindContext*>(l);
    if (IsWindowVisible(hwnd) && win::GetText(hwnd) == context->caption) {
        context->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = Clock::now() + timeout;
    while (!condition()) {
        if (Clock::now() > deadline) return false;
        if (OnSteps()) {
            ReturnToLoop();
        } else {
            Sleep(10);  // another thread or process runs the windows
        }
    }
    return true;
}

HWND WaitForWindow(DWORD threadId, const std::string& caption, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    if (OnSteps() && threadId == GetCurrentThreadId()) {
        // The windows this thread activated, newest first: a message box or dialog is activated
        // as it is shown.
        WaitUntil([&] {
            const auto& activated = t_driver->activated;
            for (auto it = activated.rbegin(); it != activated.rend(); ++it) {
                if (IsWindow(*it) && IsWindowVisible(*it) && win::GetText(*it) == caption) return (found = *it) != nullptr;
            }
            return false;
        }, timeout);
        return found;
    }
    FindContext context{caption};
    WaitUntil([&] {
        EnumThreadWindows(threadId, MatchCaption, reinterpret_cast<LPARAM>(&context));
        return context.found != nullptr;
    }, timeout);
    return context.found;
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

void Type(HWND edit, const std::string& text) {
    for (size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        if (cp932::CharLength(text, i) == 2) {
            WPARAM code = (static_cast<WPARAM>(lead) << 8) | static_cast<unsigned char>(text[i + 1]);
            int before = GetWindowTextLengthA(edit);
            SendMessageA(edit, WM_IME_CHAR, code, 1);
            // Some edits (a combo box's) turn WM_IME_CHAR into posted WM_CHARs: wait for them,
            // or the next sent message overtakes the character.
            WaitUntil([&] { return GetWindowTextLengthA(edit) > before; }, std::chrono::seconds(1));
        } else {
            SendMessageA(edit, WM_CHAR, lead, 1);
        }
    }
}

void ClearEdit(HWND edit) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_CLEAR, 0, 0);
}

void PressKey(HWND window, UINT virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 0xC0000001);
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

void ClickLater(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void RightClick(HWND window) {
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
}

void Focus(HWND control) { SetFocus(control); }

std::string TextOf(HWND window) { return win::GetText(window); }
std::string ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    // Asked across processes, the length counts characters; one may take two bytes.
    std::string text(2 * length + 2, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

std::string ItemTextOf(HWND dialog, int id) { return win::GetText(GetDlgItem(dialog, id)); }
bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool IsShown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

std::string MessageBoxText(HWND box) {
    // The message box's text is the static control with id 0xFFFF.
    return win::GetText(GetDlgItem(box, 0xFFFF));
}

HICON MessageBoxIcon(HWND box) {
    // The icon is the static control with id 0x440 (stc1); hidden when the box has none.
    HWND icon = GetDlgItem(box, 0x440);
    if (!icon || !IsWindowVisible(icon)) return nullptr;
    return reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
}

HWND FocusIn(HWND window) {
    // Another test's window on the same desktop may hold the activation; a person would look at
    // this window active, and the dialog gives its control the focus back on activation.
    SetActiveWindow(window);
    return GetFocus();
}

void Answer(HWND box, int buttonId) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0); }

}  // namespace zavo::testing

namespace zavo::testing {
namespace {

// The centre of a list item in the list's client coordinates, scrolled into view first.
LPARAM ItemPoint(HWND list, int index) {
    RECT item{}, client{};
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    GetClientRect(list, &client);
    if (item.top < client.top || item.bottom > client.bottom) {
        SendMessageA(list, LB_SETTOPINDEX, index, 0);
        SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    }
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

}  // namespace

void MouseClickListItem(HWND list, int index) {
    LPARAM at = ItemPoint(list, index);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
}

void MouseDoubleClickListItem(HWND list, int index) {
    LPARAM at = ItemPoint(list, index);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
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
    SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
    SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
}

void CloseDropDown(HWND combo) { SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0); }

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(win::ListBox(list).ItemText(i));
    return items;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) items.push_back(win::ComboBox(combo).ItemText(i));
    return items;
}

}  // namespace zavo::testing

// The driver thread and the person-like actions.
#include "tests/support/ui_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "text/cp932.h"
#include "win/controls.h"
#include "win/window_text.h"

namespace zavo::testing {
namespace {

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
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(10);
    }
    return true;
}

HWND WaitForWindow(DWORD threadId, const std::string& caption, std::chrono::milliseconds timeout) {
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
    std::atomic<bool> done{false};
    std::thread driver([&] {
        HWND window = nullptr;
        WaitUntil([&] {
            window = dialog.Handle();
            return window && IsWindowVisible(window);
        }, timeout);
        // The first paint writes every field back to its control: let it happen before the
        // driver types, as it does before a person can.
        if (window) UpdateWindow(window);
        if (window) drive(window);
        // A driver that forgot to end the dialog, or a dialog that hangs: end it so the test
        // fails instead of hanging.
        if (!WaitUntil([&] { return done.load(); }, timeout)) {
            ADD_FAILURE() << "the dialog was still open after the driver finished";
            if (window) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
    });
    INT_PTR result = dialog.RunModal(owner);
    done = true;
    driver.join();
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

void SelectListItem(HWND list, int index) {
    SendMessageA(list, LB_SETCURSEL, index, 0);
    // A mouse selection notifies the parent; LB_SETCURSEL alone does not.
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void DoubleClickListItem(HWND list, int index) {
    SelectListItem(list, index);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list));
}

void Focus(HWND control) {
    // SetFocus works only on the window's own thread: attach to it for the call.
    DWORD target = WindowThread(control);
    DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, target, TRUE);
    SetFocus(control);
    AttachThreadInput(self, target, FALSE);
}

std::string TextOf(HWND window) { return win::GetText(window); }
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

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
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

// The progress window: modeless, owned by the caller's window, which it disables as a modal
// dialog would, so the caller cannot start a second run while this one works. Its pump takes
// only what this window needs and leaves the caller's input queued for the caller.
#include "archiver/progress.h"

#include <commctrl.h>
#include <windowsx.h>

#include "archiver/test_seam.h"

#include "archiver/messages.h"
#include "win/message_pump.h"

namespace unlha {
namespace {

constexpr char kClassName[] = "Unlha32Progress";
constexpr DWORD kShowAfterMs = 300;   // short runs finish without a flash of a window
constexpr DWORD kPumpEveryMs = 30;
constexpr int kPaintsPerPump = 64;

bool RegisterProgressClass() {
    static bool registered = false;
    if (registered) return true;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSEXA c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = DefWindowProcA;
    c.hInstance = LibraryModule();
    c.hCursor = LoadCursor(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = kClassName;
    registered = RegisterClassExA(&c) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

struct DisableContext {
    HWND except;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM param) {
    auto* context = reinterpret_cast<DisableContext*>(param);
    if (window != context->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        context->disabled->push_back(window);
    }
    return TRUE;
}

}  // namespace

HINSTANCE LibraryModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryModule), &module);
    return module;
}

Progress::Progress(HWND owner, bool windows, std::string title)
    : owner_(owner), windows_(windows), title_(std::move(title)), started_(GetTickCount()),
      slowMs_(test_seam::SlowMsPerFile()) {}

Progress::~Progress() {
    // Enable the caller's windows before the progress window goes, so activation returns to them.
    for (HWND window : disabled_)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    if (window_) {
        HandRightPressesToCaller();
        DestroyWindow(window_);
    }
}

void Progress::HandRightPressesToCaller() {
    // Destroying a window drops the messages queued for it and its children, and a right
    // press on this window is the caller's (a script stops on one): readdress it to the owner,
    // or to the thread when there is none.
    MSG message;
    while (PeekMessageA(&message, window_, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE)) {
        POINT at{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
        if (owner_) MapWindowPoints(message.hwnd, owner_, &at, 1);
        PostMessageA(owner_, WM_RBUTTONDOWN, message.wParam, MAKELPARAM(at.x, at.y));
    }
}

bool Progress::Begin(const std::string& name) {
    current_ = name;
    if (nameLabel_) SetWindowTextA(nameLabel_, current_.c_str());
    if (slowMs_ > 0) {
        const DWORD until = GetTickCount() + slowMs_;
        while (!cancelled_ && static_cast<int>(until - GetTickCount()) > 0) {
            lastPump_ = 0;
            Pump();
            Sleep(10);
        }
    }
    lastPump_ = 0;
    Pump();
    return !cancelled_;
}

bool Progress::Advance(std::uint64_t bytes) {
    done_ += bytes;
    Pump();
    return !cancelled_;
}

void Progress::Pump() {
    if (!windows_) return;
    const DWORD now = GetTickCount();
    if (lastPump_ != 0 && now - lastPump_ < kPumpEveryMs) return;
    lastPump_ = now;
    if (!window_ && now - started_ >= kShowAfterMs) ShowWindowNow();
    // Messages are dispatched only while the caller's windows are disabled: before that, a click
    // there could start a second run inside this one.
    if (!window_) return;
    UpdateBar();
    MSG message;
    // A quit request ends the run; it stays queued for the caller's loop.
    if (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) cancelled_ = true;
    // Every window of the thread stays painted; bounded, in case a window never validates.
    for (int i = 0; i < kPaintsPerPump && PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        DispatchMessageA(&message);
    // This window's own messages (its children's included), apart from right presses: the
    // caller's input, right presses on this window among it, waits for the caller.
    while (PeekMessageA(&message, window_, 0, WM_RBUTTONDOWN - 1, PM_REMOVE) ||
           PeekMessageA(&message, window_, WM_RBUTTONDOWN + 1, 0xFFFFFFFF, PM_REMOVE))
        win::DispatchToDialog(window_, message);
}

void Progress::ShowWindowNow() {
    if (!RegisterProgressClass()) return;
    const std::string caption = Say(M::ProgressCaption, title_);
    window_ = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, caption.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, 380, 140,
                              owner_, nullptr, LibraryModule(), nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Progress::WindowProc));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    nameLabel_ = CreateWindowExA(0, "STATIC", current_.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX,
                                 12, 10, 350, 18, window_, nullptr, LibraryModule(), nullptr);
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 12, 34, 350, 18, window_, nullptr,
                           LibraryModule(), nullptr);
    HWND cancel = CreateWindowExA(0, "BUTTON", Say(M::CancelButton).c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 282,
                                  62, 80, 24, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)),
                                  LibraryModule(), nullptr);
    for (HWND control : {nameLabel_, cancel}) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(bar_, PBM_SETRANGE32, 0, 1000);
    if (owner_) {
        RECT o, r;
        GetWindowRect(owner_, &o);
        GetWindowRect(window_, &r);
        SetWindowPos(window_, nullptr, o.left + ((o.right - o.left) - (r.right - r.left)) / 2,
                     o.top + ((o.bottom - o.top) - (r.bottom - r.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    DisableContext context{window_, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&context));
    ShowWindow(window_, SW_SHOW);
    SetFocus(cancel);
}

void Progress::UpdateBar() {
    if (!bar_) return;
    const std::uint64_t done = total_ == 0 ? 0 : (done_ >= total_ ? 1000 : done_ * 1000 / total_);
    SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

LRESULT CALLBACK Progress::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Progress*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && ((message == WM_COMMAND && LOWORD(w) == IDCANCEL) || message == WM_CLOSE)) {
        self->cancelled_ = true;
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

}  // namespace unlha

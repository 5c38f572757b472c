// The dialog procedure shared by every dialog, with the exception barrier at the callback.
#include "win/dialog.h"

namespace win {

INT_PTR Dialog::RunModal(HWND owner, HINSTANCE instance) {
    if (!instance) instance = GetModuleHandleA(nullptr);
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId_), owner, &Dialog::Procedure,
                           reinterpret_cast<LPARAM>(this));
}

void Dialog::UpdateFields(Direction direction) {
    NotificationSuppressor quiet(*this);
    DataExchange dx(hwnd_, direction);
    Exchange(dx);
}

INT_PTR CALLBACK Dialog::Procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(l);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, DWLP_USER, l);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    try {
        return self->Dispatch(message, w, l);
    } catch (...) {
        // An exception must not unwind through user32; the dialog ends as if cancelled.
        EndDialog(hwnd, IDABORT);
    }
    return TRUE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInit() ? TRUE : FALSE;
    case WM_COMMAND: {
        if (HandlersBlocked()) return TRUE;
        int id = LOWORD(w);
        int code = HIWORD(w);
        HWND control = reinterpret_cast<HWND>(l);
        if (control && SuppressingNotifications()) return TRUE;
        if (OnCommand(id, code, control)) return TRUE;
        if (id == IDOK && (code == BN_CLICKED || !control)) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && (code == BN_CLICKED || !control)) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    default: {
        bool handled = false;
        INT_PTR result = OnMessage(message, w, l, handled);
        return handled ? result : FALSE;
    }
    }
}

}  // namespace win

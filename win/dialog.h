// The base of every dialog window: one static dialog procedure stores `this` at WM_INITDIALOG
// and routes messages to plain virtual functions. No exception crosses into user32.
#pragma once

#include <windows.h>

#include "win/data_exchange.h"

namespace win {

class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the result given to End, or -1 when it could not be made.
    INT_PTR RunModal(HWND owner, HINSTANCE instance = nullptr);
    HWND Handle() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    // The data exchange: every bound control shows its field, or every bound field takes what
    // its control shows (the list in Exchange). Control notifications are ignored while it runs,
    // so a change made by the program never runs a control's handler.
    void UpdateFields(Direction direction);

protected:
    // Return false when the handler set the focus itself.
    virtual bool OnInit() { return true; }
    // A WM_COMMAND from a control or a menu; true when handled.
    virtual bool OnCommand(int id, int code, HWND control) { return false; }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // Any other message; set `handled` and return the dialog procedure's result.
    virtual INT_PTR OnMessage(UINT message, WPARAM w, LPARAM l, bool& handled) { return FALSE; }

    void End(INT_PTR result) { EndDialog(hwnd_, result); }

    // Lists each bound control once, with its field; the same list runs in either direction.
    virtual void Exchange(DataExchange& dx) {}

    // While a block is alive, no command reaches a handler: for calls that may pump this
    // thread's messages (a library with a window of its own), during which the window must
    // stay as it is, as if it were disabled. Painting goes on.
    bool HandlersBlocked() const { return blockDepth_ > 0; }
    class HandlerBlock {
    public:
        explicit HandlerBlock(Dialog& d) : dialog_(d) { ++dialog_.blockDepth_; }
        ~HandlerBlock() { --dialog_.blockDepth_; }
        HandlerBlock(const HandlerBlock&) = delete;
        HandlerBlock& operator=(const HandlerBlock&) = delete;

    private:
        Dialog& dialog_;
    };

    // While this is set, notifications from the dialog's own controls are not routed: a change
    // that the program makes never runs a control's handler.
    bool SuppressingNotifications() const { return suppressDepth_ > 0; }
    class NotificationSuppressor {
    public:
        explicit NotificationSuppressor(Dialog& d) : dialog_(d) { ++dialog_.suppressDepth_; }
        ~NotificationSuppressor() { --dialog_.suppressDepth_; }
        NotificationSuppressor(const NotificationSuppressor&) = delete;
        NotificationSuppressor& operator=(const NotificationSuppressor&) = delete;

    private:
        Dialog& dialog_;
    };

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM w, LPARAM l);
    INT_PTR Dispatch(UINT message, WPARAM w, LPARAM l);

    int templateId_;
    HWND hwnd_ = nullptr;
    int suppressDepth_ = 0;
    int blockDepth_ = 0;
};

}  // namespace win

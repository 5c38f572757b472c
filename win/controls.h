// Non-owning wrappers over the controls of a dialog: typed calls instead of raw messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win {

class Control {
public:
    Control() = default;
    Control(HWND dialog, int id) : hwnd_(GetDlgItem(dialog, id)) {}
    explicit Control(HWND hwnd) : hwnd_(hwnd) {}

    HWND Handle() const { return hwnd_; }
    std::string Text() const;
    void SetText(const std::string& text) const;
    void Enable(bool on) const { EnableWindow(hwnd_, on ? TRUE : FALSE); }
    void Show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
    void Focus() const { SetFocus(hwnd_); }

protected:
    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const { return SendMessageA(hwnd_, message, w, l); }

private:
    HWND hwnd_ = nullptr;
};

class Edit : public Control {
public:
    using Control::Control;
    // Caret after the last character, nothing selected, scrolled so that the caret shows.
    void MoveCaretToEnd() const;
    int LineCount() const { return static_cast<int>(Send(EM_GETLINECOUNT)); }
    // Every line, byte for byte, whatever its length and characters. Taken from the whole text:
    // EM_LINELENGTH and EM_LINEINDEX count characters, not the bytes of a double-byte text.
    std::vector<std::string> Lines() const;
    void ScrollLines(int lines) const { Send(EM_LINESCROLL, 0, lines); }
    // Scrolls down by as many lines as the control holds: the end comes into view.
    void ScrollToEnd() const { ScrollLines(LineCount()); }
};

class ListBox : public Control {
public:
    using Control::Control;
    void Reset() const { Send(LB_RESETCONTENT); }
    // Appends at the end, also in a sorted list box (LB_INSERTSTRING with -1 does not sort).
    void Append(const std::string& text) const;
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    std::string ItemText(int index) const;
    int Selection() const { return static_cast<int>(Send(LB_GETCURSEL)); }
    std::string SelectedText() const;
    // LB_SELECTSTRING: the first item from the top that begins with `prefix`, ignoring case.
    // Leaves the selection as it is when `prefix` is empty or nothing matches.
    void SelectByPrefix(const std::string& prefix) const;
    void SetRedraw(bool on) const { Send(WM_SETREDRAW, on ? TRUE : FALSE); }
};

class ComboBox : public Control {
public:
    using Control::Control;
    void Reset() const { Send(CB_RESETCONTENT); }
    void Append(const std::string& text) const;
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    std::string ItemText(int index) const;
    // CB_SELECTSTRING; returns false when no item begins with `prefix`.
    bool SelectByPrefix(const std::string& prefix) const;
};

class CheckBox : public Control {
public:
    using Control::Control;
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool on) const { Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
};

}  // namespace win

// Control wrappers: the message details in one place.
#include "win/controls.h"

#include "win/window_text.h"

namespace win {

std::string Control::Text() const { return GetText(hwnd_); }
void Control::SetText(const std::string& text) const { win::SetText(hwnd_, text); }

void Edit::MoveCaretToEnd() const {
    int length = GetWindowTextLengthA(Handle());
    Send(EM_SETSEL, length, length);
    Send(EM_SCROLLCARET);
}

std::string Edit::Line(int index) const {
    int start = static_cast<int>(Send(EM_LINEINDEX, index));
    if (start < 0) return {};
    size_t length = static_cast<size_t>(Send(EM_LINELENGTH, start));
    if (length + 1 >= 0xFFFF) {
        // EM_GETLINE's buffer size is one WORD: take a longer line from the whole text.
        return GetText(Handle()).substr(static_cast<size_t>(start), length);
    }
    // EM_GETLINE reads the buffer size from the buffer's first WORD and adds no terminator.
    std::string line(length + sizeof(WORD), '\0');
    *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size());
    LRESULT copied = Send(EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data()));
    line.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return line;
}

void ListBox::Append(const std::string& text) const {
    Send(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ListBox::ItemText(int index) const {
    LRESULT length = Send(LB_GETTEXTLEN, index);
    if (length == LB_ERR || length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = Send(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string ListBox::SelectedText() const {
    int selected = Selection();
    return selected == LB_ERR ? std::string() : ItemText(selected);
}

void ListBox::SelectByPrefix(const std::string& prefix) const {
    if (prefix.empty()) return;
    Send(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str()));
}

void ComboBox::Append(const std::string& text) const {
    Send(CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ComboBox::ItemText(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, index);
    if (length == CB_ERR || length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool ComboBox::SelectByPrefix(const std::string& prefix) const {
    if (prefix.empty()) return false;
    return Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str())) != CB_ERR;
}

}  // namespace win

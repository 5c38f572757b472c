// Control wrappers: the message details in one place.
#include "win/controls.h"

#include "win/window_text.h"

namespace win {

std::string Control::Text() const { return GetText(hwnd_); }
void Control::SetText(const std::string& text) const { win::SetText(hwnd_, text); }

void Edit::MoveCaretToEnd() const {
    // Edit positions count characters: the wide length is exact where the "A" one counts bytes.
    int length = GetWindowTextLengthW(Handle());
    Send(EM_SETSEL, length, length);
    Send(EM_SCROLLCARET);
}

std::vector<std::string> Edit::Lines() const { return SplitCrLfLines(GetText(Handle())); }

void ListBox::Append(const std::string& text) const {
    Send(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ListBox::ItemText(int index) const {
    LRESULT length = Send(LB_GETTEXTLEN, index);
    if (length == LB_ERR || length <= 0) return {};
    // LB_GETTEXT takes no buffer size: the room must hold the item however its length was counted.
    std::string text(RoomForText(length), '\0');
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
    std::string text(RoomForText(length), '\0');
    LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

bool ComboBox::SelectByPrefix(const std::string& prefix) const {
    if (prefix.empty()) return false;
    return Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix.c_str())) != CB_ERR;
}

}  // namespace win

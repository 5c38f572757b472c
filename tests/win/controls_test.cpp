// The control wrappers read double-byte texts whole, byte for byte: the "A" length messages may
// count characters, and a code page 932 character takes two bytes.
#include <gtest/gtest.h>

#include "win/controls.h"

namespace {

std::string Wide() {
    std::string text;   // 300 double-byte characters, each with a 0x5C second byte
    for (int i = 0; i < 100; ++i) text += "表ソ能";
    return text;
}

const std::string kTexts[] = {"作業フォルダ表", "ﾊﾝｶｸ and ascii", Wide(), Wide() + std::string(700, 'x')};

struct Window {
    HWND hwnd;
    explicit Window(const char* cls, DWORD style = 0)
        : hwnd(CreateWindowExA(0, cls, "", style, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr)) {}
    ~Window() { DestroyWindow(hwnd); }
};

TEST(Controls, TextsAndItemsComeBackWhole) {
    Window edit("EDIT", ES_AUTOHSCROLL);
    Window list("LISTBOX");
    Window combo("COMBOBOX", CBS_DROPDOWN);
    for (const std::string& text : kTexts) {
        win::Edit(edit.hwnd).SetText(text);
        EXPECT_EQ(win::Edit(edit.hwnd).Text(), text);
        win::ListBox(list.hwnd).Append(text);
        win::ComboBox(combo.hwnd).Append(text);
        win::ComboBox(combo.hwnd).SetText(text);
        EXPECT_EQ(win::ComboBox(combo.hwnd).Text(), text);
    }
    for (int i = 0; i < static_cast<int>(std::size(kTexts)); ++i) {
        EXPECT_EQ(win::ListBox(list.hwnd).ItemText(i), kTexts[i]) << i;
        EXPECT_EQ(win::ComboBox(combo.hwnd).ItemText(i), kTexts[i]) << i;
    }
}

TEST(Controls, EditLinesAreSplitAtEachLineBreak) {
    Window pane("EDIT", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN);
    SendMessageA(pane.hwnd, EM_SETLIMITTEXT, 0, 0);
    std::string text;
    for (const std::string& line : kTexts) text += line + "\r\n";
    win::Edit(pane.hwnd).SetText(text);
    std::vector<std::string> expected(std::begin(kTexts), std::end(kTexts));
    expected.push_back("");
    EXPECT_EQ(win::Edit(pane.hwnd).Lines(), expected);
    EXPECT_EQ(win::Edit(pane.hwnd).LineCount(), static_cast<int>(expected.size()));
}

}  // namespace

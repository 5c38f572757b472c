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

TEST(Controls, TextsItemsAndLinesComeBackWhole) {
    Window edit("EDIT", ES_MULTILINE | ES_AUTOHSCROLL);
    Window list("LISTBOX");
    Window combo("COMBOBOX", CBS_DROPDOWN);
    std::string lines;
    for (const std::string& text : kTexts) {
        lines += text + "\r\n";
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
    // Split at each line break, with the empty line after the last one.
    win::Edit(edit.hwnd).SetText(lines);
    std::vector<std::string> expected(std::begin(kTexts), std::end(kTexts));
    expected.push_back("");
    EXPECT_EQ(win::Edit(edit.hwnd).Lines(), expected);
}

}  // namespace

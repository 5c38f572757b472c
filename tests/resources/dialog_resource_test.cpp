// The dialog resources as the window system builds them, checked for what a person would see
// wrong: a control of the wrong kind, two controls on one id, controls on top of one
// another or cut off by the window's edge, texts cut off by their control; and the pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "resources/main_dialog_ids.h"
#include "resources/pause_dialog_ids.h"
#include "resources/record_dialog_ids.h"
#include "resources/resource_ids.h"
#include "resources/script_dialog_ids.h"
#include "win/window_text.h"

namespace {

INT_PTR CALLBACK PlainProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The dialog made from its resource, with no behaviour of ours behind it, and its controls.
struct BuiltDialog {
    int id;
    HWND hwnd;
    std::vector<HWND> children;
    explicit BuiltDialog(int id)
        : id(id), hwnd(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, PlainProcedure, 0)) {
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    }
    ~BuiltDialog() { DestroyWindow(hwnd); }
};

// A device context of `window` with the dialog's font selected, as its texts are drawn.
struct DialogFontDc {
    HWND window;
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    ~DialogFontDc() { SelectObject(dc, old); ReleaseDC(window, dc); }
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

LONG StyleOf(HWND hwnd) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, GWL_STYLE)); }
int IdOf(HWND hwnd) { return static_cast<short>(GetDlgCtrlID(hwnd)); }  // IDC_STATIC reads as -1
bool IsGroup(HWND c) { return ClassOf(c) == "Button" && (StyleOf(c) & BS_TYPEMASK) == BS_GROUPBOX; }

std::string Describe(HWND c) { return ClassOf(c) + " " + std::to_string(IdOf(c)) + " \"" + win::GetText(c) + "\""; }

// A kind of control: its class and the style bits under `mask` that make it, including whether a
// person sees it from the start and reaches it with Tab.
struct Kind { const char* cls; LONG mask, bits; };
const LONG kOn = WS_VISIBLE | WS_TABSTOP, kLog = ES_MULTILINE | ES_READONLY | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
const LONG kListBits = LBS_NOTIFY | LBS_SORT;
const Kind kEdit{"Edit", ES_MULTILINE | ES_READONLY | kOn, kOn};
const Kind kPush{"Button", BS_TYPEMASK | kOn, BS_PUSHBUTTON | kOn};
const Kind kDefault{"Button", BS_TYPEMASK | kOn, BS_DEFPUSHBUTTON | kOn};

// Every control with an id of its own, by dialog and kind.
struct Controls { int dialog; Kind kind; std::vector<int> ids; };
const Controls kControls[] = {
    {IDD_MAIN, kEdit, {IDC_LZH_PATH, IDC_FILE_NAME, IDC_OTHER_OPTION}},
    {IDD_MAIN, {"ComboBox", 3 | CBS_SORT | kOn, CBS_DROPDOWN | CBS_SORT | kOn}, {IDC_BASE_PATH}},
    {IDD_MAIN, {"ListBox", kListBits | WS_VISIBLE, LBS_NOTIFY | WS_VISIBLE}, {IDC_PATH_LIST}},
    {IDD_MAIN, {"Button", BS_TYPEMASK | kOn, BS_AUTOCHECKBOX | kOn},
     {IDC_RECURSIVE, IDC_FOLDER_NAME, IDC_NEWER_YES, IDC_ALL_ATTRIB, IDC_ENABLE_PATH_LIST}},
    {IDD_MAIN, {"Edit", kLog | WS_VISIBLE, kLog | WS_VISIBLE}, {IDC_OUTPUT_LOG}},
    {IDD_MAIN, kPush, {IDC_EXTRACT, IDC_ADD, IDC_UPDATE, IDC_FRESHEN, IDC_TEST, IDC_LIST, IDC_DELETE, IDC_MAKE_SELF,
                       IDC_SCRIPT, IDC_CLEAR, IDC_CLOSE, IDC_RECALL_1, IDC_RECALL_2, IDC_RECALL_3, IDC_RECORD,
                       IDC_ASSOCIATE}},
    {IDD_MAIN, {"Button", BS_TYPEMASK | kOn, BS_OWNERDRAW | WS_TABSTOP}, {IDC_SHOW_PATH_LIST}},   // shown in its place
    {IDD_SCRIPT, kEdit, {IDC_SCRIPT_PATH, IDC_SCRIPT_COMMENT}},
    {IDD_SCRIPT, {"ListBox", kListBits | kOn, kListBits | kOn}, {IDC_SCRIPT_PATH_LIST}},
    {IDD_SCRIPT, {"Edit", kLog | kOn, (kLog & ~ES_READONLY) | kOn}, {IDC_SCRIPT_CONTENTS}},
    {IDD_SCRIPT, kDefault, {IDC_SCRIPT_RUN}},
    {IDD_SCRIPT, kPush, {IDC_SCRIPT_SHOW, IDC_SCRIPT_APPEND, IDC_SCRIPT_WRITE_ALL, IDC_SCRIPT_CLOSE}},
    {IDD_RECORD, kPush, {IDC_RECORD_SLOT_1, IDC_RECORD_SLOT_2, IDC_RECORD_SLOT_3, IDC_RECORD_CANCEL}},
    {IDD_PAUSE, kDefault, {IDC_PAUSE_CONTINUE}},
    {IDD_PAUSE, kPush, {IDC_PAUSE_STOP}},
};

// Runs `check` on each of the four dialogs, built from its resource.
void ForEachDialog(const std::function<void(const BuiltDialog&)>& check) {
    for (int d : {IDD_MAIN, IDD_SCRIPT, IDD_RECORD, IDD_PAUSE}) {
        SCOPED_TRACE("dialog " + std::to_string(d));
        BuiltDialog dialog(d);
        ASSERT_TRUE(dialog.hwnd);
        check(dialog);
    }
}

TEST(DialogResources, EveryControlHasItsKind) {
    ForEachDialog([](const BuiltDialog& dialog) {
        size_t listed = 0;
        for (const Controls& row : kControls) {
            if (row.dialog != dialog.id) continue;
            listed += row.ids.size();
            for (int id : row.ids) {
                HWND c = GetDlgItem(dialog.hwnd, id);
                EXPECT_EQ(ClassOf(c), row.kind.cls) << id;
                EXPECT_EQ(StyleOf(c) & row.kind.mask, row.kind.bits) << Describe(c);
                // The vertical scroll bar shows once the items do not fit.
                const bool list = ClassOf(c) == "ListBox";
                for (int i = 0; list && i < 40; ++i) SendMessageA(c, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
                EXPECT_TRUE(!list || (StyleOf(c) & WS_VSCROLL)) << Describe(c);
            }
        }
        // Every control with an id of its own is in the table, so no two controls share an id.
        size_t withId = 0;
        for (HWND c : dialog.children) withId += IdOf(c) != IDC_STATIC;
        EXPECT_EQ(withId, listed);
    });
}

// Position and size are mapped from dialog units apart, so neighbours may share a pixel.
bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) && common.right - common.left > 1 && common.bottom - common.top > 1;
}

bool Inside(const RECT& in, const RECT& out) {
    return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
}

TEST(DialogResources, ControlsStayInsideTheWindowAndOffOneAnother) {
    ForEachDialog([](const BuiltDialog& dialog) {
        RECT client;
        GetClientRect(dialog.hwnd, &client);
        std::vector<std::pair<HWND, RECT>> shown;   // with its place in the dialog
        for (HWND c : dialog.children) {
            // The logo takes its bitmap's size, wider than its place: it has always run under the
            // edge of the recall group, and is left out once its picture is found there.
            if (ClassOf(c) == "Static" && (StyleOf(c) & SS_TYPEMASK) == SS_BITMAP)
                EXPECT_TRUE(SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0)) << "the logo";
            else if (StyleOf(c) & WS_VISIBLE) {
                RECT r;
                GetWindowRect(c, &r);
                MapWindowPoints(nullptr, dialog.hwnd, reinterpret_cast<POINT*>(&r), 2);
                shown.push_back({c, r});
            }
        }
        for (auto i = shown.begin(); i != shown.end(); ++i) {
            const auto& [c, a] = *i;
            EXPECT_TRUE(Inside(a, client)) << Describe(c) << " is cut off";
            for (auto j = i + 1; j != shown.end(); ++j) {
                const auto& [d, b] = *j;
                // A group box frames what lies wholly inside it.
                const bool framed = (IsGroup(c) && Inside(b, a)) || (IsGroup(d) && Inside(a, b));
                EXPECT_TRUE(!Overlap(a, b) || framed) << Describe(c) << " overlaps " << Describe(d);
            }
        }
    });
}

TEST(DialogResources, EveryTextFitsItsControl) {
    ForEachDialog([](const BuiltDialog& dialog) {
        const DialogFontDc font{dialog.hwnd};
        TEXTMETRICA metrics{};
        GetTextMetricsA(font.dc, &metrics);
        for (HWND c : dialog.children) {
            const std::string cls = ClassOf(c), text = win::GetText(c);
            if ((cls != "Button" && cls != "Static") || text.empty() || !(StyleOf(c) & WS_VISIBLE)) continue;
            if (cls == "Static" && (StyleOf(c) & SS_TYPEMASK) != SS_LEFT) continue;
            // The room a control leaves for its text: a push button's frame, a check box's box.
            RECT room;
            GetClientRect(c, &room);
            const LONG type = cls == "Button" ? StyleOf(c) & BS_TYPEMASK : BS_GROUPBOX;
            if (type == BS_AUTOCHECKBOX) room.right -= GetSystemMetrics(SM_CXMENUCHECK);
            else if (type != BS_GROUPBOX) room.right -= 2 * GetSystemMetrics(SM_CXEDGE);
            // Labels wrap at their width and must show every line, if not every descender; the
            // others keep one line.
            RECT need{0, 0, room.right, 0};
            const UINT wrap = cls == "Static" ? DT_WORDBREAK : DT_SINGLELINE;
            DrawTextA(font.dc, text.c_str(), static_cast<int>(text.size()), &need, DT_CALCRECT | wrap);
            EXPECT_LE(need.right, room.right) << Describe(c) << " is cut";
            EXPECT_LE(need.bottom - metrics.tmDescent, room.bottom) << Describe(c) << " is cut";
        }
    });
}

TEST(MainDialogResource, WindowHasItsFrameAndAFontWithJapaneseGlyphs) {
    BuiltDialog dialog(IDD_MAIN);
    const LONG frame = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(StyleOf(dialog.hwnd) & (frame | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), frame);
    EXPECT_TRUE(GetWindowLongPtrA(dialog.hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    // A Japanese label as the window system hands it back: the resource was read as UTF-8.
    const std::string japanese = win::GetText(GetDlgItem(dialog.hwnd, IDC_ASSOCIATE));
    EXPECT_EQ(japanese, "関連付け");
    // A missing substitute for the requested face would show empty boxes for Japanese labels.
    WORD glyphs[8] = {};
    EXPECT_EQ(GetGlyphIndicesA(DialogFontDc{dialog.hwnd}.dc, japanese.c_str(), static_cast<int>(japanese.size()),
                               glyphs, GGI_MARK_NONEXISTING_GLYPHS), 4u);
    EXPECT_EQ(std::count(glyphs, glyphs + 4, 0xFFFF), 0) << "characters without a glyph";
}

// The button's three faces take turns in one place: a face of another size would be cut or leave a gap.
TEST(Pictures, TheButtonFacesShareOneSizeAndTheIconsLoad) {
    std::set<std::pair<LONG, LONG>> sizes;
    for (const char* name : {"BT9U", "BT9D", "BT9X"}) {
        HANDLE image = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        BITMAP bitmap{};
        EXPECT_TRUE(GetObjectA(image, sizeof bitmap, &bitmap)) << name;
        DeleteObject(image);
        sizes.insert({bitmap.bmWidth, bitmap.bmHeight});
    }
    EXPECT_EQ(sizes.size(), 1u);
    for (int icon : {IDI_PROGRAM, IDI_SCRIPT_FILE, IDI_ARCHIVE})
        EXPECT_TRUE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon))) << icon;
}

}  // namespace

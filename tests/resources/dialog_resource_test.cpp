// The dialog resources as the window system builds them: the main window's controls against its
// layout table (order, ids, kinds, styles, texts, positions), the window itself, the pictures,
// and one id per control in every dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "resources/main_dialog_ids.h"
#include "resources/resource_ids.h"
#include "win/window_text.h"

namespace {

INT_PTR CALLBACK PlainProcedure(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The dialog made from its resource, with no behaviour of ours behind it.
struct BuiltDialog {
    HWND hwnd;
    explicit BuiltDialog(int id)
        : hwnd(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, PlainProcedure, 0)) {}
    ~BuiltDialog() { DestroyWindow(hwnd); }
    std::vector<HWND> Children() const {
        std::vector<HWND> children;
        for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        return children;
    }
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

LONG StyleOf(HWND hwnd) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, GWL_STYLE)); }
int IdOf(HWND hwnd) { return static_cast<short>(GetDlgCtrlID(hwnd)); }  // IDC_STATIC reads as -1

enum class Kind { Edit, MultiLineLog, Combo, List, AutoCheck, Push, OwnerDraw, Label, Picture, Group };

struct Row {
    int id;
    Kind kind;
    const char* text;  // null: not compared
    bool tabStop;
    RECT units;  // x, y, width, height in dialog units
};

// The main window's controls in window order, which is also the tab order.
const Row kMainRows[] = {
    {IDC_LZH_PATH, Kind::Edit, nullptr, true, {7, 13, 134, 12}},
    {IDC_BASE_PATH, Kind::Combo, nullptr, true, {148, 13, 136, 194}},
    {IDC_PATH_LIST, Kind::List, nullptr, false, {7, 39, 134, 52}},
    {IDC_FILE_NAME, Kind::Edit, nullptr, true, {148, 36, 72, 12}},
    {IDC_RECURSIVE, Kind::AutoCheck, "Recursive(-r1)", true, {150, 49, 68, 10}},
    {IDC_FOLDER_NAME, Kind::AutoCheck, "FolderName(-x1)", true, {150, 60, 70, 10}},
    {IDC_NEWER_YES, Kind::AutoCheck, "NewerYes(-jyo)", true, {150, 71, 68, 11}},
    {IDC_ALL_ATTRIB, Kind::AutoCheck, "AllAttrib(-a1)", true, {150, 83, 64, 10}},
    {IDC_OTHER_OPTION, Kind::Edit, nullptr, true, {223, 80, 60, 12}},
    {IDC_EXTRACT, Kind::Push, "&Extract", true, {3, 97, 47, 14}},
    {IDC_ADD, Kind::Push, "&Add", true, {3, 114, 47, 14}},
    {IDC_UPDATE, Kind::Push, "&Update", true, {3, 131, 47, 14}},
    {IDC_FRESHEN, Kind::Push, "&Freshen", true, {3, 148, 47, 14}},
    {IDC_TEST, Kind::Push, "&Test", true, {3, 165, 47, 14}},
    {IDC_LIST, Kind::Push, "&List", true, {3, 182, 47, 14}},
    {IDC_DELETE, Kind::Push, "&Delete", true, {3, 199, 47, 14}},
    {IDC_MAKE_SELF, Kind::Push, "&Make Self", true, {3, 216, 47, 14}},
    {IDC_SCRIPT, Kind::Push, "&Script", true, {228, 31, 51, 18}},
    {IDC_CLEAR, Kind::Push, "Clear", true, {251, 223, 31, 11}},
    {IDC_CLOSE, Kind::Push, "Close", true, {251, 236, 31, 11}},
    {IDC_OUTPUT_LOG, Kind::MultiLineLog, "", false, {53, 97, 230, 126}},
    {IDC_STATIC, Kind::Label, "Other Option", false, {223, 70, 49, 8}},
    {IDC_STATIC, Kind::Label, "Base Path", false, {151, 5, 69, 8}},
    {IDC_STATIC, Kind::Label, "File Name", false, {150, 28, 45, 8}},
    {IDC_STATIC, Kind::Picture, nullptr, false, {7, 234, 67, 7}},
    {IDC_ENABLE_PATH_LIST, Kind::AutoCheck, "Enable &Path List", true, {8, 27, 80, 10}},
    {IDC_SHOW_PATH_LIST, Kind::OwnerDraw, "BT9", true, {34, 60, 17, 14}},
    {IDC_STATIC, Kind::Group, "LZH Path", false, {4, 3, 139, 91}},
    {IDC_RECALL_1, Kind::Push, "&1", true, {90, 233, 22, 11}},
    {IDC_RECALL_2, Kind::Push, "&2", true, {118, 233, 22, 11}},
    {IDC_RECALL_3, Kind::Push, "&3", true, {146, 233, 22, 11}},
    {IDC_RECORD, Kind::Push, "&REC", true, {174, 233, 22, 11}},
    {IDC_STATIC, Kind::Group, "ReCall Parameter", false, {86, 223, 114, 24}},
    {IDC_ASSOCIATE, Kind::Push, "関連付け", true, {208, 232, 39, 12}},
};

// The class and the style bits that make each kind of control.
void ExpectKind(HWND c, Kind kind) {
    LONG s = StyleOf(c);
    std::string cls = ClassOf(c);
    switch (kind) {
    case Kind::Edit:
        EXPECT_EQ(cls, "Edit");
        EXPECT_EQ(s & (ES_MULTILINE | ES_READONLY), 0);
        break;
    case Kind::MultiLineLog: {
        EXPECT_EQ(cls, "Edit");
        LONG wanted = ES_MULTILINE | ES_READONLY | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL;
        EXPECT_EQ(s & wanted, wanted);
        break;
    }
    case Kind::Combo:
        EXPECT_EQ(cls, "ComboBox");
        EXPECT_EQ(s & 3, CBS_DROPDOWN);
        EXPECT_TRUE(s & CBS_SORT);
        break;
    case Kind::List:
        EXPECT_EQ(cls, "ListBox");
        EXPECT_TRUE(s & LBS_NOTIFY);
        EXPECT_FALSE(s & LBS_SORT);
        // The vertical scroll bar shows once the items do not fit.
        for (int i = 0; i < 40; ++i) SendMessageA(c, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
        EXPECT_TRUE(StyleOf(c) & WS_VSCROLL);
        SendMessageA(c, LB_RESETCONTENT, 0, 0);
        break;
    case Kind::AutoCheck:
        EXPECT_EQ(cls, "Button");
        EXPECT_EQ(s & BS_TYPEMASK, BS_AUTOCHECKBOX);
        break;
    case Kind::Push:
        EXPECT_EQ(cls, "Button");
        // Plain push buttons only: no button is the default one.
        EXPECT_EQ(s & BS_TYPEMASK, BS_PUSHBUTTON);
        break;
    case Kind::OwnerDraw:
        EXPECT_EQ(cls, "Button");
        EXPECT_EQ(s & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_FALSE(s & WS_VISIBLE);
        break;
    case Kind::Label:
        EXPECT_EQ(cls, "Static");
        EXPECT_EQ(s & SS_TYPEMASK, SS_LEFT);
        break;
    case Kind::Picture:
        EXPECT_EQ(cls, "Static");
        EXPECT_EQ(s & SS_TYPEMASK, SS_BITMAP);
        break;
    case Kind::Group:
        EXPECT_EQ(cls, "Button");
        EXPECT_EQ(s & BS_TYPEMASK, BS_GROUPBOX);
        break;
    }
    if (kind != Kind::OwnerDraw) {
        EXPECT_TRUE(s & WS_VISIBLE);
    }
}

RECT InDialog(HWND dialog, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Pixels(HWND dialog, RECT units) {
    RECT r{units.left, units.top, units.left + units.right, units.top + units.bottom};
    MapDialogRect(dialog, &r);
    return r;
}

TEST(MainDialogResource, ControlsMatchTheLayoutInTabOrder) {
    BuiltDialog dialog(IDD_MAIN);
    ASSERT_TRUE(dialog.hwnd);
    std::vector<HWND> children = dialog.Children();
    ASSERT_EQ(children.size(), std::size(kMainRows));
    for (size_t i = 0; i < children.size(); ++i) {
        const Row& row = kMainRows[i];
        HWND c = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(row.id));
        EXPECT_EQ(IdOf(c), row.id);
        ExpectKind(c, row.kind);
        if (row.text) {
            EXPECT_EQ(win::GetText(c), row.text);
        }
        EXPECT_EQ((StyleOf(c) & WS_TABSTOP) != 0, row.tabStop);

        // Position and size are mapped apart, as the window system does when it creates them.
        RECT place = Pixels(dialog.hwnd, {row.units.left, row.units.top, 0, 0});
        RECT size = Pixels(dialog.hwnd, {0, 0, row.units.right, row.units.bottom});
        RECT got = InDialog(dialog.hwnd, c);
        EXPECT_EQ(got.left, place.left);
        EXPECT_EQ(got.top, place.top);
        if (row.kind == Kind::Picture) continue;  // a bitmap static takes its picture's size
        EXPECT_EQ(got.right - got.left, size.right);
        int height = got.bottom - got.top;
        if (row.kind == Kind::Combo) {
            // The height reaches down to the bottom of the dropped-down list. Windows reports
            // that bottom; Wine reports the combo box's top plus the list's own height, and its
            // borders may differ by a few pixels.
            RECT dropped;
            SendMessageA(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, dialog.hwnd, reinterpret_cast<POINT*>(&dropped), 2);
            int reach = dropped.bottom - got.top;
            EXPECT_TRUE(std::abs(reach - size.bottom) <= 2 || std::abs(reach + height - size.bottom) <= 4)
                << reach << " + " << height << " against " << size.bottom;
        } else if (row.kind == Kind::List) {
            // A list box trims its height to whole items, measured before its font is set.
            int item = static_cast<int>(SendMessageA(c, LB_GETITEMHEIGHT, 0, 0));
            EXPECT_LE(height, size.bottom);
            EXPECT_GE(height, size.bottom - 2 * item) << "item height " << item;
        } else {
            EXPECT_EQ(height, size.bottom);
        }
    }
}

TEST(MainDialogResource, WindowHasItsCaptionFrameSizeAndFont) {
    BuiltDialog dialog(IDD_MAIN);
    ASSERT_TRUE(dialog.hwnd);
    EXPECT_EQ(win::GetText(dialog.hwnd), "ZAVO v.1.9");
    LONG style = StyleOf(dialog.hwnd);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrA(dialog.hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    RECT client;
    GetClientRect(dialog.hwnd, &client);
    RECT want = Pixels(dialog.hwnd, {0, 0, 286, 251});
    EXPECT_EQ(client.right, want.right);
    EXPECT_EQ(client.bottom, want.bottom);

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog.hwnd, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    ASSERT_TRUE(GetObjectA(font, sizeof face, &face));
    EXPECT_STREQ(face.lfFaceName, "ＭＳ ゴシック");
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(face.lfHeight, -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72));

    // The font that draws the labels has the Japanese glyphs: a missing substitute for the
    // requested face would show empty boxes instead.
    HGDIOBJ old = SelectObject(screen, font);
    const std::string japanese = "関連付け";
    WORD glyphs[8] = {};
    int n = static_cast<int>(GetGlyphIndicesA(screen, japanese.c_str(), static_cast<int>(japanese.size()), glyphs,
                                              GGI_MARK_NONEXISTING_GLYPHS));
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(n, 4);
    for (int i = 0; i < n; ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "character " << i;
}

TEST(Pictures, HaveTheirSizesAndColours) {
    const struct {
        const char* name;
        int width, height;
    } cases[] = {
        {MAKEINTRESOURCEA(IDB_LOGO), 151, 16}, {"BT9U", 159, 39}, {"BT9D", 159, 39}, {"BT9X", 159, 39}};
    for (const auto& c : cases) {
        HANDLE image = LoadImageA(GetModuleHandleA(nullptr), c.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_TRUE(image);
        DIBSECTION dib{};
        ASSERT_TRUE(GetObjectA(image, sizeof dib, &dib));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 4);
        DeleteObject(image);
    }
    for (int icon : {IDI_PROGRAM, IDI_SCRIPT_FILE, IDI_ARCHIVE}) {
        EXPECT_TRUE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon))) << icon;
    }
}

TEST(DialogResources, NoDialogGivesTwoControlsOneId) {
    for (int id : {IDD_MAIN, IDD_SCRIPT, IDD_RECORD, IDD_PAUSE}) {
        BuiltDialog dialog(id);
        ASSERT_TRUE(dialog.hwnd) << "dialog " << id;
        std::set<int> seen;
        for (HWND c : dialog.Children()) {
            if (IdOf(c) == IDC_STATIC) continue;
            EXPECT_TRUE(seen.insert(IdOf(c)).second) << "dialog " << id << " repeats id " << IdOf(c);
        }
    }
}

}  // namespace

// The main window's own behaviour: construction, set-up, data exchange, painting, routing of
// control notifications to the features' handlers, "Clear" and Enter.
#include "app/main_dialog.h"

#include "resources/main_dialog_ids.h"
#include "resources/resource_ids.h"
#include "win/controls.h"

namespace zavo {

MainDialog::MainDialog(ArchiverEngine& engine, ProgramState& state, std::string_view commandLine)
    : win::Dialog(IDD_MAIN), engine_(engine), state_(state) {
    icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM));
    StartArgument argument = ParseCommandLine(commandLine);
    if (argument.kind == ArgumentKind::Archive) {
        fields_.values.lzhPath = argument.path;
    } else if (argument.kind == ArgumentKind::Script) {
        fields_.scriptArgument = argument.path;
        fields_.startupScript = true;
        ReadStartupScript();
    }
}

void MainDialog::Exchange(win::DataExchange& dx) {
    dx.Text(IDC_OUTPUT_LOG, fields_.outputText);
    CommandValues& values = fields_.values;
    dx.Text(IDC_LZH_PATH, values.lzhPath);
    dx.Text(IDC_FILE_NAME, values.fileName);
    dx.Check(IDC_RECURSIVE, values.switches.recursive);
    dx.Check(IDC_FOLDER_NAME, values.switches.folderName);
    dx.Text(IDC_OTHER_OPTION, values.otherOption);
    dx.ListSelection(IDC_PATH_LIST, fields_.pathListSelection);
    dx.Check(IDC_ENABLE_PATH_LIST, fields_.enablePathList);
    dx.Check(IDC_NEWER_YES, values.switches.newerYes);
    dx.ComboText(IDC_BASE_PATH, values.basePath);
    dx.Check(IDC_ALL_ATTRIB, values.switches.allAttrib);
}

bool MainDialog::OnInit() {
    // The log only grows until "Clear": lift the edit control's default limit.
    SendDlgItemMessageA(Handle(), IDC_OUTPUT_LOG, EM_SETLIMITTEXT, 0, 0);
    UpdateFields(win::Direction::ToControls);
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    LoadBt9Faces();
    win::Control(Handle(), IDC_BT9).Show(false);
    return true;  // the focus goes to the first tab stop, the "LZH Path" edit
}

void MainDialog::OnOK() {
    // Enter and "&Extract" share the accept identity; the window never closes on Enter.
    OnCommandButton("e ");
}

bool MainDialog::OnCommand(int id, int code, HWND control) {
    if (!control) return false;  // accelerators and Enter/Escape go to OnOK/OnCancel
    switch (id) {
    case IDC_EXTRACT: if (code == BN_CLICKED) OnCommandButton("e "); return true;
    case IDC_ADD: if (code == BN_CLICKED) OnCommandButton("a "); return true;
    case IDC_UPDATE: if (code == BN_CLICKED) OnCommandButton("u "); return true;
    case IDC_FRESHEN: if (code == BN_CLICKED) OnCommandButton("f "); return true;
    case IDC_TEST: if (code == BN_CLICKED) OnCommandButton("t "); return true;
    case IDC_LIST: if (code == BN_CLICKED) OnCommandButton("l "); return true;
    case IDC_DELETE: if (code == BN_CLICKED) OnCommandButton("d "); return true;
    case IDC_MAKE_SELF: if (code == BN_CLICKED) OnCommandButton("s "); return true;
    case IDC_CLEAR: if (code == BN_CLICKED) OnClear(); return true;
    case IDC_LZH_PATH: if (code == EN_CHANGE) OnLzhPathChanged(); return true;
    case IDC_PATH_LIST:
        if (code == LBN_DBLCLK || code == LBN_KILLFOCUS) CommitPathListEntry();
        return true;
    case IDC_ENABLE_PATH_LIST: if (code == BN_CLICKED) OnEnablePathListClicked(); return true;
    case IDC_BT9: if (code == BN_CLICKED) OnBt9Clicked(); return true;
    case IDC_BASE_PATH:
        if (code == CBN_DROPDOWN) OnBasePathDropDown();
        else if (code == CBN_CLOSEUP) OnBasePathCloseUp();
        return true;
    case IDC_RECALL_1: if (code == BN_CLICKED) OnRecall(1); return true;
    case IDC_RECALL_2: if (code == BN_CLICKED) OnRecall(2); return true;
    case IDC_RECALL_3: if (code == BN_CLICKED) OnRecall(3); return true;
    case IDC_RECORD: if (code == BN_CLICKED) OnRecord(); return true;
    case IDC_SCRIPT: if (code == BN_CLICKED) OnScript(); return true;
    case IDC_ASSOCIATE: if (code == BN_CLICKED) OnAssociate(); return true;
    default: return false;
    }
}

INT_PTR MainDialog::OnMessage(UINT message, WPARAM w, LPARAM l, bool& handled) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        handled = true;
        return TRUE;
    case WM_QUERYDRAGICON:
        handled = true;
        return reinterpret_cast<INT_PTR>(icon_);
    case WM_DRAWITEM:
        if (w == IDC_BT9) {
            handled = DrawBt9(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void MainDialog::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (IsIconic(Handle())) {
        SendMessageA(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        GetClientRect(Handle(), &client);
        int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon_);
        EndPaint(Handle(), &ps);
        return;
    }
    EndPaint(Handle(), &ps);
    if (HandlersBlocked()) return;
    if (fields_.startupScript) {
        RunStartupScript();
    } else if (fields_.firstPaint) {
        fields_.enablePathList = true;
        UpdateFields(win::Direction::ToControls);
        fields_.firstPaint = false;
    }
}

void MainDialog::OnClear() {
    fields_.outputText.clear();
    UpdateFields(win::Direction::ToControls);
}

void MainDialog::ScrollOutputToEnd() { win::Edit(Handle(), IDC_OUTPUT_LOG).ScrollToEnd(); }

}  // namespace zavo

// The main window's own behaviour: construction, set-up, data exchange, painting, routing of
// control notifications, "Clear", Enter, the path list's switch, the base path drop-down, the
// recall slots and the file-type registration.
#include "app/main_dialog.h"

#include "paths/base_path_list.h"
#include "resources/resource_ids.h"
#include "settings/record_dialog.h"
#include "settings/settings_store.h"
#include "shell/associate.h"
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
    showPathList_.Load(Item(IDC_SHOW_PATH_LIST), "BT9U", "BT9D", "BT9X");
    win::Control(Handle(), IDC_SHOW_PATH_LIST).Show(false);
    return true;  // the focus goes to the first tab stop, the "LZH Path" edit
}

void MainDialog::OnOK() {
    // Enter and "&Extract" share the accept identity; the window never closes on Enter.
    OnCommandButton("e ");
}

bool MainDialog::OnCommand(int id, int code, HWND control) {
    if (!control) return false;  // accelerators and Enter/Escape go to OnOK/OnCancel
    if (pathList_.Route(id, code)) return true;
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
    case IDC_ENABLE_PATH_LIST: if (code == BN_CLICKED) ApplyPathListSwitch(); return true;
    case IDC_SHOW_PATH_LIST: if (code == BN_CLICKED) OnShowPathListClicked(); return true;
    case IDC_BASE_PATH:
        if (code == CBN_DROPDOWN) {
            paths::FillBasePathList(Handle(), IDC_BASE_PATH, fields_.values.basePath,
                                    [this](win::Direction d) { UpdateFields(d); });
        } else if (code == CBN_CLOSEUP) {
            paths::PutComboCaretAtEnd(Handle(), IDC_BASE_PATH);
        }
        return true;
    case IDC_RECALL_1: if (code == BN_CLICKED) OnRecall(1); return true;
    case IDC_RECALL_2: if (code == BN_CLICKED) OnRecall(2); return true;
    case IDC_RECALL_3: if (code == BN_CLICKED) OnRecall(3); return true;
    case IDC_RECORD: if (code == BN_CLICKED) OnRecord(); return true;
    case IDC_SCRIPT: if (code == BN_CLICKED) OnScript(); return true;
    case IDC_ASSOCIATE: if (code == BN_CLICKED) AssociateScriptFiles(Handle()); return true;
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
        if (w == IDC_SHOW_PATH_LIST) {
            handled = showPathList_.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
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

void MainDialog::ApplyPathListSwitch() {
    UpdateFields(win::Direction::ToFields);
    win::ListBox list(Handle(), IDC_PATH_LIST);
    win::Control showButton(Handle(), IDC_SHOW_PATH_LIST);
    if (fields_.enablePathList) {
        pathList_.Refill();
        showButton.Enable(false);
        showButton.Show(false);
        list.Show(true);
    } else {
        list.Reset();
        list.Show(false);
        showButton.Show(true);
        showButton.Enable(true);
    }
    UpdateFields(win::Direction::ToControls);
}

void MainDialog::OnShowPathListClicked() {
    win::Control(Handle(), IDC_SHOW_PATH_LIST).Enable(false);
    fields_.enablePathList = true;
    UpdateFields(win::Direction::ToControls);
    ApplyPathListSwitch();
}

void MainDialog::OnRecall(int slot) {
    // A slot that was never recorded changes nothing, not even text typed since the last exchange.
    if (!LoadSlot(slot, fields_.values)) return;
    UpdateFields(win::Direction::ToControls);
    // The exchange does not raise the path edit's change handling, so refill by hand.
    pathList_.Refill();
}

void MainDialog::OnRecord() {
    UpdateFields(win::Direction::ToFields);
    RecordDialog(fields_.values).RunModal(Handle());
}

}  // namespace zavo

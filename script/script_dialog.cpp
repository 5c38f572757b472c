// The script editor's buttons: show, append, write all, run and close, and its path list.
#include "script/script_dialog.h"

#include <optional>
#include <vector>

#include "resources/resource_ids.h"
#include "script/script_format.h"
#include "script/text_mode_file.h"
#include "win/controls.h"
#include "win/message_box.h"

namespace zavo {

ScriptDialog::ScriptDialog(const CommandValues& values, std::string& lastScriptPath)
    : win::Dialog(IDD_SCRIPT), values_(values), lastScriptPath_(lastScriptPath) {
    fields_.path = lastScriptPath_;
}

void ScriptDialog::Exchange(win::DataExchange& dx) {
    dx.Text(IDC_SCRIPT_PATH, fields_.path);
    dx.Text(IDC_SCRIPT_COMMENT, fields_.comment);
    dx.Text(IDC_SCRIPT_CONTENTS, fields_.contents);
    dx.ListSelection(IDC_SCRIPT_PATH_LIST, fields_.listSelection);
}

bool ScriptDialog::OnInit() {
    // A script may be longer than the edit control's default limit.
    SendDlgItemMessageA(Handle(), IDC_SCRIPT_CONTENTS, EM_SETLIMITTEXT, 0, 0);
    UpdateFields(win::Direction::ToControls);
    return true;
}

bool ScriptDialog::OnCommand(int id, int code, HWND control) {
    if (!control) return false;
    if (pathList_.Route(id, code)) return true;
    switch (id) {
    case IDC_SCRIPT_SHOW: if (code == BN_CLICKED) OnShowFile(); return true;
    case IDC_SCRIPT_APPEND: if (code == BN_CLICKED) OnAppendEntry(); return true;
    case IDC_SCRIPT_WRITE_ALL: if (code == BN_CLICKED) OnWriteAll(); return true;
    default: return false;
    }
}

void ScriptDialog::OnOK() {
    lastScriptPath_ = fields_.path;
    UpdateFields(win::Direction::ToFields);
    End(IDOK);
}

void ScriptDialog::OnCancel() {
    // The path field follows every edit (each one refills the list, which reads the fields).
    lastScriptPath_ = fields_.path;
    End(IDCANCEL);
}

void ScriptDialog::PreparePath() {
    UpdateFields(win::Direction::ToFields);
    fields_.path = WithoutFinalLineFeed(fields_.path);
}

void ScriptDialog::ReportCannotOpen() {
    win::ShowMessage(Handle(), fields_.path + "がオープンできません。", "ZAVO", MB_OKCANCEL | MB_ICONEXCLAMATION);
}

bool ScriptDialog::ShowFile() {
    std::optional<std::string> text = ShowScriptFile(fields_.path);
    if (!text) return false;
    fields_.contents = std::move(*text);
    UpdateFields(win::Direction::ToControls);
    win::Edit(Handle(), IDC_SCRIPT_CONTENTS).ScrollToEnd();
    lastScriptPath_ = fields_.path;
    return true;
}

void ScriptDialog::OnShowFile() {
    PreparePath();
    if (!ShowFile()) ReportCannotOpen();
}

void ScriptDialog::OnAppendEntry() {
    PreparePath();
    if (!AppendScriptEntry(fields_.path, fields_.comment, values_) || !ShowFile()) ReportCannotOpen();
}

void ScriptDialog::OnWriteAll() {
    PreparePath();
    std::vector<std::string> lines = win::Edit(Handle(), IDC_SCRIPT_CONTENTS).Lines();
    if (!WritePaneLines(fields_.path, lines) || !ShowFile()) ReportCannotOpen();
}

}  // namespace zavo

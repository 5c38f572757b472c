// The record dialog: "No. 1".."No. 3" write the slot, "ｷｬﾝｾﾙ", Escape and the close box do not.
#include "settings/record_dialog.h"

#include "resources/record_dialog_ids.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "win/message_box.h"

namespace zavo {

RecordDialog::RecordDialog(const CommandValues& values) : win::Dialog(IDD_RECORD), values_(values) {}

bool RecordDialog::OnInit() {
    SetFocus(Item(IDC_RECORD_SLOT_1));
    return false;
}

bool RecordDialog::OnCommand(int id, int code, HWND control) {
    if (!control || code != BN_CLICKED) return false;
    switch (id) {
    case IDC_RECORD_SLOT_2: RecordInto(2); return true;
    case IDC_RECORD_SLOT_3: RecordInto(3); return true;
    default: return false;  // "No. 1" and "ｷｬﾝｾﾙ" arrive as OnOK and OnCancel
    }
}

void RecordDialog::OnOK() { RecordInto(1); }

void RecordDialog::RecordInto(int slot) {
    if (std::optional<SaveFailure> failure = SaveSlot(slot, values_)) {
        // Tell the user instead of closing as if it had worked: the slot keeps its old values.
        std::string where = "HKEY_CURRENT_USER\\" + failure->keyPath;
        if (!failure->valueName.empty()) where += " (" + failure->valueName + ")";
        win::ShowMessage(Handle(), "パラメータを記録できませんでした。\n" + where, "ZAVO", MB_OK | MB_ICONEXCLAMATION);
        End(IDABORT);
        return;
    }
    End(IDOK);
}

}  // namespace zavo

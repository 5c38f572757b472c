// The recall buttons "&1".."&3" and "&REC" of the main window.
#include "app/main_dialog.h"
#include "settings/chk_opt.h"
#include "settings/record_dialog.h"
#include "settings/settings_store.h"
#include "settings/window_transfer.h"

namespace zavo {

void MainDialog::OnRecall(int slot) {
    // A slot that was never recorded changes nothing, not even text typed since the last exchange.
    std::optional<ParameterSet> set = LoadSlot(slot);
    if (!set) return;
    fields_.lzhPath = set->lzhPath;
    fields_.basePath = set->basePath;
    fields_.fileName = set->file;
    fields_.otherOption = set->otherOpt;
    CheckOptions options = DecodeChkOpt(set->chkOpt);
    fields_.recursive = options.recursive;
    fields_.allAttrib = options.allAttrib;
    fields_.newerYes = options.newerYes;
    fields_.folderName = options.folderName;
    UpdateFields(win::Direction::ToControls);
    // The exchange does not raise the path edit's change handling, so refill by hand.
    RefillPathList();
}

void MainDialog::OnRecord() {
    UpdateFields(win::Direction::ToFields);
    state_.transfer = TransferFromWindow(fields_, EncodeChkOpt);
    RecordDialog dialog(state_.transfer);
    dialog.RunModal(Handle());
}

}  // namespace zavo

// The recall buttons "&1".."&3" and "&REC" of the main window.
#include "app/main_dialog.h"
#include "settings/record_dialog.h"
#include "settings/settings_store.h"

namespace zavo {

void MainDialog::OnRecall(int slot) {
    // A slot that was never recorded changes nothing, not even text typed since the last exchange.
    if (!LoadSlot(slot, fields_.values)) return;
    UpdateFields(win::Direction::ToControls);
    // The exchange does not raise the path edit's change handling, so refill by hand.
    RefillPathList();
}

void MainDialog::OnRecord() {
    UpdateFields(win::Direction::ToFields);
    RecordDialog dialog(fields_.values);
    dialog.RunModal(Handle());
}

}  // namespace zavo

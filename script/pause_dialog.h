// The pause of a script, "一時停止": "続行" closes it with OK, "中止", Escape and the close box
// with Cancel. It has no behaviour beyond the dialog's own.
#pragma once

#include "resources/resource_ids.h"
#include "win/dialog.h"

namespace zavo {

class PauseDialog : public win::Dialog {
public:
    PauseDialog() : win::Dialog(IDD_PAUSE) {}

    // Shows the pause over `owner`; true only when the user chose "続行".
    bool AskToContinue(HWND owner) { return RunModal(owner) == IDOK; }
};

}  // namespace zavo

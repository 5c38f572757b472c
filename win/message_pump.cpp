// Dispatching one message of a modeless dialog.
#include "win/message_pump.h"

namespace win {

void DispatchToDialog(HWND dialog, MSG& message) {
    if (IsDialogMessageA(dialog, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace win

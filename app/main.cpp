// Program start: the program-wide strings, the main window run modally, and the end.
#include <windows.h>
#include <commctrl.h>

#include "app/main_dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    zavo::ProgramState state;
    zavo::MainDialog dialog(zavo::LibraryEngine(), state, GetCommandLineA());
    dialog.RunModal(nullptr);
    return 0;
}

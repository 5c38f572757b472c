// A person presses a command button while the archiver library is busy: the "Warning" box
// offers to try again, and the program ends with status 1 when the library stays busy (the
// other answers are the main window test's BusyProtocol cases).
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

TEST(BusyWarning, OkTwiceOnABusyLibraryEndsTheProgramWithStatusOne) {
    Scratch work;
    // The program beside a library that is always busy, installed under the real one's name.
    Zavo zavo(InstallProgram(work / "busy program", BinFolder() + "e2e_busy_library.dll"));
    ASSERT_TRUE(zavo.Window());
    Type(zavo[IDC_LZH_PATH], work / "a.lzh");
    ClickLater(zavo[IDC_LIST]);
    for (const char* text : {"UNLHA32 is busy now. Try [OK] after a moment.", "UNLHA32 is also busy. Quit Process."}) {
        HWND box = zavo.WaitForWindow("Warning");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), text);
        AnswerAndWait(box, IDOK);
    }
    EXPECT_EQ(zavo.WaitForExit(), 1u);
}

}  // namespace
}  // namespace e2e

// A person presses a command button while the archiver library is busy: the "Warning" box
// offers to try again, and the program ends with status 1 when the library stays busy.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

const char kBusyNow[] = "UNLHA32 is busy now. Try [OK] after a moment.";
const char kStillBusy[] = "UNLHA32 is also busy. Quit Process.";

struct Answers {
    const char* name;
    std::vector<std::pair<std::string, int>> boxes;  // the text a box shows, the button pressed
};

TEST(BusyWarning, TheProgramEndsWithStatusOne) {
    Scratch work;
    // The program beside a library that is always busy, installed under the real one's name.
    std::string program = InstallProgram(work / "busy program", BinFolder() + "e2e_busy_library.dll");
    const Answers cases[] = {
        {"Cancel", {{kBusyNow, IDCANCEL}}},
        {"OK, then OK", {{kBusyNow, IDOK}, {kStillBusy, IDOK}}},
    };
    for (const Answers& c : cases) {
        SCOPED_TRACE(c.name);
        Zavo zavo(program);
        ASSERT_TRUE(zavo.Window());
        Type(zavo[IDC_LZH_PATH], work / "a.lzh");
        ClickLater(zavo[IDC_LIST]);
        for (const auto& [text, button] : c.boxes) {
            HWND box = zavo.WaitForWindow("Warning");
            ASSERT_TRUE(box);
            EXPECT_EQ(MessageBoxText(box), text);
            AnswerAndWait(box, button);
        }
        EXPECT_EQ(zavo.WaitForExit(), 1u);
    }
}

}  // namespace
}  // namespace e2e

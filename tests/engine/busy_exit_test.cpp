// The busy protocol's process end, watched from outside: a child program runs the main window
// over a busy library, this test answers its "Warning" boxes and reads its exit status.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/test_files.h"
#include "tests/support/ui_driver.h"

namespace zavo {
namespace {

using namespace zavo::testing;

const char kFirst[] = "UNLHA32 is busy now. Try [OK] after a moment.";
const char kSecond[] = "UNLHA32 is also busy. Quit Process.";
constexpr int kCloseBox = 0;  // answer with the box's close button instead of a button

// The next box the child posts here, or null when the child ends or none comes.
HWND NextWarning(HANDLE child) {
    MSG message;
    while (!PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_REMOVE)) {
        if (MsgWaitForMultipleObjects(1, &child, FALSE, 20000, QS_POSTMESSAGE) != WAIT_OBJECT_0 + 1) return nullptr;
    }
    return reinterpret_cast<HWND>(message.wParam);
}

TEST(BusyProtocol, EndsTheProcessWithStatusOne) {
    const struct {
        const char* busyAnswers;
        std::vector<std::pair<std::string, int>> boxes;  // text expected, answer given
        DWORD exitStatus;
    } cases[] = {
        {"1", {{kFirst, IDCANCEL}}, 1},
        {"1", {{kFirst, kCloseBox}}, 1},
        {"1,1", {{kFirst, IDOK}, {kSecond, IDOK}}, 1},
        {"1,1", {{kFirst, IDOK}, {kSecond, IDCANCEL}}, 1},
        // OK with the library free again: the run goes on to the library (status 3 marks it).
        {"1,0", {{kFirst, IDOK}}, 3},
    };
    MSG queue;
    PeekMessageA(&queue, nullptr, 0, 0, PM_NOREMOVE);   // the queue the child posts to
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("busy answers ") + c.busyAnswers);
        ChildProcess child;
        ASSERT_TRUE(child.Start("\"" + BinFolder() + "busy_child.exe\" " + c.busyAnswers + " " +
                                std::to_string(GetCurrentThreadId())));
        for (const auto& [text, answer] : c.boxes) {
            HWND box = NextWarning(child.Handle());
            ASSERT_TRUE(box) << "no box saying " << text;
            EXPECT_EQ(MessageBoxText(box), text);
            EXPECT_TRUE(GetDlgItem(box, IDOK) && GetDlgItem(box, IDCANCEL));
            if (answer == kCloseBox) PostMessageA(box, WM_CLOSE, 0, 0);
            else Answer(box, answer);
        }
        EXPECT_EQ(child.WaitExit(20000), c.exitStatus);
    }
}

}  // namespace
}  // namespace zavo

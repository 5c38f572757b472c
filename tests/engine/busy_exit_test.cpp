// The busy protocol's process end, watched from outside: a child program runs the main window
// over a busy library, this test answers its "Warning" boxes and reads its exit status.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/support/ui_driver.h"
#include "text/cp932.h"
#include "win/unique_handle.h"
#include "win/window_text.h"

namespace zavo {
namespace {

using namespace zavo::testing;

const char kFirst[] = "UNLHA32 is busy now. Try [OK] after a moment.";
const char kSecond[] = "UNLHA32 is also busy. Quit Process.";
constexpr int kCloseBox = 0;  // answer with the box's close button instead of a button

struct Search {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWarning(HWND hwnd, LPARAM l) {
    auto* search = reinterpret_cast<Search*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->process && IsWindowVisible(hwnd) && win::GetText(hwnd) == "Warning") {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForWarning(DWORD process, HWND previous) {
    Search search{process};
    WaitUntil([&] {
        search.found = nullptr;
        EnumWindows(MatchWarning, reinterpret_cast<LPARAM>(&search));
        return search.found && search.found != previous;
    });
    return search.found != previous ? search.found : nullptr;
}

std::string ChildPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return cp932::FolderPart(std::string_view(path, n)) + "busy_child.exe";
}

struct Case {
    const char* busyAnswers;
    std::vector<std::pair<std::string, int>> boxes;  // text expected, answer given
    DWORD exitStatus;
};

TEST(BusyProtocol, EndsTheProcessWithStatusOne) {
    const Case cases[] = {
        {"1", {{kFirst, IDCANCEL}}, 1},
        {"1", {{kFirst, kCloseBox}}, 1},
        {"1,1", {{kFirst, IDOK}, {kSecond, IDOK}}, 1},
        {"1,1", {{kFirst, IDOK}, {kSecond, IDCANCEL}}, 1},
        // OK with the library free again: the run goes on to the library (status 3 marks it).
        {"1,0", {{kFirst, IDOK}}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("busy answers ") + c.busyAnswers);
        std::string commandLine = "\"" + ChildPath() + "\" " + c.busyAnswers;
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &info));
        win::UniqueKernelHandle process(info.hProcess), thread(info.hThread);

        HWND previous = nullptr;
        for (const auto& [text, answer] : c.boxes) {
            HWND box = WaitForWarning(info.dwProcessId, previous);
            ASSERT_TRUE(box) << "no box saying " << text;
            EXPECT_EQ(MessageBoxText(box), text);
            EXPECT_TRUE(GetDlgItem(box, IDOK) && GetDlgItem(box, IDCANCEL));
            if (answer == kCloseBox) PostMessageA(box, WM_CLOSE, 0, 0);
            else Answer(box, answer);
            previous = box;
        }
        if (WaitForSingleObject(process.Get(), 20000) != WAIT_OBJECT_0) {
            TerminateProcess(process.Get(), 99);
            FAIL() << "the child did not end";
        }
        DWORD status = 0;
        ASSERT_TRUE(GetExitCodeProcess(process.Get(), &status));
        EXPECT_EQ(status, c.exitStatus);
    }
}

}  // namespace
}  // namespace zavo

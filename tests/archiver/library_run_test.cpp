// What surrounds a run: the busy answer seen from a second thread, the output cut to the
// caller's buffer, the message box on failure, the progress window with Cancel, and s.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/archiver/library_harness.h"
#include "tests/support/ui_driver.h"

namespace unlha_test {
namespace {

void ThreeFiles(const std::string& folder) {
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) WriteBytes(folder + name, TextData(10000, name[0]));
}

TEST(LibraryRun, BusyWhileARunGoesOnAndASecondRunIsRefused) {
    Scratch s;
    ThreeFiles(s / "src\\");
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", "300");   // the library reads its test hooks there
    std::atomic<bool> sawBusy{false}, sawWindow{false};
    Outcome second;
    const DWORD thread = GetCurrentThreadId();
    std::thread other([&] {
        sawBusy = WaitUntil([] { return Unlha32IsBusy() != 0; }, std::chrono::seconds(10));
        second = Unlha("l -n \"" + s / "t.lzh" + "\"");
        // -n: no progress window, however long the run.
        sawWindow = WaitForWindow(thread, "UNLHA32: Adding", std::chrono::milliseconds(600)) != nullptr;
    });
    Outcome first = Unlha("a -n \"" + s / "t.lzh" + "\" \"" + s / "src\\" + "\"");
    other.join();
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", nullptr);
    EXPECT_EQ(first.code, 0) << first.text;
    EXPECT_TRUE(sawBusy && !sawWindow) << sawBusy << sawWindow;
    EXPECT_EQ(Missing(second, 7, {"busy"}), "");
    EXPECT_EQ(Unlha32IsBusy(), 0);
}

TEST(LibraryRun, LongOutputIsCutToTheBufferWithALineSayingSo) {
    // How the cut is made: output_text_test; here that the export cuts to the size it is given.
    Scratch s;
    std::string members;
    for (int i = 0; i < 1500; ++i) members += Level0Member("file-with-a-long-name-" + std::to_string(i) + ".txt", "x");
    WriteBytes(s / "many.lzh", members + '\0');
    Outcome o = Unlha("l -n " + Quoted(s / "many.lzh"));
    EXPECT_EQ(o.code, 0);
    EXPECT_FALSE(o.wroteBeyondSize);
    EXPECT_LE(o.text.size(), 65534u);
    EXPECT_GT(o.text.size(), 65000u);
}

TEST(LibraryRun, AFailureIsToldInAMessageBoxUnlessNoWindowsAreAsked) {
    Scratch s;
    // A line that does not parse has its box too (a failed run's box: library_messages_test).
    std::string shown;
    EXPECT_EQ(UnlhaAnsweringBox("l -k " + Quoted(s / "missing.lzh"), shown).code, 1);
    EXPECT_NE(shown.find("The command was not understood: unknown switch -k"), std::string::npos) << shown;
    // With -n (also beside an unknown switch) no box appears, or this call would never return.
    EXPECT_EQ(Unlha("l -n -k " + Quoted(s / "missing.lzh")).code, 1);
    EXPECT_EQ(Unlha("l -n " + Quoted(s / "missing.lzh")).code, 2);
}

TEST(LibraryRun, TheProgressWindowDisablesTheCallerAndCancelLeavesNothing) {
    Scratch s;
    ThreeFiles(s / "src\\");
    HWND owner = CreateWindowExA(0, "STATIC", "caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", "400");
    const DWORD thread = GetCurrentThreadId();
    bool ownerDisabled = false, sawWindow = false;
    std::thread driver([&] {
        HWND progress = WaitForWindow(thread, "UNLHA32: Adding");
        if (!progress) return;
        sawWindow = true;
        ownerDisabled = !IsWindowEnabled(owner);
        Click(FindWindowExA(progress, nullptr, "BUTTON", "Cancel"));
    });
    Outcome o = Unlha("a \"" + s / "t.lzh" + "\" \"" + s / "src\\" + "\"", owner);
    driver.join();
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", nullptr);
    EXPECT_TRUE(sawWindow && ownerDisabled) << sawWindow << ownerDisabled;
    EXPECT_TRUE(IsWindowEnabled(owner)) << "enabled again after the run";
    EXPECT_EQ(Missing(o, 8, {"cancelled: the archive " + s / "t.lzh" + " is left as it was\n"}), "");
    EXPECT_EQ(Tree(s.Path()), (std::vector<std::string>{"src\\", "src\\1.txt", "src\\2.txt", "src\\3.txt"}));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace unlha_test

// What surrounds a run: the busy answer seen from a second thread, the output cut to the
// caller's buffer, the message box on failure, the progress window with Cancel, and s.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "codec/archive.h"
#include "tests/archiver/library_harness.h"
#include "tests/support/ui_driver.h"

namespace unlha_test {
namespace {

using namespace zavo::testing;

// Sets an environment variable of this process (the library reads its test hooks there).
class EnvironmentHook {
public:
    EnvironmentHook(const char* name, const char* value) : name_(name) { SetEnvironmentVariableA(name, value); }
    ~EnvironmentHook() { SetEnvironmentVariableA(name_, nullptr); }

private:
    const char* name_;
};

void ThreeFiles(const std::string& folder) {
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) WriteBytes(folder + name, TextData(10000, name[0]));
}

TEST(LibraryRun, BusyWhileARunGoesOnAndASecondRunIsRefused) {
    Scratch s;
    ThreeFiles(s / "src\\");
    EnvironmentHook slow("UNLHA32_TEST_SLOW_MS", "300");
    EXPECT_EQ(Unlha32IsBusy(), 0);
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
    EXPECT_EQ(first.code, 0) << first.text;
    EXPECT_TRUE(sawBusy);
    EXPECT_FALSE(sawWindow);
    EXPECT_EQ(second.code, 7);
    EXPECT_NE(second.text.find("busy"), std::string::npos) << second.text;
    EXPECT_EQ(Unlha32IsBusy(), 0);
}

TEST(LibraryRun, LongOutputIsCutToTheBufferWithALineSayingSo) {
    Scratch s;
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    for (int i = 0; i < 1500; ++i) {
        lzh::NewEntry entry;
        entry.name = "file-with-a-long-name-" + std::to_string(i) + ".txt";
        entry.unixTime = 1700000000;
        std::vector<std::uint8_t> data(1, 'x');
        lzh::MemorySource source(data);
        ASSERT_EQ(writer.AddFile(entry, source, lzh::FindMethod("-lh0-")).status, lzh::WriteStatus::Ok);
    }
    writer.Finish();
    WriteBytes(s / "many.lzh", std::string(sink.Bytes().begin(), sink.Bytes().end()));

    Outcome o = Unlha("l -n \"" + s / "many.lzh" + "\"");
    EXPECT_EQ(o.code, 0);
    EXPECT_FALSE(o.wroteBeyondSize);
    EXPECT_LE(o.text.size(), 65534u);
    EXPECT_GT(o.text.size(), 65000u);
    const std::string tail = o.text.substr(o.text.rfind('\n', o.text.size() - 2) + 1);
    EXPECT_EQ(tail.rfind("(output cut: ", 0), 0u) << tail;
    EXPECT_NE(tail.find("more lines did not fit)\n"), std::string::npos) << tail;

    char tiny[8];
    std::memset(tiny, 'x', sizeof tiny);
    EXPECT_EQ(Unlha32RunCommand(nullptr, ("l -n \"" + s / "many.lzh" + "\"").c_str(), tiny, 6), 0);
    EXPECT_LT(std::strlen(tiny), 6u);
    EXPECT_EQ(tiny[6], 'x');
}

TEST(LibraryRun, AFailureIsToldInAMessageBoxUnlessNoWindowsAreAsked) {
    Scratch s;
    const DWORD thread = GetCurrentThreadId();
    const struct {
        std::string line;
        int code;
        const char* says;
    } cases[] = {
        {"l \"" + s / "missing.lzh" + "\"", 2, "missing.lzh does not exist"},
        {"l -k \"" + s / "missing.lzh" + "\"", 1, "The command was not understood: unknown switch -k"},
    };
    for (const auto& c : cases) {
        std::string shown;
        std::thread driver([&] {
            HWND box = WaitForWindow(thread, "UNLHA32");
            if (!box) return;
            shown = MessageBoxText(box);
            Answer(box, IDOK);
        });
        Outcome o = Unlha(c.line);
        driver.join();
        EXPECT_EQ(o.code, c.code);
        EXPECT_NE(shown.find(c.says), std::string::npos) << shown;
    }
    // With -n (also beside an unknown switch) no box appears, or this call would never return.
    EXPECT_EQ(Unlha("l -n -k \"" + s / "missing.lzh" + "\"").code, 1);
    EXPECT_EQ(Unlha("l -n \"" + s / "missing.lzh" + "\"").code, 2);
}

TEST(LibraryRun, TheProgressWindowDisablesTheCallerAndCancelLeavesNothing) {
    Scratch s;
    ThreeFiles(s / "src\\");
    HWND owner = CreateWindowExA(0, "STATIC", "caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    EnvironmentHook slow("UNLHA32_TEST_SLOW_MS", "400");
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
    EXPECT_TRUE(sawWindow);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner)) << "enabled again after the run";
    EXPECT_EQ(o.code, 8) << o.text;
    EXPECT_NE(o.text.find("cancelled: the archive " + s / "t.lzh" + " is left as it was\n"), std::string::npos) << o.text;
    EXPECT_FALSE(Exists(s / "t.lzh"));
    EXPECT_EQ(Tree(s.Path()), (std::vector<std::string>{"src\\", "src\\1.txt", "src\\2.txt", "src\\3.txt"}));
    DestroyWindow(owner);
}

}  // namespace
}  // namespace unlha_test

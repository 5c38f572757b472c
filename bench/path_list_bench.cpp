// Benchmark (under Wine): one refill of the main window's path list, as a keystroke causes it,
// against the bare FindFirstFileA/FindNextFileA walk of the same 10,000-entry folder.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "resources/main_dialog_ids.h"
#include "tests/support/recording_engine.h"
#include "tests/support/ui_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEntries = 10000;
constexpr int kRounds = 15;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A folder under Z:\tmp holding kEntries empty files.
std::string MakeFolder() {
    std::string folder = "Z:\\tmp\\zavo-path-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < kEntries; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\ENTRY%05d.LZH", i);
        HANDLE h = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    return folder;
}

void RemoveFolder(const std::string& folder) {
    for (int i = 0; i < kEntries; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\ENTRY%05d.LZH", i);
        DeleteFileA((folder + name).c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

// The baseline: every entry of the folder, names copied out as any consumer would.
size_t BareWalk(const std::string& pattern) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    do {
        ++count;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

}  // namespace

int main() {
    const std::string folder = MakeFolder();
    zavo::testing::RecordingEngine engine;
    zavo::ProgramState state;
    zavo::MainDialog dialog(engine, state, "zavo.exe");
    std::vector<double> refills, walks;
    size_t listed = 0, walked = 0;
    zavo::testing::RunDriven(dialog, [&](HWND window) {
        HWND field = GetDlgItem(window, IDC_LZH_PATH);
        HWND list = GetDlgItem(window, IDC_PATH_LIST);
        zavo::testing::Paste(field, folder);
        for (int round = 0; round < kRounds; ++round) {
            // The keystroke "\" turns the text into the folder itself: the list fills with every entry.
            Clock::time_point start = Clock::now();
            SendMessageA(field, WM_CHAR, '\\', 1);
            refills.push_back(Milliseconds(Clock::now() - start));
            listed = static_cast<size_t>(SendMessageA(list, LB_GETCOUNT, 0, 0));
            SendMessageA(field, WM_CHAR, VK_BACK, 1);

            start = Clock::now();
            walked = BareWalk(folder + "\\*");
            walks.push_back(Milliseconds(Clock::now() - start));
        }
        zavo::testing::Click(GetDlgItem(window, IDC_CLOSE));
    }, std::chrono::minutes(5));
    RemoveFolder(folder);

    double refill = Median(refills), walk = Median(walks);
    std::printf("folder of %d files; the walk sees %zu entries, the list shows %zu\n", kEntries, walked, listed);
    std::printf("refill of the path list (one keystroke): median %.2f ms over %d rounds\n", refill, kRounds);
    std::printf("bare FindFirstFileA/FindNextFileA walk:   median %.2f ms over %d rounds\n", walk, kRounds);
    std::printf("refill / walk = %.2f (goal: at most 1.5)\n", refill / walk);
    return listed == walked && listed > 0 ? 0 : 1;
}

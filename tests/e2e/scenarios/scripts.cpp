// A person runs scripts: the sample tour from samples/ opened like a double-clicked ".ZAV"
// file, and a script started from the editor and stopped with the right mouse button.
#include <gtest/gtest.h>

#include "resources/pause_dialog_ids.h"
#include "resources/script_dialog_ids.h"
#include "tests/e2e/driver.h"

namespace e2e {
namespace {

// The repository's folder as Wine shows the Linux file system.
std::string SourceFolder(const std::string& relative) {
    std::string path = "Z:" + std::string(ZAVO_SOURCE_DIR) + "/" + relative;
    for (char& c : path) if (c == '/') c = '\\';
    return path;
}

TEST(Scripts, TheSampleTourRunsToItsPauseAndExit) {
    Scratch work;
    for (const auto& [name, bytes] : ReadTree(SourceFolder("samples"))) WriteBytes(work / name, bytes);
    ASSERT_TRUE(Exists(work / "tour.zav"));

    // The desktop starts the program in the script's folder, with the script's full path.
    Zavo zavo(BinFolder() + "zavo.exe", work / "tour.zav", work.Path());
    HWND pause = zavo.WaitForWindow("一時停止", seconds(60));
    ASSERT_TRUE(pause);
    const std::string log = zavo.Output();
    for (const std::string& part : {std::string("/M \"tour-out\" [OK]\r\n"), Words("2 added, 0 replaced", "追加 2、置換 0"),
                                    Words("2 tested, 2 OK, 0 damaged", "検査 2、正常 2、破損 0"), Words("2 extracted", "展開 2、"),
                                    std::string("/C \"tour-out\\tour.lzh\" \"tour-out\\tour-copy.lzh\" [OK]\r\n")})
        EXPECT_TRUE(Has(log, part)) << log;
    EXPECT_FALSE(Has(log, "[ERROR]")) << log;

    Answer(pause, IDC_PAUSE_CONTINUE);
    EXPECT_EQ(zavo.WaitForExit(), 0u) << "the tour's last line closes ZAVO";
    EXPECT_TRUE(ReadTree(work / "tour-out\\extracted") == ReadTree(work / "tour-files"));
    EXPECT_EQ(ReadBytes(work / "tour-out\\tour-copy.lzh"), ReadBytes(work / "tour-out\\tour.lzh"));
}

TEST(Scripts, ARightClickStopsTheRunBeforeTheNextEntry) {
    Scratch work;
    for (int i = 0; i < 3; ++i) WriteBytes(work / ("src\\f" + std::to_string(i) + ".txt"), TextData(1000, i));
    const std::string script = work / "止める.zav";
    WriteBytes(script, "///slow add\r\na \r\n\r\n" + work / "stop.lzh" + "\r\n" + work / "src" + "\r\n*.*\r\n"
                      "///must not run\r\n/M \"" + work / "after" + "\"\r\n");

    // Each file of a library run waits a while: time for a person to reach for the mouse. The
    // test build of the library has that seam; the program runs beside it.
    const std::string program = InstallProgram(work / "program", BinFolder() + "test-library\\UNLHA32.DLL");
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", "1500");
    Zavo zavo(program);
    SetEnvironmentVariableA("UNLHA32_TEST_SLOW_MS", nullptr);
    ASSERT_TRUE(zavo.Window());

    ClickLater(zavo[IDC_SCRIPT]);
    HWND editor = zavo.WaitForWindow("Script File");
    ASSERT_TRUE(editor);
    Send(GetDlgItem(editor, IDC_SCRIPT_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script.c_str()));
    Click(GetDlgItem(editor, IDC_SCRIPT_SHOW));
    EXPECT_TRUE(Has(ItemTextOf(editor, IDC_SCRIPT_CONTENTS), "///must not run\r\n"));
    AnswerAndWait(editor, IDC_SCRIPT_RUN);

    // The first entry's library run (about 4.5 s) is under way once its progress window shows:
    // the click must stop the run before the next entry.
    ASSERT_TRUE(zavo.WaitForWindow(Words("UNLHA32: Adding", "UNLHA32: 追加中")));
    RightClick(zavo.Window());
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(zavo.Window(), IDC_EXTRACT); })) << "the buttons come back after the run";

    std::string log = zavo.Output();
    EXPECT_TRUE(Has(log, Words("3 added, 0 replaced", "追加 3、置換 0"))) << "the entry under way finishes: " << log;
    EXPECT_FALSE(Has(log, "/M")) << log;
    EXPECT_FALSE(Exists(work / "after"));
    zavo.Close();
}

}  // namespace
}  // namespace e2e

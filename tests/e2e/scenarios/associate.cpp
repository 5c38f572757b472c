// A person registers ".ZAV" with "関連付け" from a program folder with blanks in its name, then
// opens a script from the desktop: the registered command starts the program, which runs it.
#include <gtest/gtest.h>

#include "resources/main_dialog_ids.h"
#include "tests/e2e/driver.h"

namespace e2e {
namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(Associate, TheRegisteredCommandRunsTheOpenedScript) {
    ScratchFolder work("associate");
    std::string program = InstallProgram(work / "Program Files\\ZAVO 試用");
    {
        Zavo zavo(program);
        ASSERT_TRUE(zavo.Window());
        zavo.ClickLater(IDC_ASSOCIATE);
        HWND box = zavo.WaitForWindow("ZAVO");
        ASSERT_TRUE(box);
        EXPECT_EQ(MessageBoxText(box), "関連付けを行ないました。");
        Answer(box, IDOK);
        WaitUntilGone(box);
        zavo.Close();
    }
    EXPECT_EQ(RegistryString(HKEY_CLASSES_ROOT, ".ZAV", ""), "ZAVOfile");
    EXPECT_EQ(RegistryString(HKEY_CLASSES_ROOT, "ZAVOfile", ""), "ZAVO Script file");
    EXPECT_EQ(RegistryString(HKEY_CLASSES_ROOT, "ZAVOfile\\DefaultIcon", ""), program + " ,1");
    std::string command = RegistryString(HKEY_CLASSES_ROOT, "ZAVOfile\\Shell\\open\\command", "");
    EXPECT_EQ(command, "\"" + program + "\"  \"%1\"");

    // A script with blanks and Japanese in its path: make a folder, copy a file into it, exit.
    const std::string original = work / "原本.txt", made = work / "作った フォルダ";
    WriteFile(original, SampleText(2000, 5));
    const std::string script = work / "私の スクリプト.zav";
    WriteFile(script, "///フォルダを作る\r\n/M \"" + made + "\"\r\n"
                      "///写す\r\n/Copy \"" + original + "\" \"" + made + "\\写し.txt\"\r\n"
                      "///終わり\r\n/X\r\n");

    // The desktop puts the opened file's full path in place of %1.
    EXPECT_EQ(RunToEnd(ReplaceAll(command, "%1", script)), 0u) << "the exit line ends the program";
    EXPECT_EQ(ReadFile(made + "\\写し.txt"), ReadFile(original));

    RemoveRegistryKey(HKEY_CLASSES_ROOT, ".ZAV");
    RemoveRegistryKey(HKEY_CLASSES_ROOT, "ZAVOfile");
}

}  // namespace
}  // namespace e2e

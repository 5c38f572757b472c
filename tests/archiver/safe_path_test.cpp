// Which entry paths extraction accepts, and why it refuses the others.
#include <gtest/gtest.h>

#include "archiver/safe_path.h"

namespace unlha {
namespace {

struct Case {
    std::vector<std::string> folders;
    std::string name;
    bool absolute;
    PathRefusal expected;
    std::string path;   // the relative path when accepted
};

TEST(SafePath, AcceptsOrRefusesWithTheRightReason) {
    const Case cases[] = {
        {{}, "a.txt", false, PathRefusal::None, "a.txt"},
        {{"dir", "sub"}, "a.txt", false, PathRefusal::None, "dir\\sub\\a.txt"},
        {{"\x83\x5C"}, "\x95\x5C\x8F\x5C.txt", false, PathRefusal::None, "\x83\x5C\\\x95\x5C\x8F\x5C.txt"},
        {{"dir"}, "", false, PathRefusal::None, "dir"},               // a folder entry
        {{".hidden"}, "a..b", false, PathRefusal::None, ".hidden\\a..b"},
        {{}, "CONSOLE.txt", false, PathRefusal::None, "CONSOLE.txt"},
        {{}, "COM10", false, PathRefusal::None, "COM10"},
        // P1-P3, P7, P9: leaving the destination
        {{"WORK"}, "Test.TXT", true, PathRefusal::Absolute, ""},
        {{"..", ".."}, "Test.TXT", false, PathRefusal::ParentFolder, ""},
        {{"D", "..", "..", "D"}, "Test.TXT", false, PathRefusal::ParentFolder, ""},
        {{}, "..", false, PathRefusal::ParentFolder, ""},
        {{"D", "..."}, "Test.TXT", false, PathRefusal::DotsOrBlanks, ""},
        {{"."}, "a", false, PathRefusal::DotsOrBlanks, ""},
        {{}, "a.txt.", false, PathRefusal::DotsOrBlanks, ""},
        {{"dir "}, "a.txt", false, PathRefusal::DotsOrBlanks, ""},
        {{"C:"}, "Windows", false, PathRefusal::DriveOrStream, ""},
        {{}, "C:evil.txt", false, PathRefusal::DriveOrStream, ""},
        {{}, "file.txt:stream", false, PathRefusal::DriveOrStream, ""},
        {{}, "?", false, PathRefusal::ReservedCharacter, ""},           // what "\\?\" leaves
        {{}, "a*b", false, PathRefusal::ReservedCharacter, ""},
        {{}, "a|b", false, PathRefusal::ReservedCharacter, ""},
        // devices, with and without extension, any case, blanks before the dot
        {{}, "CON", false, PathRefusal::DeviceName, ""},
        {{}, "nul.txt", false, PathRefusal::DeviceName, ""},
        {{"aux"}, "a.txt", false, PathRefusal::DeviceName, ""},
        {{}, "Com1.log.txt", false, PathRefusal::DeviceName, ""},
        {{}, "LPT9", false, PathRefusal::DeviceName, ""},
        {{}, "prn .txt", false, PathRefusal::DeviceName, ""},
        {{}, "CONOUT$", false, PathRefusal::DeviceName, ""},
        // P10 and control bytes
        {{}, "\x1B]2;title\x07.txt", false, PathRefusal::ControlCharacter, ""},
        {{}, "a\tb", false, PathRefusal::ControlCharacter, ""},
        // P8: separators that a splitter or a Windows conversion would see differently
        {{}, "a\\b", false, PathRefusal::HiddenSeparator, ""},
        {{}, "a/b", false, PathRefusal::HiddenSeparator, ""},
        {{"x\x83"}, "..", false, PathRefusal::ParentFolder, ""},
        {{"x\x83"}, "a.txt", false, PathRefusal::HiddenSeparator, ""},   // lone lead byte eats the '\'
        {{}, "\x83/..", false, PathRefusal::HiddenSeparator, ""},        // invalid trail byte '/'
        {{}, "a\xFF" "b", false, PathRefusal::HiddenSeparator, ""},
        {{}, "a\xA0", false, PathRefusal::ReservedCharacter, ""},
        {{}, "", false, PathRefusal::Empty, ""},
        {{""}, "a", false, PathRefusal::Empty, ""},
        {{}, std::string(256, 'a'), false, PathRefusal::TooLong, ""},
        {{std::string(200, 'a')}, std::string(100, 'b'), false, PathRefusal::TooLong, ""},
    };
    for (const Case& c : cases) {
        SafePath r = CheckOutputPath(c.folders, c.name, c.absolute);
        EXPECT_EQ(r.refusal, c.expected) << PrintableName(c.name) << " in " << c.folders.size() << " folders: "
                                         << RefusalReason(r.refusal);
        EXPECT_EQ(r.relativePath, c.path);
    }
}

TEST(SafePath, PrintableNamesHideControlBytes) {
    EXPECT_EQ(PrintableName("\x1B]2;x\x07"), "\\x1B]2;x\\x07");
    EXPECT_EQ(PrintableName("\x95\x5C.txt"), "\x95\x5C.txt");
    EXPECT_EQ(PrintableName("\x81\x1B"), "\\x81\\x1B");   // a lead byte does not shelter ESC
}

}  // namespace
}  // namespace unlha

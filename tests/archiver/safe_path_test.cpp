// Which entry paths extraction accepts, and why it refuses the others.
#include <gtest/gtest.h>

#include "archiver/safe_path.h"

namespace unlha {
namespace {

TEST(SafePath, AcceptsOrRefusesWithTheRightReason) {
    // path: the relative path when accepted
    const struct { std::vector<std::string> folders; std::string name; PathRefusal expected; std::string path; } cases[] = {
        {{}, "a.txt", PathRefusal::None, "a.txt"},
        {{"dir", "sub"}, "a.txt", PathRefusal::None, "dir\\sub\\a.txt"},
        {{"\x83\x5C"}, "\x95\x5C\x8F\x5C.txt", PathRefusal::None, "\x83\x5C\\\x95\x5C\x8F\x5C.txt"},
        {{"dir"}, "", PathRefusal::None, "dir"},               // a folder entry
        {{".hidden"}, "a..b", PathRefusal::None, ".hidden\\a..b"},
        {{}, "CONSOLE.txt", PathRefusal::None, "CONSOLE.txt"}, {{}, "COM10", PathRefusal::None, "COM10"},
        // The inputs of the hostile table are refused end to end (library_safety_test), so are
        // parts ending in a dot; these pin the reason of the others.
        {{}, "?", PathRefusal::ReservedCharacter, ""},           // what "\\?\" leaves
        {{}, "a*b", PathRefusal::ReservedCharacter, ""},
        // devices with and without extension, any case, blanks before the dot
        {{}, "Com1.log.txt", PathRefusal::DeviceName, ""}, {{}, "LPT9", PathRefusal::DeviceName, ""},
        {{}, "prn .txt", PathRefusal::DeviceName, ""},     {{}, "CONOUT$", PathRefusal::DeviceName, ""},
        {{}, "a\tb", PathRefusal::ControlCharacter, ""},
        // P8: separators that a splitter or a Windows conversion would see differently
        {{}, "a\\b", PathRefusal::HiddenSeparator, ""}, {{}, "a/b", PathRefusal::HiddenSeparator, ""},
        {{"x\x83"}, "a.txt", PathRefusal::HiddenSeparator, ""},   // lone lead byte eats the '\'
        {{}, "a\xFF" "b", PathRefusal::HiddenSeparator, ""},
        {{}, "a\xA0", PathRefusal::ReservedCharacter, ""},
        {{}, "", PathRefusal::Empty, ""}, {{""}, "a", PathRefusal::Empty, ""},
        {{}, std::string(256, 'a'), PathRefusal::TooLong, ""},
        {{std::string(200, 'a')}, std::string(100, 'b'), PathRefusal::TooLong, ""},
    };
    for (const auto& c : cases) {
        SafePath r = CheckOutputPath(c.folders, c.name, false);
        EXPECT_EQ(r.refusal, c.expected) << PrintableName(c.name) << " in " << c.folders.size() << " folders: "
                                         << RefusalReason(r.refusal);
        EXPECT_EQ(r.relativePath, c.path);
    }
}

TEST(SafePath, PrintableNamesHideControlBytes) {
    // An escape sequence alone: the listing's test.
    EXPECT_EQ(PrintableName("\x95\x5C.txt"), "\x95\x5C.txt");
    EXPECT_EQ(PrintableName("\x81\x1B"), "\\x81\\x1B");   // a lead byte does not shelter ESC
}

}  // namespace
}  // namespace unlha

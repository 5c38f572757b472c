// The hostile rows, shared by the library's and the self-extracting program's tests.
#include "tests/support/hostile_archives.h"

#include "tests/support/test_files.h"

namespace zavo::testing {
namespace {

constexpr std::uint16_t kLinkMode = 0120777;

// An extended header of `type` whose payload is `text` in UTF-16LE.
std::string Utf16Extension(char type, const std::u16string& text) {
    std::string e(1, type);
    for (char16_t c : text) e += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return e;
}

// A member with exact names (ext 0x44 `name`, ext 0x45 `folders`) beside its code page ones.
std::string Unicode(const std::string& folderField, const std::string& fallback, const std::string& content,
                    std::vector<std::u16string> name, const std::u16string& folders = u"") {
    std::vector<std::string> more;
    for (const std::u16string& n : name) more.push_back(Utf16Extension('\x44', n));
    if (!folders.empty()) more.push_back(Utf16Extension('\x45', folders));
    return Level2Member(folderField, fallback, content, 0, "-lh0-", more);
}

}  // namespace

std::vector<Hostile> HostileArchives() {
    const std::string x = "x";
    return {
        {"P1 ..", Level0Member("..\\evil1.txt", x)},
        {"P1 bare ..", Level0Member("..", x)},
        {"P2 inner ..", Level0Member("foo\\..\\..\\evil2.txt", x)},
        {"P2 ext 0x02 ..", Level2Member("foo\xFF..\xFF..\xFF", "evil3.txt", x)},
        {"P3 absolute ext 0x02", Level2Member("\xFFtmp\xFF", "absolute_path.txt", x)},
        {"P3 absolute level 0", Level0Member("\\WORK\\Test.TXT", x)},
        {"P4 link then file", Level2Member("", "foo.txt|bar.txt", "", kLinkMode, "-lhd-") + Level0Member("foo.txt", "second")},
        {"P5 link to ../../etc", Level2Member("etc|..\xFF..\xFF", "etc", "", 0, "-lhd-") + Level2Member("etc\xFF", "passwd", x)},
        {"P5 link to /tmp", Level2Member("", "etc|\\tmp", "", kLinkMode, "-lhd-") + Level2Member("etc\xFF", "passwd", x)},
        {"P7 D/.../", Level0Member("D\\...\\Test.TXT", x)},
        {"P7 slashes", Level0Member("D/../../D/Test.TXT", x)},
        {"P7 1000-char name", Level2Member("D\xFF", std::string(1000, 'n'), x)},
        {"P8 ..\\ after 表", Level0Member("\x95\x5C\\..\\..\\evil.txt", x)},
        {"P8 ソ..", Level0Member("\x83\x5C..\\evil.txt", x)},
        {"P8 lone lead byte", Level2Member("x\x83\xFF", "..", x)},
        {"P8 invalid trail byte", Level2Member("D\xFF", "\x83/..", x)},
        {"P9 drive", Level0Member("C:\\Windows\\evil.txt", x)},
        {"P9 device", Level0Member("CON", x)},
        {"P9 device with extension", Level0Member("D\\nul.txt", x)},
        {"P9 COM1", Level0Member("com1.log", x)},
        {"P9 stream", Level0Member("file.txt:stream", x)},
        {"P9 trailing dot", Level0Member("evil.txt.", x)},
        {"P9 trailing blank", Level0Member("D \\evil.txt", x)},
        {"P10 terminal escape", Level0Member("\x1B]2;owned\x07.txt", x)},
        {"U1 Unicode ..", Unicode("", "__", x, {u".."})},
        {"U1 Unicode .. in folders", Unicode("__\xFF__\xFF", "x.txt", x, {}, u"__\uFFFF..\uFFFF")},
        {"U2 Unicode separator the fallback lacks", Unicode("", "e.txt", x, {u"\u00e9\\..\\..\\evil.txt"})},
        {"U3 Unicode device", Unicode("", "CO_", x, {u"CON"})},
        {"U3 Unicode device with superscript", Unicode("", "COM_.txt", x, {u"COM\u00b9.txt"})},
        {"U4 Unicode lone surrogate", Unicode("", "a_.txt", x, {std::u16string(u"a") + char16_t(0xD83D) + u".txt"})},
        {"U5 Unicode NUL", Unicode("", "a_b.txt", x, {std::u16string(u"a") + char16_t(0) + u"b.txt"})},
        {"U6 Unicode name longer than a part may be", Unicode("", "long.txt", x, {std::u16string(1000, u'\u00e9')})},
        {"U7 Unicode folders climb where the fallback does not", Unicode("D\xFF", "x.txt", x, {}, u"D\uFFFF..\uFFFF")},
        {"U7 Unicode folders more than the fallback's", Unicode("D\xFF", "x.txt", x, {}, u"D\uFFFFE\uFFFF")},
        {"U7 Unicode folders absolute", Unicode("D\xFF", "x.txt", x, {}, u"\uFFFFD\uFFFF")},
    };
}

bool AllowedAfterHostile(const std::string& path) {
    return path == "good.txt" || path == "foo.txt" || path == "etc\\" || path == "etc\\passwd" || path == "passwd";
}

}  // namespace zavo::testing

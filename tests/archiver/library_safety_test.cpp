// Hostile archives, built here byte by byte: extraction refuses every path that could leave the
// base folder or act on a device, creates nothing for it, and still extracts the good entries.
#include <gtest/gtest.h>

#include "tests/archiver/library_harness.h"

namespace unlha_test {
namespace {

constexpr std::uint16_t kLinkMode = 0120777;
const std::string kGood = Level0Member("good.txt", "good");

struct Hostile {
    const char* row;          // the catalogue row it stands for
    std::string members;      // archive bytes before the end marker
};

// A member with exact names (ext 0x44 `name`, ext 0x45 `folders`) beside its code page ones.
std::string Unicode(const std::string& folderField, const std::string& fallback, const std::string& content,
                    std::vector<std::u16string> name, const std::u16string& folders = u"") {
    std::vector<std::string> more;
    for (const std::u16string& n : name) more.push_back(test_files::Utf16Extension('\x44', n));
    if (!folders.empty()) more.push_back(test_files::Utf16Extension('\x45', folders));
    return Level2Member(folderField, fallback, content, 0, "-lh0-", more);
}

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
        {"P7 ../../WORK", Level0Member("..\\..\\WORK\\Test.TXT", x)},
        {"P7 D/../../D", Level0Member("D\\..\\..\\D\\Test.TXT", x)},
        {"P7 D/.../", Level0Member("D\\...\\Test.TXT", x)},
        {"P7 slashes", Level0Member("D/../../D/Test.TXT", x)},
        {"P7 1000-char name", Level2Member("D\xFF", std::string(1000, 'n'), x)},
        {"P8 ..\\ after 表", Level0Member("\x95\x5C\\..\\..\\evil.txt", x)},
        {"P8 ソ..", Level0Member("\x83\x5C..\\evil.txt", x)},
        {"P8 lone lead byte", Level2Member("x\x83\xFF", "..", x)},
        {"P8 invalid trail byte", Level2Member("D\xFF", "\x83/..", x)},
        {"P9 drive", Level0Member("C:\\Windows\\evil.txt", x)},
        {"P9 drive-relative", Level0Member("C:evil.txt", x)},
        {"P9 UNC", Level0Member("\\\\host\\share\\evil.txt", x)},
        {"P9 \\\\?\\", Level0Member("\\\\?\\C:\\evil.txt", x)},
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

TEST(LibrarySafety, HostilePathsAreRefusedAndNothingIsCreatedForThem) {
    for (const Hostile& h : HostileArchives()) {
        for (const char* command : {"x", "e"}) {
            Scratch s;
            const std::string archive = s / "hostile.lzh";
            WriteBytes(archive, h.members + kGood + std::string(1, '\0'));
            const std::string out = s / "a\\b\\out\\";
            Outcome o = Unlha(std::string(command) + " -n -jyo \"" + archive + "\" \"" + out + "\"");
            SCOPED_TRACE(std::string(h.row) + " with " + command + "\n" + o.text);
            EXPECT_EQ(ReadBytes(out + "good.txt"), "good");
            // Outside the base folder nothing appeared; inside it only what was safe.
            EXPECT_EQ(Tree(s.Path()).size(), Tree(out).size() + 4) << "a\\, a\\b\\, a\\b\\out\\ and the archive only";
            // A refused link leaves its name free: what follows it is written inside, as a plain folder.
            for (const std::string& path : Tree(out)) {
                EXPECT_TRUE(path == "good.txt" || path == "foo.txt" || path == "etc\\" || path == "etc\\passwd" ||
                            path == "passwd")
                    << path;
            }
            EXPECT_EQ(o.text.find('\x1B'), std::string::npos) << "control bytes never reach the output";
            // e drops the folders, but a hostile stored path is refused all the same.
            EXPECT_EQ(o.code, 4);
            EXPECT_NE(o.text.find("refused  "), std::string::npos);
        }
    }
}

TEST(LibrarySafety, ShiftJisNamesWithBackslashTrailBytesAreNoFolders) {
    Scratch s;
    const std::string archive = s / "sjis.lzh";
    WriteBytes(archive, Level0Member("\x83\x5C\x95\x5C.txt", "so-hyo") + Level0Member("\x95\x5C\\\x8F\x5C.txt", "ju") + '\0');
    Outcome o = Unlha("x -n \"" + archive + "\" \"" + s / "out\\" + "\"");
    ASSERT_EQ(o.code, 0) << o.text;
    EXPECT_EQ(Tree(s / "out\\"), (std::vector<std::string>{"\x83\x5C\x95\x5C.txt", "\x95\x5C\\", "\x95\x5C\\\x8F\x5C.txt"}));
}

TEST(LibrarySafety, ADamagedEntryIsReportedAndTheOthersStillWork) {
    Scratch s;
    std::string bad = Level0Member("bad.txt", "damaged data");
    bad[bad.size() - 3] ^= 0x55;   // the data no longer matches its CRC
    const std::string archive = s / "damaged.lzh";
    WriteBytes(archive, Level0Member("first.txt", "one") + bad + Level0Member("last.txt", "three") + '\0');

    Outcome t = Unlha("t -n \"" + archive + "\"");
    EXPECT_EQ(t.code, 3) << t.text;
    EXPECT_NE(t.text.find("damaged  bad.txt: its data does not match its CRC: the archive is damaged (CRC-16"), std::string::npos) << t.text;
    EXPECT_NE(t.text.find("3 tested, 2 OK, 1 damaged"), std::string::npos) << t.text;

    Outcome l = Unlha("l -n \"" + archive + "\"");
    EXPECT_EQ(l.code, 0) << l.text;
    EXPECT_NE(l.text.find(" 3 entries"), std::string::npos) << l.text;

    const std::string out = s / "out\\";
    WriteBytes(out + "bad.txt", "kept");
    Outcome e = Unlha("e -n -jyo -c \"" + archive + "\" \"" + out + "\"");
    EXPECT_EQ(e.code, 3) << e.text;
    EXPECT_EQ(ReadBytes(out + "first.txt"), "one");
    EXPECT_EQ(ReadBytes(out + "last.txt"), "three");
    EXPECT_EQ(ReadBytes(out + "bad.txt"), "kept") << "a damaged entry never replaces a file";
    EXPECT_EQ(Tree(out).size(), 3u) << "no half-written temporary file is left";

    // A header broken after two good entries: those are still listed, the run fails.
    const std::string cut = s / "cut.lzh";
    std::string broken = Level0Member("broken.txt", "zzz");
    broken[1] ^= 0x01;   // header checksum
    WriteBytes(cut, Level0Member("one.txt", "1") + Level0Member("two.txt", "2") + broken + '\0');
    Outcome lc = Unlha("l -n \"" + cut + "\"");
    EXPECT_EQ(lc.code, 3) << lc.text;
    EXPECT_NE(lc.text.find(" 2 entries"), std::string::npos) << lc.text;
    EXPECT_NE(lc.text.find("damaged after entry 2"), std::string::npos) << lc.text;
}

}  // namespace
}  // namespace unlha_test

namespace unlha_test {
namespace {

// P6: a link that already stands at an extraction path (or on the way) is never written through.
TEST(LibrarySafety, ExistingLinksAreNotFollowed) {
    Scratch s;
    const std::string out = s / "out\\", outside = s / "outside\\";
    WriteBytes(outside + "target.txt", "untouched");
    CreateDirectoryA(out.c_str(), nullptr);
    const bool fileLink = CreateSymbolicLinkA((out + "link.txt").c_str(), (outside + "target.txt").c_str(), 0);
    const bool folderLink = CreateSymbolicLinkA((out + "dir").c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    if (!fileLink || !folderLink) GTEST_SKIP() << "this system makes no symbolic links";
    const DWORD linkAttributes = GetFileAttributesA((out + "dir").c_str());
    if (linkAttributes == INVALID_FILE_ATTRIBUTES || !(linkAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        ReadBytes(out + "dir\\target.txt") != "untouched")
        GTEST_SKIP() << "this system does not report links as reparse points";
    const std::string archive = s / "links.lzh";
    WriteBytes(archive, Level0Member("link.txt", "through the link") + Level0Member("dir\\target.txt", "through the folder") +
                            Level0Member("dir\\new.txt", "new") + '\0');
    Outcome o = Unlha("x -n -jyo -c \"" + archive + "\" \"" + out + "\"");
    EXPECT_EQ(o.code, 4) << o.text;
    EXPECT_EQ(ReadBytes(outside + "target.txt"), "untouched") << o.text;
    EXPECT_FALSE(Exists(outside + "new.txt")) << o.text;
}

}  // namespace
}  // namespace unlha_test

// Headers as other systems' LHA ports write them, built byte by byte: each reads as the readers
// of those systems read it (see docs/lzh-quirks.md). How '/' and the trail bytes 0x5C split is
// entry_path_test's.
#include <gtest/gtest.h>

#include "tests/codec/format_test_util.h"

namespace {

using lzh::ext::kAmigaComment;
using lzh::ext::kFolders;
using lzh::ext::kName;
using lzh_test::RawArchive;
using lzh_test::RawHeader;

struct QuirkCase {
    const char* what;
    std::vector<RawHeader> members;
    std::string path;           // Entry::Path() of the first member
    bool directory;
    std::string comment;
    std::uint8_t osId;
};

// A member of `level` with the name field `name` (levels 0 and 1) and the extensions `exts`.
RawHeader Raw(int level, std::string name, std::vector<std::pair<std::uint8_t, std::string>> exts = {}, std::uint8_t osId = 'M') {
    RawHeader h;
    h.level = level;
    h.name = std::move(name);
    h.content = "quirk data";
    h.exts = std::move(exts);
    h.osId = osId;
    return h;
}

RawHeader With(RawHeader h, void (*change)(RawHeader&)) {
    change(h);
    return h;
}

std::vector<QuirkCase> Cases() {
    RawHeader next = Raw(0, "next.txt");
    next.content = "the member after";
    return {
        {"Unix port: '/' separates", {Raw(1, "dir/a.txt"), next}, "dir\\a.txt", false, "", 'M'},
        {"folder entry with a trailing '/'",
         {With(Raw(0, "dir/sub/"), [](RawHeader& h) { h.method = "-lhd-"; h.content = ""; }), next}, "dir\\sub", true, "", 0},
        {"Amiga, level 0: a comment after the name's NUL, OS area 'A'",
         {With(Raw(0, std::string("a.txt\0A note", 12)), [](RawHeader& h) { h.extra = std::string("A\0\0", 3); }), next},
         "a.txt", false, "A note", 'A'},
        {"Amiga, level 2: comment in extension 0x71", {Raw(2, "", {{kName, "c.txt"}, {kAmigaComment, "a note"}}, 'A'), next},
         "c.txt", false, "a note", 'A'},
        {"OS-9/68K, level 2: size field two bytes short",
         {With(Raw(2, "", {{kName, "k.txt"}, {kFolders, "os9\xFF"}}, 'K'), [](RawHeader& h) { h.sizeLeftOut = 2; }), next},
         "os9\\k.txt", false, "", 'K'},
        {"OS-9/68K, level 2: a right size still reads", {Raw(2, "", {{kName, "k.txt"}}, 'K'), next}, "k.txt", false, "", 'K'},
        {"extension 0x02 ending at a NUL", {Raw(2, "", {{kName, "e.txt"}, {kFolders, std::string("dir\xFF\0junk\xFF", 10)}}), next},
         "dir\\e.txt", false, "", 'M'},
        {"-lhd- entry with data behind it", {With(Raw(0, "dir\\"), [](RawHeader& h) { h.method = "-lhd-"; h.content = "12345"; }), next},
         "dir", true, "", 0},
        // Hostile: the path stays in the comment, away from the parts that extraction checks.
        {"a comment that holds a path", {Raw(0, std::string("ok.txt\0..\\..\\evil", 17))}, "ok.txt", false,
         "..\\..\\evil", 0},
    };
}

TEST(HeaderQuirks, OtherSystemsHeadersReadAsTheirReadersReadThem) {
    for (const QuirkCase& c : Cases()) {
        SCOPED_TRACE(c.what);
        lzh_test::ReadBack back = lzh_test::ReadArchive(RawArchive(c.members));
        EXPECT_EQ(back.final, lzh::ReadStatus::End) << back.error;
        ASSERT_EQ(back.entries.size(), c.members.size());
        const lzh::Entry& e = back.entries[0];
        EXPECT_EQ(e.Path(), c.path);
        EXPECT_EQ(e.isDirectory, c.directory);
        EXPECT_EQ(e.comment, c.comment);
        EXPECT_EQ(e.osId, c.osId);
        for (std::size_t i = c.directory ? 1 : 0; i < c.members.size(); ++i) EXPECT_EQ(back.contents[i], c.members[i].content);
    }
}

// Ext 0x46 with code page 65001: the name fields are UTF-8, split byte by byte, and give the
// entry its exact names; ext 0x44/0x45 beside them still win.
TEST(HeaderQuirks, CodePage65001NamesAreReadAsUtf8) {
    const std::string utf8 = std::string("\xE9\xFD\0\0", 4), cp932 = std::string("\xA4\x03\0\0", 4);
    struct Case {
        const char* what;
        RawHeader member;
        std::vector<std::u16string> folders;   // exact folders, none expected when empty
        std::u16string name;                   // exact name, none expected when empty
        std::size_t byteFolders;               // parts of the byte path before the name
    };
    const Case cases[] = {
        {"level 1: '/' in the base name, a character outside the basic plane",
         Raw(1, "\xE6\x97\xA5/\xF0\x9F\x98\x80.txt", {{0x46, utf8}}), {u"日"}, u"😀.txt", 1},
        {"ext 0x44 beside it wins", Raw(2, "", {{0x46, utf8}, {0x01, "x.txt"}, {0x44, std::string("y\0", 2)}}), {}, u"y", 0},
        {"code page 932 keeps the bytes (0x5C trail bytes)", Raw(2, "", {{0x46, cp932}, {0x01, "\x95\x5C\x83\x5C.txt"}}), {}, u"", 0},
        // Hostile: Á is C3 81, and 81 5C would be one code page 932 character hiding the '\'.
        {"a separator right after a character", Raw(2, "", {{0x46, utf8}, {0x01, "\xC3\x81\\..\\x"}}), {u"Á", u".."}, u"x", 2},
        {"'..' in the folder field", Raw(2, "", {{0x46, utf8}, {0x01, "a"}, {0x02, "..\xFF"}}), {u".."}, u"a", 1},
        {"invalid UTF-8 becomes a lone surrogate", Raw(2, "", {{0x46, utf8}, {0x01, "\xC3(\xE0\x80\xAF"}}), {},
         u"\xDCC3(\xDCE0\xDC80\xDCAF", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        lzh_test::ReadBack back = lzh_test::ReadArchive(RawArchive({c.member}));
        ASSERT_EQ(back.entries.size(), 1u) << back.error;
        const lzh::Entry& e = back.entries[0];
        EXPECT_EQ(e.hasUnicodeFolders, !c.folders.empty());
        EXPECT_TRUE(e.unicodeFolders == c.folders);
        EXPECT_EQ(e.hasUnicodeName, !c.name.empty());
        EXPECT_TRUE(e.unicodeName == c.name);
        EXPECT_EQ(e.folders.size(), c.byteFolders);
        EXPECT_EQ(back.contents[0], c.member.content);
    }
}

}  // namespace

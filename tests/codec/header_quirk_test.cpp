// Headers as other systems' LHA ports write them, names in UTF-8 among them, built byte by byte:
// each reads as the readers of those systems read it (see docs/lzh-quirks.md). How '/' and the
// trail bytes 0x5C split is entry_path_test's.
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
    std::string path;                                 // Entry::Path() of the first member
    bool directory;
    std::string comment;
    std::uint8_t osId;
    std::vector<std::u16string> exactFolders = {};   // the exact names; none expected when empty
    std::u16string exactName = {};
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
    const std::string utf8 = std::string("\xE9\xFD\0\0", 4), cp932 = std::string("\xA4\x03\0\0", 4);
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
        // Ext 0x46 with code page 65001: the name fields are UTF-8, split byte by byte, and give the
        // entry its exact names; ext 0x44/0x45 beside them still win.
        {"UTF-8 at level 1: '/' in the base name, a character outside the basic plane",
         {Raw(1, "\xE6\x97\xA5/\xF0\x9F\x98\x80.txt", {{0x46, utf8}})}, "\xE6\x97\xA5\\\xF0\x9F\x98\x80.txt", false, "", 'M', {u"日"}, u"😀.txt"},
        {"UTF-8 with ext 0x44 beside it, which wins", {Raw(2, "", {{0x46, utf8}, {0x01, "x.txt"}, {0x44, std::string("y\0", 2)}})},
         "x.txt", false, "", 'M', {}, u"y"},
        {"code page 932 in ext 0x46 keeps the bytes (0x5C trail bytes)", {Raw(2, "", {{0x46, cp932}, {0x01, "\x95\x5C\x83\x5C.txt"}})},
         "\x95\x5C\x83\x5C.txt", false, "", 'M'},
        // Hostile: Á is C3 81, and 81 5C would be one code page 932 character hiding the '\'.
        {"UTF-8: a separator right after a character", {Raw(2, "", {{0x46, utf8}, {0x01, "\xC3\x81\\..\\x"}})},
         "\xC3\x81\\..\\x", false, "", 'M', {u"Á", u".."}, u"x"},
        {"UTF-8: '..' in the folder field", {Raw(2, "", {{0x46, utf8}, {0x01, "a"}, {0x02, "..\xFF"}})}, "..\\a", false, "", 'M', {u".."}, u"a"},
        {"UTF-8: invalid bytes become lone surrogates", {Raw(2, "", {{0x46, utf8}, {0x01, "\xC3(\xE0\x80\xAF"}})},
         "\xC3(\xE0\x80\xAF", false, "", 'M', {}, u"\xDCC3(\xDCE0\xDC80\xDCAF"},
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
        EXPECT_TRUE(e.hasUnicodeFolders == !c.exactFolders.empty() && e.unicodeFolders == c.exactFolders);
        EXPECT_TRUE(e.hasUnicodeName == !c.exactName.empty() && e.unicodeName == c.exactName);
        for (std::size_t i = c.directory ? 1 : 0; i < c.members.size(); ++i) EXPECT_EQ(back.contents[i], c.members[i].content);
    }
}

}  // namespace

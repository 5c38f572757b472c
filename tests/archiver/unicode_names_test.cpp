// Fallback names of exact UTF-16 names and their uniqueness, with a small stand-in for the
// system's code page 932 tables. Names read as UTF-8: the library's Unicode test; the checks of
// exact names before extraction: the hostile rows of the library's safety test.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "archiver/unicode_names.h"
#include "text/cp932.h"

namespace unlha {
namespace {

// ASCII, and the few double-byte characters the cases use: 日 本 表 ソ.
bool FakeCp932(char32_t c, std::string& out) {
    static const std::map<char32_t, std::string> kDoubleByte = {{U'日', "\x93\xFA"}, {U'本', "\x96\x7B"}, {U'表', "\x95\x5C"}, {U'ソ', "\x83\x5C"}};
    const auto found = kDoubleByte.find(c);
    if (c >= 0x80 && found == kDoubleByte.end()) return false;
    out = c < 0x80 ? std::string(1, static_cast<char>(c)) : found->second;
    return true;
}

TEST(UnicodeNames, FallbackKeepsWhatTheCodePageHoldsAndMarksTheRest) {
    const struct { std::u16string exact; std::string fallback; bool exactFits; } cases[] = {
        {u"日本.txt", "\x93\xFA\x96\x7B.txt", true},
        {u"表ソ", "\x95\x5C\x83\x5C", true},
        {u"café.txt", "caf_.txt", false},
        {u"한국어.txt", "___.txt", false},
        {u"😀.txt", "_.txt", false},                          // one character outside the basic plane, one '_'
        {std::u16string(u"a") + char16_t(0xD800) + u"b", "a_b", false},   // a lone surrogate
    };
    for (const auto& c : cases) {
        const FallbackName f = FallbackFor(c.exact, FakeCp932);
        EXPECT_EQ(f.name, c.fallback) << Utf8Of(c.exact);
        EXPECT_EQ(f.exact, c.exactFits) << Utf8Of(c.exact);
    }
}

TEST(UnicodeNames, FallbacksAreMadeUniqueBeforeTheExtension) {
    std::set<std::string> taken = {"CAF_.TXT", "CAF_~2.TXT", "\x95\x5C.TXT", "NOEXT"};
    auto isTaken = [&](const std::string& name) { return taken.count(cp932::AsciiUpper(name)) != 0; };
    EXPECT_EQ(UniqueFallback("free.txt", isTaken), "free.txt");
    EXPECT_EQ(UniqueFallback("caf_.txt", isTaken), "caf_~3.txt");
    EXPECT_EQ(UniqueFallback("\x95\x5C.txt", isTaken), "\x95\x5C~2.txt");   // 0x5C trail byte is no separator
    EXPECT_EQ(UniqueFallback("noext", isTaken), "noext~2");
}

}  // namespace
}  // namespace unlha

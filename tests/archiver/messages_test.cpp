// The message table: every id has both languages with the same placeholders, the Japanese is
// code page 932, and the listing's headings keep their columns in both languages.
#include <gtest/gtest.h>

#include "archiver/listing.h"
#include "archiver/messages.h"
#include "text/cp932.h"

namespace unlha {
namespace {

// The placeholders of a text in order ("s" for "%s"); "?" for a '%' that starts neither.
std::string Placeholders(std::string_view text) {
    std::string found;
    for (std::size_t i = 0; i < text.size(); i += cp932::CharLength(text, i)) {
        if (cp932::CharLength(text, i) != 1 || text[i] != '%') continue;
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        found += next == 's' ? 's' : next == '%' ? '%' : '?';
        ++i;
    }
    return found;
}

bool IsCp932(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0x80 || c == 0xA0 || c >= 0xFD || (c < 0x20 && c != '\n')) return false;
        if (!cp932::IsLeadByte(c)) continue;
        if (i + 1 >= text.size()) return false;
        const unsigned char trail = static_cast<unsigned char>(text[++i]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    }
    return true;
}

TEST(Messages, EveryIdHasBothLanguagesWithTheSamePlaceholders) {
    for (std::size_t i = 0; i < kMessageCount; ++i) {
        const MessageText& m = kMessages[i];
        SCOPED_TRACE(std::to_string(i) + ": " + m.english);
        EXPECT_FALSE(std::string_view(m.english).empty());
        EXPECT_FALSE(std::string_view(m.japanese).empty());
        EXPECT_EQ(Placeholders(m.japanese), Placeholders(m.english));
        EXPECT_EQ(Placeholders(m.english).find('?'), std::string::npos);
        for (char c : std::string_view(m.english)) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "English is plain ASCII";
        EXPECT_TRUE(IsCp932(m.japanese));
        // An output line's nine-column tag ("added    ") has its Japanese twin of the same width.
        const std::string_view en(m.english), ja(m.japanese);
        if (en.size() > 10 && en[8] == ' ' && en.compare(9, 2, "%s") == 0) EXPECT_EQ(ja.substr(9, 2), "%s") << "tag of " << m.japanese;
    }
}

TEST(Messages, PlaceholdersAreFilledInOrderAndArgumentsAreTakenAsThey) {
    const std::string arguments[] = {"100%s", "\x95\x5C"};   // an argument is never read for placeholders
    EXPECT_EQ(FillPlaceholders("%s of %s: 50%%", arguments, 2), "100%s of \x95\x5C: 50%");
    EXPECT_EQ(FillPlaceholders("%s and %s", arguments, 1), "100%s and ");
}

TEST(Messages, TheListingsHeadingsKeepTheirColumnsInBothLanguages) {
    for (bool verbose : {false, true}) {
        const auto header = [verbose](Language language) { return SetLanguage(language), ListHeader(verbose); };
        const std::string english = header(Language::English), japanese = header(Language::Japanese);
        SetLanguage(Language::English);
        // One byte is one column in a fixed-pitch font, a double-byte character two: the
        // blanks between the rule's dashes part the columns in both.
        const std::string rule = ListRule(verbose);
        ASSERT_EQ(japanese.size(), english.size()) << japanese;
        for (std::size_t i = 0; i < rule.size(); ++i)
            if (rule[i] == ' ') EXPECT_EQ(japanese[i], ' ') << i << ": " << japanese;
    }
}

}  // namespace
}  // namespace unlha

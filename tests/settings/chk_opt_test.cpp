// Stored box letters, also edited by hand (the letters written are the record test's).
#include "settings/chk_opt.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zavo {
namespace {

TEST(ChkOpt, ALetterCountsAsACharacterOfItsOwnAnywhere) {
    struct Case { const char* value; CommandSwitches switches; } cases[] = {
        {"rxja", {true, true, true, true}},
        {"ax", {false, true, false, true}},
        {"RXJA", {false, false, false, false}},
        {"ビベニヂ", {false, false, false, false}},  // trail bytes 'r', 'x', 'j', 'a'
        {"瓶j", {false, false, true, false}},
        {"jjrr", {true, false, true, false}},
        {"-r1 -x1", {true, true, false, false}},
        {"\x83", {false, false, false, false}},  // a lone lead byte at the end
        {"", {false, false, false, false}},
    };
    for (const Case& c : cases) {
        const CommandSwitches s = DecodeChkOpt(c.value), e = c.switches;
        EXPECT_EQ(std::tie(s.recursive, s.folderName, s.newerYes, s.allAttrib),
                  std::tie(e.recursive, e.folderName, e.newerYes, e.allAttrib)) << c.value;
    }
}

}  // namespace
}  // namespace zavo

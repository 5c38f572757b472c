// Stored box letters, also edited by hand (the letters written are the record test's).
#include "settings/chk_opt.h"

#include <gtest/gtest.h>

namespace zavo {
namespace {

bool operator==(const CommandSwitches& a, const CommandSwitches& b) {
    return a.recursive == b.recursive && a.folderName == b.folderName && a.newerYes == b.newerYes &&
           a.allAttrib == b.allAttrib;
}

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
    for (const Case& c : cases) EXPECT_TRUE(DecodeChkOpt(c.value) == c.switches) << c.value;
}

}  // namespace
}  // namespace zavo

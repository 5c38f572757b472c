// The stored option letters: what a recording writes and how hand-edited values read back.
#include <gtest/gtest.h>

#include "settings/chk_opt.h"

namespace zavo {
namespace {

TEST(ChkOpt, EncodesTheBoxesThatAreOnInFixedOrder) {
    struct Case { CheckOptions options; const char* code; };
    const Case cases[] = {
        {{true, true, true, true}, "rxja"},
        {{false, false, false, false}, ""},
        {{true, false, false, true}, "ra"},
        {{false, true, true, false}, "xj"},
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeChkOpt(c.options), c.code) << c.code;
}

TEST(ChkOpt, DecodesEveryLetterWhereverItStands) {
    struct Case { const char* value; CheckOptions options; };
    const Case cases[] = {
        {"rxja", {true, true, true, true}},
        {"", {false, false, false, false}},
        {"ax", {false, true, false, true}},
        {"ajjj", {false, false, true, true}},
        {"RXJA", {false, false, false, false}},     // upper case does not count
        {"-r1 -x1", {true, true, false, false}},
        {"ビベニヂ", {false, false, false, false}},  // trail bytes 'r', 'x', 'j', 'a'
        {"ビj", {false, false, true, false}},
        {"\x83", {false, false, false, false}},    // a lone lead byte at the end
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeChkOpt(c.value), c.options) << c.value;
}

}  // namespace
}  // namespace zavo

// The platform the whole program assumes: code page 932, and our lead-byte table agreeing with
// the system's for every byte value.
#include <windows.h>

#include <gtest/gtest.h>

#include "text/cp932.h"

namespace {

TEST(Platform, AnsiCodePageIs932) {
    // Every text rule of the program is written for code page 932; under Wine this comes from
    // LANG=ja_JP.UTF-8. Without it, the other tests' Japanese names would mean nothing.
    ASSERT_EQ(GetACP(), 932u);
}

TEST(Platform, LeadByteTableMatchesTheSystem) {
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(cp932::IsLeadByte(static_cast<unsigned char>(c)),
                  IsDBCSLeadByteEx(932, static_cast<BYTE>(c)) != FALSE)
            << "byte 0x" << std::hex << c;
    }
}

}  // namespace

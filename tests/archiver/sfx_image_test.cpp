// The self-extracting program's name and the check that a stub is a program at all.
#include <gtest/gtest.h>

#include "archiver/sfx_image.h"

namespace unlha {
namespace {

TEST(SfxImage, OutputPathFollowsTheArchiveName) {
    EXPECT_EQ(SfxOutputPath("D:\\ARC\\A.LZH", ""), "D:\\ARC\\A.EXE");
    EXPECT_EQ(SfxOutputPath("D:\\ARC\\A.LZH", "E:\\OUT\\"), "E:\\OUT\\A.EXE");
    EXPECT_EQ(SfxOutputPath("a.b.lzh", ""), "a.b.EXE");
    EXPECT_EQ(SfxOutputPath("D:\\\x95\x5C.d\\\x83\x5C.lzh", "C:"), "C:\x83\x5C.EXE");
}

// A stand-in program: "MZ" and a PE signature where the header points.
std::vector<std::uint8_t> FakeProgram() {
    std::vector<std::uint8_t> stub(40000, 0x90);
    stub[0] = 'M';
    stub[1] = 'Z';
    stub[0x3C] = 0x80;
    stub[0x3D] = stub[0x3E] = stub[0x3F] = 0;
    const char pe[] = {'P', 'E', 0, 0};
    std::copy(pe, pe + 4, stub.begin() + 0x80);
    return stub;
}

TEST(SfxImage, ProgramCheck) {
    std::vector<std::uint8_t> stub = FakeProgram();
    EXPECT_TRUE(IsProgramImage(stub.data(), stub.size()));
    const std::string marker = "no self-extracting program was built\n";
    EXPECT_FALSE(IsProgramImage(reinterpret_cast<const std::uint8_t*>(marker.data()), marker.size()));
    stub[0x3C] = 0xFF;
    stub[0x3D] = 0xFF;
    EXPECT_FALSE(IsProgramImage(stub.data(), stub.size())) << "a PE offset past the end";
}

}  // namespace
}  // namespace unlha

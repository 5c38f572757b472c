// The self-extracting program's name and stub check, and our reader finding an archive behind a
// program that even carries a header-like string of its own.
#include <gtest/gtest.h>

#include "archiver/sfx_image.h"
#include "codec/archive.h"

namespace unlha {
namespace {

TEST(SfxImage, OutputPathFollowsTheArchiveName) {
    EXPECT_EQ(SfxOutputPath("D:\\ARC\\A.LZH", ""), "D:\\ARC\\A.EXE");
    EXPECT_EQ(SfxOutputPath("D:\\ARC\\A.LZH", "E:\\OUT\\"), "E:\\OUT\\A.EXE");
    EXPECT_EQ(SfxOutputPath("a.b.lzh", ""), "a.b.EXE");
    EXPECT_EQ(SfxOutputPath("D:\\\x95\x5C.d\\\x83\x5C.lzh", "C:"), "C:\x83\x5C.EXE");
}

// A stand-in program: "MZ", a PE signature where the header points, and bytes that look like a
// member header to a careless scanner.
std::vector<std::uint8_t> FakeProgram() {
    std::vector<std::uint8_t> stub(40000, 0x90);
    stub[0] = 'M';
    stub[1] = 'Z';
    stub[0x3C] = 0x80;
    stub[0x3D] = stub[0x3E] = stub[0x3F] = 0;
    const char pe[] = {'P', 'E', 0, 0};
    std::copy(pe, pe + 4, stub.begin() + 0x80);
    const std::string fake = "\x20\x00-lh5-";
    std::copy(fake.begin(), fake.end(), stub.begin() + 1000);
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

TEST(SfxImage, TheReaderFindsTheArchiveBehindTheProgram) {
    lzh::MemorySink sink;
    std::vector<std::uint8_t> stub = FakeProgram();
    sink.Write(stub.data(), stub.size());
    lzh::ArchiveWriter writer(sink);
    for (const char* name : {"one.txt", "two.txt"}) {
        lzh::NewEntry entry;
        entry.name = name;
        std::vector<std::uint8_t> data(5000, static_cast<std::uint8_t>(name[0]));
        lzh::MemorySource source(data);
        ASSERT_EQ(writer.AddFile(entry, source, lzh::FindMethod("-lh5-")).status, lzh::WriteStatus::Ok);
    }
    writer.Finish();
    lzh::MemorySource source(sink.Bytes());
    lzh::ArchiveReader reader(source);
    lzh::Entry entry;
    std::vector<std::string> names;
    while (reader.Next(entry) == lzh::ReadStatus::Entry) {
        names.push_back(entry.name);
        lzh::MemorySink out;
        EXPECT_EQ(reader.Extract(entry, out).status, lzh::ExtractStatus::Ok);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"one.txt", "two.txt"}));
    EXPECT_EQ(reader.ArchiveStart(), stub.size());
}

}  // namespace
}  // namespace unlha

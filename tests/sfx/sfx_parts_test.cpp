// The self-extracting program's parts without windows: its command line, where its own image
// ends, finding the archive behind it even when the program holds an archive-like part, and the
// extraction driven with hooks of the test's own, which cancel in the middle of a file. The path
// rules are the library's entry writer's, tested there against the hostile table.
#include <gtest/gtest.h>

#include "codec/io.h"
#include "sfx/attached_archive.h"
#include "sfx/extractor.h"
#include "sfx/program_image.h"
#include "sfx/sfx_options.h"
#include "sfx_test_support.h"

namespace {

using namespace sfx_test;

lzh::MemorySource SourceOf(const std::string& bytes) {
    return lzh::MemorySource(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(SfxOptions, ReadsDestinationAndUnattendedSwitch) {
    const struct { std::string arguments, destination; bool unattended, error; } cases[] = {
        {"", "", false, false},
        {" -d \"Z:\\tmp\\展開 先\" -y", "Z:\\tmp\\展開 先", true, false},
        {"-y -dC:\\out", "C:\\out", true, false},
        {"/D \"C:\\表\\\" /Y", "C:\\表\\", true, false},   // a trail byte 0x5C before the closing quote
        {"-d", "", false, true},
        {"-x -y", "", true, true},                         // -y is still seen after a bad switch
        {"-d \"\" -y", "", true, true},
    };
    for (const auto& c : cases) {
        const sfx::Options options = sfx::ParseOptions(c.arguments);
        EXPECT_EQ(options.destination, c.destination) << c.arguments;
        EXPECT_EQ(options.unattended, c.unattended) << c.arguments;
        EXPECT_EQ(!options.error.empty(), c.error) << c.arguments;
    }
}

TEST(SfxOptions, SkipsTheProgramNameQuotedOrNot) {
    EXPECT_EQ(sfx::ArgumentsAfterProgram("\"C:\\a b\\x.exe\" -y"), " -y");
    EXPECT_EQ(sfx::ArgumentsAfterProgram("C:\\ソ\\x.exe -d C:\\t"), " -d C:\\t");
    EXPECT_EQ(sfx::ArgumentsAfterProgram("x.exe"), "");
}

// A small program image: DOS header, PE header, no optional header, one section whose raw data
// is `sectionData`; `tail` is appended behind the image.
std::string FakeProgram(const std::string& sectionData, const std::string& tail) {
    std::string image(0x200, '\0');
    image.replace(0, 2, "MZ");
    image[0x3C] = 0x40;
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    image[0x46] = 1;   // one section
    const std::size_t section = 0x40 + 24;
    const std::uint32_t rawSize = static_cast<std::uint32_t>(sectionData.size());
    for (int i = 0; i < 4; ++i) {
        image[section + 16 + i] = static_cast<char>((rawSize >> (8 * i)) & 0xFF);
        image[section + 20 + i] = static_cast<char>((0x200 >> (8 * i)) & 0xFF);
    }
    return image + sectionData + tail;
}

TEST(SfxProgramImage, EndsAfterTheLastSectionOrNotAtAll) {
    const std::string program = FakeProgram(std::string(0x400, 'x'), "archive");
    lzh::MemorySource source = SourceOf(program);
    EXPECT_EQ(sfx::ProgramImageEnd(source), 0x600u);

    const std::string broken[] = {
        "MZ",
        std::string("ZM") + program.substr(2),
        program.substr(0, 0x50),               // the section table is cut off
        FakeProgram(std::string(0x400, 'x'), "").substr(0, 0x500),   // a section runs past the end
    };
    for (const std::string& bytes : broken) {
        lzh::MemorySource s = SourceOf(bytes);
        EXPECT_EQ(sfx::ProgramImageEnd(s), 0u) << bytes.size();
    }
}

TEST(SfxProgramImage, TheBuiltProgramEndsWhereItsFileEnds) {
    // The s command appends the archive right behind the program file, so the two must agree.
    const std::string stub = StubBytes();
    ASSERT_GT(stub.size(), 1024u);
    lzh::MemorySource source = SourceOf(stub);
    EXPECT_EQ(sfx::ProgramImageEnd(source), stub.size());
}

TEST(SfxAttachedArchive, AMemberInsideTheProgramIsNeverTakenForAnAttachedArchive) {
    // The program's data ends with a member whose data reaches exactly to the program's end: a
    // scan from the file's start finds one chain of members running cleanly to the end of the file
    // and would list (and extract) the program's bytes as a file.
    const std::string inside = Level0Member("trap.txt", std::string(0x100, 'f'));
    const std::string attached = ArchiveOf({{"real.txt", "the attached archive"}, {"sub\\second.txt", "two"}});
    const std::string program = FakeProgram(inside, attached);
    lzh::MemorySource source = SourceOf(program);
    sfx::AttachedArchive archive;
    ASSERT_EQ(sfx::ReadAttachedArchive(source, archive), sfx::AttachStatus::Ok);
    ASSERT_EQ(archive.entries.size(), 2u);
    EXPECT_EQ(archive.entries[0].name + "|" + archive.entries[1].Path(), "real.txt|sub\\second.txt");
    EXPECT_EQ(archive.programSize, 0x200 + inside.size());
    EXPECT_FALSE(archive.broken);
    // With nothing behind it, the program holds no archive, whatever it holds itself.
    const std::string alone = FakeProgram(inside + std::string(1, '\0'), "");
    lzh::MemorySource bare = SourceOf(alone);
    sfx::AttachedArchive none;
    EXPECT_EQ(sfx::ReadAttachedArchive(bare, none), sfx::AttachStatus::NoArchive);
}

// Cancels once `limit` bytes were written; answers "yes" about every existing file.
struct CancellingHooks : sfx::ExtractionHooks {
    std::uint64_t limit, written = 0;
    explicit CancellingHooks(std::uint64_t limit) : limit(limit) {}
    bool Begin(const std::string&, std::uint64_t, std::uint64_t) override { return true; }
    bool Advance(std::uint64_t bytes) override { return (written += bytes) < limit; }
    sfx::OverwriteAnswer AskOverwrite(const std::string&) override { return sfx::OverwriteAnswer::Yes; }
};

TEST(SfxExtraction, ACancelInTheMiddleOfAFileLeavesNothingOfIt) {
    const std::string program = StubBytes() + ArchiveOf({{"small.txt", "small"},
                                                         {"表\\ソ.txt", TextData(1 << 20, 9)},
                                                         {"after.txt", "never reached"}});
    Scratch scratch;
    const std::string out = scratch / "out\\";
    WriteBytes(out + "表\\ソ.txt", "the file the cancelled entry would replace");
    lzh::MemorySource file = SourceOf(program);
    sfx::AttachedArchive archive;
    ASSERT_EQ(sfx::ReadAttachedArchive(file, archive), sfx::AttachStatus::Ok);
    CancellingHooks hooks(300000);
    const sfx::ExtractionSummary summary = sfx::ExtractAll(archive, out, true, hooks);
    EXPECT_TRUE(summary.cancelled && summary.extracted == 1 && summary.failed == 0);
    EXPECT_EQ(Tree(out), (std::vector<std::string>{"small.txt", "表\\", "表\\ソ.txt"}));
    EXPECT_EQ(ReadBytes(out + "表\\ソ.txt"), "the file the cancelled entry would replace");
}

}  // namespace

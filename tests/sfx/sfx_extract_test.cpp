// The extraction driven in this process with hooks of the test's own: the hostile archives that
// the library is tested against, and a cancel in the middle of a file (named with 0x5C trail
// bytes) that leaves neither that file nor a temporary one.
#include <gtest/gtest.h>

#include "codec/io.h"
#include "sfx/attached_archive.h"
#include "sfx/extractor.h"
#include "sfx_test_support.h"
#include "tests/support/hostile_archives.h"

namespace {

using namespace sfx_test;

// Cancels once `limit` bytes were written; answers "yes" about every existing file.
class TestHooks : public sfx::ExtractionHooks {
public:
    explicit TestHooks(std::uint64_t limit = UINT64_MAX) : limit_(limit) {}
    bool Begin(const std::string&, std::uint64_t, std::uint64_t) override { return true; }
    bool Advance(std::uint64_t bytes) override {
        written_ += bytes;
        return written_ < limit_;
    }
    sfx::OverwriteAnswer AskOverwrite(const std::string&) override { return sfx::OverwriteAnswer::Yes; }

private:
    std::uint64_t limit_;
    std::uint64_t written_ = 0;
};

// Extracts the archive behind `program` (the built program's bytes, then members) below `out`.
sfx::ExtractionSummary ExtractBehind(const std::string& program, const std::string& out, sfx::ExtractionHooks& hooks) {
    lzh::MemorySource file(reinterpret_cast<const std::uint8_t*>(program.data()), program.size());
    sfx::AttachedArchive archive;
    if (sfx::ReadAttachedArchive(file, archive) != sfx::AttachStatus::Ok) {
        ADD_FAILURE() << "no archive found behind the program";
        return {};
    }
    return sfx::ExtractAll(archive, out, true, hooks);
}

TEST(SfxExtraction, HostilePathsAreRefusedAndNothingIsCreatedForThem) {
    const std::string stub = StubBytes();
    for (const Hostile& h : HostileArchives()) {
        SCOPED_TRACE(h.row);
        Scratch scratch;
        const std::string out = scratch / "a\\b\\out\\";
        TestHooks hooks;
        const sfx::ExtractionSummary summary =
            ExtractBehind(stub + h.members + Level0Member("good.txt", "good") + std::string(1, '\0'), out, hooks);
        EXPECT_EQ(ReadBytes(out + "good.txt"), "good");
        // Outside the destination nothing appeared; inside it only what was safe.
        EXPECT_EQ(Tree(scratch.Path()).size(), Tree(out).size() + 3) << "a\\, a\\b\\ and a\\b\\out\\ only";
        for (const std::string& path : Tree(out)) EXPECT_TRUE(AllowedAfterHostile(path)) << path;
        EXPECT_GE(summary.refused, 1u);
        EXPECT_FALSE(summary.Succeeded());
        for (const std::string& line : summary.problems)
            EXPECT_EQ(line.find('\x1B'), std::string::npos) << "control bytes never reach the window";
    }
}

TEST(SfxExtraction, ACancelInTheMiddleOfAFileLeavesNothingOfIt) {
    const std::string program = StubBytes() + ArchiveOf({{"small.txt", "small"},
                                                         {"表\\ソ.txt", TextData(1 << 20, 9)},
                                                         {"after.txt", "never reached"}});
    Scratch scratch;
    const std::string out = scratch / "out\\";
    WriteBytes(out + "表\\ソ.txt", "the file the cancelled entry would replace");
    TestHooks hooks(300000);
    const sfx::ExtractionSummary summary = ExtractBehind(program, out, hooks);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.extracted, 1u);
    EXPECT_EQ(summary.failed, 0u);
    EXPECT_EQ(Tree(out), (std::vector<std::string>{"small.txt", "表\\", "表\\ソ.txt"}));
    EXPECT_EQ(ReadBytes(out + "表\\ソ.txt"), "the file the cancelled entry would replace");
}

}  // namespace

// The extraction driven in this process with hooks of the test's own: a cancel in the middle of a
// file (named with 0x5C trail bytes) leaves neither that file nor a temporary one. The path rules
// are the library's entry writer's, tested there against the hostile table.
#include <gtest/gtest.h>

#include "codec/io.h"
#include "sfx/attached_archive.h"
#include "sfx/extractor.h"
#include "sfx_test_support.h"

namespace {

using namespace sfx_test;

// Cancels once `limit` bytes were written; answers "yes" about every existing file.
class CancellingHooks : public sfx::ExtractionHooks {
public:
    explicit CancellingHooks(std::uint64_t limit) : limit_(limit) {}
    bool Begin(const std::string&, std::uint64_t, std::uint64_t) override { return true; }
    bool Advance(std::uint64_t bytes) override { return (written_ += bytes) < limit_; }
    sfx::OverwriteAnswer AskOverwrite(const std::string&) override { return sfx::OverwriteAnswer::Yes; }

private:
    std::uint64_t limit_, written_ = 0;
};

TEST(SfxExtraction, ACancelInTheMiddleOfAFileLeavesNothingOfIt) {
    const std::string program = StubBytes() + ArchiveOf({{"small.txt", "small"},
                                                         {"表\\ソ.txt", TextData(1 << 20, 9)},
                                                         {"after.txt", "never reached"}});
    Scratch scratch;
    const std::string out = scratch / "out\\";
    WriteBytes(out + "表\\ソ.txt", "the file the cancelled entry would replace");
    lzh::MemorySource file(reinterpret_cast<const std::uint8_t*>(program.data()), program.size());
    sfx::AttachedArchive archive;
    ASSERT_EQ(sfx::ReadAttachedArchive(file, archive), sfx::AttachStatus::Ok);
    CancellingHooks hooks(300000);
    const sfx::ExtractionSummary summary = sfx::ExtractAll(archive, out, true, hooks);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.extracted, 1u);
    EXPECT_EQ(summary.failed, 0u);
    EXPECT_EQ(Tree(out), (std::vector<std::string>{"small.txt", "表\\", "表\\ソ.txt"}));
    EXPECT_EQ(ReadBytes(out + "表\\ソ.txt"), "the file the cancelled entry would replace");
}

}  // namespace

// Archives written on worker threads: the same bytes whatever the thread count, the same as one
// member at a time on the calling thread, read back whole; and a cancel that stops the work.
#include <gtest/gtest.h>

#include "tests/codec/encoder_test_data.h"
#include "tests/codec/format_test_util.h"

namespace {

using encoder_test::Bytes;
using encoder_test::Concat;
using encoder_test::Noise;
using encoder_test::Text;

// Members crossing several segment boundaries, with small, empty and incompressible ones between.
std::vector<lzh_test::TestMember> Members() {
    const std::vector<Bytes> data = {
        Concat({Text(lzh::kSegmentSize + 5000, 1), Noise(70000, 2), Text(lzh::kSegmentSize, 1)}),
        Text(3000, 3),
        {},
        Noise(30000, 4),
        // A repeat that only the history before the third segment finds.
        Concat({Noise(2 * lzh::kSegmentSize - 100, 5), Noise(40000, 5), Text(100, 6)}),
        Text(1, 7),
    };
    std::vector<lzh_test::TestMember> members;
    for (const Bytes& d : data) members.push_back({{}, "member" + std::to_string(members.size()) + ".\x95\x5C", {d.begin(), d.end()}});   // 表
    return members;
}

TEST(ParallelEncoder, SameArchiveWhateverTheThreadCount) {
    const std::vector<lzh_test::TestMember> members = Members();
    for (const char* id : {"-lh5-", "-lh7-"}) {
        SCOPED_TRACE(id);
        const Bytes expected = lzh_test::WriteArchive(members, 2, id);   // member by member on this thread
        for (int threads : {1, 2, 5}) EXPECT_TRUE(lzh_test::WriteArchive(members, 2, id, threads) == expected) << threads << " threads";
        const lzh_test::ReadBack back = lzh_test::ReadArchive(expected);
        ASSERT_EQ(back.entries.size(), members.size()) << back.error;
        for (std::size_t i = 0; i < members.size(); ++i) EXPECT_TRUE(back.contents[i] == members[i].content) << i;
    }
}

TEST(ParallelEncoder, CancelStopsTheMember) {
    const Bytes big = Text(8 * lzh::kSegmentSize, 8);
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    lzh::ParallelEncoder encoder(2);
    lzh::MemorySource source(big);
    encoder.Queue(source, lzh::FindMethod("-lh7-"));
    struct CancelAtOnce : lzh::WaitObserver {
        bool KeepGoing() override { return ++waits, false; }
        int waits = 0;
    } observer;
    lzh::NewEntry entry;
    entry.name = "big.txt";
    EXPECT_EQ(writer.AddQueuedFile(entry, encoder, &observer).status, lzh::WriteStatus::Cancelled);
    EXPECT_EQ(observer.waits, 1);
    EXPECT_TRUE(encoder.Empty());
}

}  // namespace

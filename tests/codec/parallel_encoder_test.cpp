// Archives written on worker threads: the same bytes whatever the thread count, the same as one
// member at a time on the calling thread, read back whole; and a cancel that stops the work.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "codec/archive.h"
#include "codec/parallel_encoder.h"
#include "tests/codec/encoder_test_data.h"
#include "tests/codec/format_test_util.h"

namespace {

using encoder_test::Bytes;
using encoder_test::Concat;
using encoder_test::Noise;
using encoder_test::Text;

// Members crossing several segment boundaries, with small, empty and incompressible ones between.
const std::vector<Bytes>& Members() {
    static const std::vector<Bytes> members = {
        Concat({Text(lzh::kSegmentSize + 5000, 1), Noise(70000, 2), Text(lzh::kSegmentSize, 1)}),
        Text(3000, 3),
        {},
        Noise(30000, 4),
        // A repeat that only the history before the third segment finds.
        Concat({Noise(2 * lzh::kSegmentSize - 100, 5), Noise(40000, 5), Text(100, 6)}),
        Text(1, 7),
    };
    return members;
}

lzh::NewEntry EntryFor(std::size_t i) {
    lzh::NewEntry e;
    e.name = "member" + std::to_string(i) + ".\x95\x5C";   // 表
    e.dosTime = 0x5A215C3B;
    return e;
}

// On `threads` workers, or member by member on this thread when there are none.
Bytes Write(const char* methodId, int threads) {
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    lzh::ParallelEncoder encoder(std::max(threads, 1));
    std::deque<lzh::MemorySource> sources;
    std::size_t queued = 0;
    for (std::size_t i = 0; i < Members().size(); ++i) {
        lzh::WriteResult r;
        if (threads == 0) {
            lzh::MemorySource source(Members()[i]);
            r = writer.AddFile(EntryFor(i), source, lzh::FindMethod(methodId));
        } else {
            // Two members ahead of the one written, as a caller with little room would queue them.
            for (; queued < Members().size() && queued < i + 2; ++queued) {
                sources.emplace_back(Members()[queued]);
                encoder.Queue(sources.back(), lzh::FindMethod(methodId));
            }
            r = writer.AddQueuedFile(EntryFor(i), encoder, nullptr);
        }
        EXPECT_EQ(r.status, lzh::WriteStatus::Ok) << r.detail;
    }
    EXPECT_TRUE(encoder.Empty());
    writer.Finish();
    return sink.Bytes();
}

TEST(ParallelEncoder, SameArchiveWhateverTheThreadCount) {
    for (const char* id : {"-lh5-", "-lh7-"}) {
        SCOPED_TRACE(id);
        const Bytes expected = Write(id, 0);
        for (int threads : {1, 2, 5}) EXPECT_TRUE(Write(id, threads) == expected) << threads << " threads";
        const lzh_test::ReadBack back = lzh_test::ReadArchive(expected);
        ASSERT_EQ(back.entries.size(), Members().size()) << back.error;
        for (std::size_t i = 0; i < Members().size(); ++i) EXPECT_TRUE(Bytes(back.contents[i].begin(), back.contents[i].end()) == Members()[i]) << i;
    }
}

class CancelAtOnce : public lzh::WaitObserver {
public:
    bool KeepGoing() override {
        ++waits;
        return false;
    }
    int waits = 0;
};

TEST(ParallelEncoder, CancelStopsTheMember) {
    const Bytes big = Text(8 * lzh::kSegmentSize, 8);
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    lzh::ParallelEncoder encoder(2);
    lzh::MemorySource source(big);
    encoder.Queue(source, lzh::FindMethod("-lh7-"));
    CancelAtOnce observer;
    lzh::WriteResult r = writer.AddQueuedFile(EntryFor(0), encoder, &observer);
    EXPECT_EQ(r.status, lzh::WriteStatus::Cancelled);
    EXPECT_EQ(observer.waits, 1);
    EXPECT_TRUE(encoder.Empty());
}

}  // namespace

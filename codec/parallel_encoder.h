// Compresses the members of an archive on worker threads, ahead of the thread that writes them in
// order: members side by side, and a large member's segments side by side. The output is that of
// Encode, byte for byte, whatever the number of threads.
//
// Memory: each running job holds about 3 MB (a segment, its output and the parser); the calling
// thread reads ahead at most ReadAhead() bytes of input (plus one segment), kept until written.
// Buffers of whole segments and of packed output are kept for later segments until the encoder
// goes: no more of them than were in use at once, so the bound stays as it is.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "codec/encoder.h"
#include "codec/io.h"
#include "codec/method.h"
#include "codec/segment_encoder.h"
#include "codec/uninitialized_vector.h"
#include "codec/worker_pool.h"

namespace lzh {

// Called on the calling thread before each segment is joined and every few tens of milliseconds
// while it waits for the workers (to keep its windows answering); false cancels.
class WaitObserver {
public:
    virtual bool KeepGoing() = 0;

protected:
    ~WaitObserver() = default;
};

class ParallelEncoder {
public:
    static constexpr int kMaxThreads = 32;
    // `threads` 0 means one per core; at most kMaxThreads.
    static int ThreadsFor(int threads);

    explicit ParallelEncoder(int threads);
    // Stops the jobs at their next stretch and waits for them.
    ~ParallelEncoder();
    ParallelEncoder(const ParallelEncoder&) = delete;
    ParallelEncoder& operator=(const ParallelEncoder&) = delete;

    int Threads() const { return threads_; }
    std::uint64_t ReadAhead() const { return readAhead_; }

    // Whether another member may be queued now.
    bool HasRoom() const { return members_.size() < kMaxQueuedMembers; }
    // Queues a member: `data` is read from its start on this thread as the read-ahead allows, and
    // must outlive the member's turn. A method that Encode does not write, or empty data, only
    // keeps the member's place.
    void Queue(RandomAccessSource& data, const Method& method);

    bool Empty() const { return members_.empty(); }
    RandomAccessSource& OldestData() { return *members_.front().data; }
    const Method& OldestMethod() const { return members_.front().method; }
    // Writes the oldest member's packed data to `out` as Encode(method, data, out, data size - 1)
    // would; its data is not read any more afterwards.
    EncodeResult EncodeOldest(ByteSink& out, WaitObserver* observer);
    // The oldest member is done with: its jobs stop.
    void DropOldest();

private:
    static constexpr std::size_t kMaxQueuedMembers = 64;

    struct Segment {
        // History, the segment, slack (maybe more room); given up once packed. Not cleared: it is
        // read over at once, and the calling thread has enough to do.
        UninitializedVector<std::uint8_t> input;
        std::size_t history = 0;
        std::size_t plain = 0;
        PackedSegment packed;
        bool done = false;                 // guarded by mutex_
    };
    struct Member {
        RandomAccessSource* data = nullptr;
        Method method;
        std::uint64_t limit = 0;
        bool readEnded = false;
        bool readFailed = false;
        std::uint64_t consumed = 0;
        std::uint16_t crc = 0;
        std::vector<std::uint8_t> tail;    // the last bytes read: the next segment's history
        std::deque<std::shared_ptr<Segment>> segments;   // read and not yet joined
        std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
    };

    // Reads and hands out segments, members in order, while the read-ahead allows.
    void Feed();
    bool ReadSegment(Member& member);
    void Submit(Member& member, std::shared_ptr<Segment> segment);

    int threads_;
    std::uint64_t readAhead_;
    std::uint64_t bytesOut_ = 0;      // read and not yet joined or dropped
    std::uint64_t unwoken_ = 0;       // bytes handed out since the workers were last woken
    std::deque<Member> members_;
    std::size_t reading_ = 0;         // index of the first member not read to its end
    std::vector<SegmentWorkspace> workspaces_;   // one per worker
    UninitializedVector<std::uint8_t> joinScratch_;   // the calling thread's, for every member's SegmentJoiner
    std::mutex mutex_;
    // Buffers of whole segments read and packed, and of packed output written, kept to be used again:
    // no more of them than were ever in use at once. Guarded by mutex_.
    std::vector<UninitializedVector<std::uint8_t>> spareInputs_;
    std::vector<BitWriter::Storage> spareOutputs_;
    std::condition_variable finished_;
    bool waiting_ = false;            // the calling thread waits for finished_; guarded by mutex_
    WorkerPool pool_;                 // last: its threads stop before the rest goes
};

}  // namespace lzh

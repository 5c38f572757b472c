// The read-ahead of members and segments, their jobs, and the joining in order.
#include "codec/parallel_encoder.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "codec/crc16.h"

namespace lzh {

namespace {
constexpr auto kWaitSlice = std::chrono::milliseconds(20);
// Small members are handed out in batches of about this much before the workers are woken.
constexpr std::uint64_t kWakeEvery = 256 * 1024;
// A segment's input buffer that fits any segment: the largest history, the segment and its slack.
constexpr std::size_t kSpareInputBytes = kMaxHistory + kSegmentSize + kSegmentSlack;
}

int ParallelEncoder::ThreadsFor(int threads) {
    if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(threads, 1, kMaxThreads);
}

// Every worker has a segment at work and one waiting, up to eight more in all for the largest counts.
ParallelEncoder::ParallelEncoder(int threads)
    : threads_(ThreadsFor(threads)),
      readAhead_(std::uint64_t(threads_ + std::min(threads_, 8)) * kSegmentSize),
      workspaces_(static_cast<std::size_t>(threads_)),
      pool_(threads_) {}

ParallelEncoder::~ParallelEncoder() {
    for (Member& m : members_) m.stop->store(true);
}

void ParallelEncoder::Queue(RandomAccessSource& data, const Method& method) {
    Member m;
    m.data = &data;
    m.method = method;
    const std::uint64_t size = data.Size();
    m.limit = size == 0 ? 0 : size - 1;
    const bool encodable = size != 0 && Encodable(method);
    m.readEnded = !encodable;
    if (encodable && !data.Seek(0)) m.readEnded = m.readFailed = true;
    members_.push_back(std::move(m));
    Feed();
}

void ParallelEncoder::Feed() {
    while (reading_ < members_.size() && bytesOut_ < readAhead_) {
        Member& m = members_[reading_];
        if (m.readEnded || !ReadSegment(m)) ++reading_;
    }
}

// Reads the member's next segment and hands it out; false at the end of its data.
bool ParallelEncoder::ReadSegment(Member& m) {
    auto segment = std::make_shared<Segment>();
    segment->history = m.tail.size();
    UninitializedVector<std::uint8_t>& in = segment->input;
    // Room for what the file's size leaves, so that a small file does not pay for a whole segment;
    // a file that grows meanwhile gets more room as it comes. A whole segment, or the rest of a file
    // that had one, takes a spare buffer (not the read that only finds the end: that buffer would
    // go with it); a new one for a whole segment is made large enough for any segment, so that it
    // can serve each later one without growing (a copy and fresh pages).
    const std::uint64_t expected = m.data->Size() > m.consumed ? m.data->Size() - m.consumed : 0;
    const std::size_t want = segment->history + kSegmentSize;
    const std::size_t room = std::min<std::uint64_t>(want, segment->history + expected + 1) + kSegmentSlack;
    const bool whole = room == want + kSegmentSlack;
    if (whole || (segment->history != 0 && expected != 0)) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!spareInputs_.empty()) {
            in = std::move(spareInputs_.back());
            spareInputs_.pop_back();
        }
    }
    if (whole && in.capacity() < kSpareInputBytes) in.reserve(kSpareInputBytes);
    if (in.size() < room) in.resize(room);
    std::copy(m.tail.begin(), m.tail.end(), in.begin());
    std::size_t filled = segment->history;
    while (filled < want) {
        if (filled + kSegmentSlack == in.size()) in.resize(want + kSegmentSlack);
        const std::size_t n = m.data->Read(in.data() + filled, std::min(want, in.size() - kSegmentSlack) - filled);
        if (n == 0) {
            m.readEnded = true;
            m.readFailed = m.data->Failed();
            break;
        }
        filled += n;
    }
    segment->plain = filled - segment->history;
    if (segment->plain == 0 || m.readFailed) {
        m.readEnded = true;
        return false;
    }
    std::fill(in.begin() + filled, in.begin() + filled + kSegmentSlack, 0);
    m.crc = UpdateCrc16(m.crc, in.data() + segment->history, segment->plain);
    m.consumed += segment->plain;
    // The next segment sees no farther back than the window.
    const std::size_t keep = std::min(std::size_t{1} << m.method.dictionaryBits, filled);
    m.tail.assign(in.begin() + (filled - keep), in.begin() + filled);
    Submit(m, std::move(segment));
    return !m.readEnded;
}

void ParallelEncoder::Submit(Member& m, std::shared_ptr<Segment> segment) {
    bytesOut_ += segment->plain;
    unwoken_ += segment->plain;
    const bool wake = unwoken_ >= kWakeEvery;
    if (wake) unwoken_ = 0;
    m.segments.push_back(segment);
    pool_.Submit([this, segment, method = m.method, limit = m.limit, stop = m.stop](int worker) {
        Segment& s = *segment;
        SegmentWorkspace& workspace = workspaces_[static_cast<std::size_t>(worker)];
        s.packed = EncodeSegment(method, s.input.data(), s.history, s.history + s.plain, limit, *stop, workspace);
        UninitializedVector<std::uint8_t> input = std::move(s.input);
        const bool whole = input.capacity() >= kSpareInputBytes;
        bool waited;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            s.done = true;
            waited = waiting_;
            if (whole) spareInputs_.push_back(std::move(input));
            if (!workspace.HasOutputBuffer() && !spareOutputs_.empty()) {
                workspace.KeepOutputBuffer(std::move(spareOutputs_.back()));
                spareOutputs_.pop_back();
            }
        }
        if (waited) finished_.notify_all();
    }, wake);
}

EncodeResult ParallelEncoder::EncodeOldest(ByteSink& out, WaitObserver* observer) {
    Member& m = members_.front();
    EncodeResult result;
    SegmentJoiner joiner(out, m.limit, joinScratch_);
    auto cancelled = [&] {
        if (!observer || observer->KeepGoing()) return false;
        result.cancelled = true;
        m.stop->store(true);
        return true;
    };
    for (;;) {
        Feed();
        if (m.segments.empty()) {
            if (m.readEnded) break;
            continue;   // not read yet: Feed reads members in order, so it reads this one next
        }
        const std::shared_ptr<Segment> segment = m.segments.front();
        std::unique_lock<std::mutex> lock(mutex_);
        if (!segment->done) {
            lock.unlock();
            pool_.Wake();   // whatever was handed out without waking them
            unwoken_ = 0;
            lock.lock();
        }
        while (!segment->done) {
            waiting_ = true;
            const bool done = finished_.wait_for(lock, kWaitSlice, [&] { return segment->done; });
            waiting_ = false;
            if (done) break;
            lock.unlock();
            if (cancelled()) return result;
            lock.lock();
        }
        lock.unlock();
        if (cancelled()) return result;
        m.segments.pop_front();
        bytesOut_ -= segment->plain;
        const bool more = joiner.Add(segment->packed, segment->plain);
        if (segment->packed.bytes.capacity() != 0) {
            std::lock_guard<std::mutex> lock(mutex_);
            spareOutputs_.push_back(std::move(segment->packed.bytes));
        }
        if (!more) break;
    }
    // Given up or failed: the rest of the member is neither read nor packed.
    m.stop->store(true);
    const bool complete = m.readEnded && m.segments.empty() && !m.readFailed;
    m.readEnded = true;
    result.ok = complete && joiner.Finish();
    result.limitReached = joiner.LimitReached();
    result.produced = joiner.Produced();
    result.consumed = m.consumed;
    result.crc = m.crc;
    return result;
}

void ParallelEncoder::DropOldest() {
    Member& m = members_.front();
    m.stop->store(true);
    for (const auto& segment : m.segments) bytesOut_ -= segment->plain;
    members_.pop_front();
    if (reading_ > 0) --reading_;
}

}  // namespace lzh

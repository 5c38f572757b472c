// A member's data is compressed in segments of a fixed size, each on its own (on any thread), with
// the window before it as history; their bit streams joined in order make one ordinary member.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "codec/bit_writer.h"
#include "codec/io.h"
#include "codec/lh_encoder.h"
#include "codec/method.h"

namespace lzh {

// Fixed, so that the output never depends on how many threads share the work.
constexpr std::size_t kSegmentSize = std::size_t{1} << 20;
// History kept before a segment: the largest window.
constexpr std::size_t kMaxHistory = std::size_t{1} << 16;
// Zero bytes that must follow a segment's data: word-wide reads may look past its end.
constexpr std::size_t kSegmentSlack = 8;

// Data that has not shrunk at all over the first eighth of the member's size (its packed limit, as
// callers pass it) is taken for packed or random data and stored at once rather than parsed to the end.
constexpr std::uint64_t kGiveUpFraction = 8;

struct PackedSegment {
    BitWriter::Storage bytes;          // the bit stream in (bits + 7) / 8 bytes, its last byte padded with zero bits; room after
    std::uint64_t bits = 0;            // bits of the stream
    bool gaveUp = false;               // the first segment found the data incompressible: store
    bool stopped = false;              // `stop` was raised: nothing usable
};

class Parser;

// What compressing a segment needs besides its data, kept from one segment to the next on a thread:
// the parser's tables and scratch take longer to allocate and clear than a small segment to pack,
// and buffers allocated afresh for every segment cost a page fault every 4 KiB (dearer still under
// Wine, which maps and unmaps every large block).
class SegmentWorkspace {
public:
    SegmentWorkspace();
    ~SegmentWorkspace();
    SegmentWorkspace(const SegmentWorkspace&) = delete;
    SegmentWorkspace& operator=(const SegmentWorkspace&) = delete;
    // A parser for the window that knows no earlier data.
    Parser& FreshParser(int dictionaryBits);

    // A packed segment's buffer, done with, for a later segment to write over.
    void KeepOutputBuffer(BitWriter::Storage&& bytes) {
        if (bytes.capacity() > output_.capacity()) output_ = std::move(bytes);
    }
    bool HasOutputBuffer() const { return output_.capacity() != 0; }

private:
    friend PackedSegment EncodeSegment(const Method&, const std::uint8_t*, std::size_t, std::size_t, std::uint64_t,
                                       const std::atomic<bool>&, SegmentWorkspace&);
    std::unique_ptr<Parser> parser_;
    UninitializedVector<Command> pending_;
    BitWriter::Storage output_;
};

// Compresses data[history, size) with data[0, history) as history (at most one window of it is
// used), followed by kSegmentSlack zero bytes. `memberLimit` is the member's packed limit: the first segment (history 0) gives up as the
// whole member would. `stop` is polled between stretches.
PackedSegment EncodeSegment(const Method& method, const std::uint8_t* data, std::size_t history, std::size_t size,
                            std::uint64_t memberLimit, const std::atomic<bool>& stop, SegmentWorkspace& workspace);

// Joins the segments of one member in order into its packed data in `sink`, within the limit.
class SegmentJoiner {
public:
    // `scratch` holds each segment's bytes shifted into place; a caller that joins member after
    // member passes the same one, so that its memory is not allocated (and faulted in) afresh.
    SegmentJoiner(ByteSink& sink, std::uint64_t packedLimit, UninitializedVector<std::uint8_t>& scratch)
        : sink_(sink), limit_(packedLimit), shifted_(scratch) {}

    // Appends `segment`, which packed `plainBytes` bytes; false when the member must stop here
    // (write failure, limit reached or given up: see the accessors).
    bool Add(const PackedSegment& segment, std::uint64_t plainBytes);
    // Writes the last partial byte; false on a write failure.
    bool Finish();

    bool LimitReached() const { return limitReached_; }
    bool Failed() const { return failed_; }
    std::uint64_t Produced() const { return produced_; }

private:
    bool Put(const std::uint8_t* data, std::size_t size);

    ByteSink& sink_;
    std::uint64_t limit_;
    std::uint64_t produced_ = 0;   // whole bytes written
    std::uint64_t plain_ = 0;
    std::uint8_t partial_ = 0;     // the next byte's first `partialBits_` bits
    int partialBits_ = 0;
    bool limitReached_ = false;
    bool failed_ = false;
    UninitializedVector<std::uint8_t>& shifted_;
};

}  // namespace lzh

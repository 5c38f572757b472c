// A small ring-buffer window for the LArc methods, whose copies name absolute ring positions,
// with the output gathered into large writes.
#pragma once

#include <cstdint>
#include <vector>

#include "codec/io.h"

namespace lzh {

class RingOutput {
public:
    // `size` must be a power of two; writing starts at `start`.
    RingOutput(std::size_t size, std::size_t start, ByteSink& sink)
        : ring_(size, 0), mask_(size - 1), pos_(start & mask_), sink_(sink) {
        pending_.reserve(kChunk);
    }

    std::uint8_t* Ring() { return ring_.data(); }

    // False when the sink refused a chunk.
    bool Put(std::uint8_t b) {
        ring_[pos_] = b;
        pos_ = (pos_ + 1) & mask_;
        pending_.push_back(b);
        return pending_.size() < kChunk || Flush();
    }

    // Copies byte by byte so that a source overlapping the destination repeats, as LZSS expects.
    bool CopyFrom(std::size_t from, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            if (!Put(ring_[(from + i) & mask_])) return false;
        }
        return true;
    }

    bool Flush() {
        bool ok = pending_.empty() || sink_.Write(pending_.data(), pending_.size());
        if (ok) written_ += pending_.size();
        pending_.clear();
        return ok;
    }

    std::uint64_t Written() const { return written_; }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    std::vector<std::uint8_t> ring_;
    std::size_t mask_;
    std::size_t pos_;
    std::vector<std::uint8_t> pending_;
    ByteSink& sink_;
    std::uint64_t written_ = 0;
};

}  // namespace lzh

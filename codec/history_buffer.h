// Decoded output kept flat in memory behind a window of history, so that LZ copies need no
// wrap-around masking; it is written to the sink in large chunks.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "codec/io.h"

namespace lzh {

class HistoryBuffer {
public:
    static constexpr std::size_t kSlack = 512;  // room for one match (and 8-byte copy overrun)

    // `history` bytes before the first output byte read as `fill`: a copy that reaches back
    // before the start of the data finds them instead of leaving the buffer. `expectedOutput`
    // only sizes the buffer, so that a small member does not pay for a large one.
    HistoryBuffer(std::size_t history, std::uint8_t fill, std::uint64_t expectedOutput)
        : history_(history),
          flushMark_(history + ChunkFor(history, expectedOutput)),
          bytes_(new std::uint8_t[flushMark_ + kSlack]) {
        std::memset(bytes_.get(), fill, history_);
        pos_ = flushed_ = history_;
    }

    std::uint8_t* Data() { return bytes_.get(); }
    std::size_t& Pos() { return pos_; }
    std::size_t History() const { return history_; }
    // Once Pos() reaches this, call Flush before producing more than kSlack - 8 bytes.
    std::size_t FlushMark() const { return flushMark_; }

    void Put(std::uint8_t b) { bytes_[pos_++] = b; }

    // Copies `length` bytes from `distance` back (1 <= distance <= History()); overlapping
    // copies repeat the pattern byte by byte as LZ77 requires. length <= kSlack - 8.
    void Copy(std::size_t distance, std::size_t length) {
        CopyMatch(bytes_.get() + pos_, distance, length);
        pos_ += length;
    }

    // Copy's work on a raw pointer into Data(), for hot loops that keep the position in a local.
    static void CopyMatch(std::uint8_t* dst, std::size_t distance, std::size_t length) {
        const std::uint8_t* src = dst - distance;
        if (distance >= 8) {
            // May write up to 7 bytes beyond the copy: they lie in the slack and are rewritten.
            for (std::size_t i = 0; i < length; i += 8) std::memcpy(dst + i, src + i, 8);
        } else if (distance == 1) {
            std::memset(dst, *src, length);
        } else {
            for (std::size_t i = 0; i < length; ++i) dst[i] = src[i];
        }
    }

    // Writes what is not yet written and keeps the last History() bytes for later copies.
    bool Flush(ByteSink& sink) {
        if (pos_ > flushed_ && !sink.Write(bytes_.get() + flushed_, pos_ - flushed_)) return false;
        written_ += pos_ - flushed_;
        if (pos_ > history_) {
            std::memmove(bytes_.get(), bytes_.get() + pos_ - history_, history_);
            pos_ = history_;
        }
        flushed_ = pos_;
        return true;
    }

    std::uint64_t Written() const { return written_; }

private:
    static std::size_t ChunkFor(std::size_t history, std::uint64_t expectedOutput) {
        std::size_t chunk = 256 * 1024;
        if (chunk < 2 * history) chunk = 2 * history;
        if (expectedOutput + 1 < chunk) chunk = static_cast<std::size_t>(expectedOutput) + 1;
        return chunk;
    }

    std::size_t history_;
    std::size_t flushMark_;
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::size_t pos_;
    std::size_t flushed_;
    std::uint64_t written_ = 0;
};

}  // namespace lzh

// Most-significant-bit-first bit packing into a growing byte buffer, as the block format reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "codec/uninitialized_vector.h"

namespace lzh {

class BitWriter {
public:
    // Output memory: room made ahead is not cleared, so pages never reached are never touched.
    using Storage = UninitializedVector<std::uint8_t>;

    BitWriter() = default;
    // Writes over `storage`, earlier output that is done with: its memory is used again.
    explicit BitWriter(Storage&& storage) : bytes_(std::move(storage)) {}

    // Appends the low `count` bits of `value` (count <= 32), most significant first.
    void Put(std::uint32_t value, int count) {
        acc_ = (acc_ << count) | (value & ((std::uint64_t{1} << count) - 1));
        bits_ += count;
        if (bits_ >= 32) {
            bits_ -= 32;
            // Runs for every 4 bytes of output: one big-endian store into room made in advance.
            if (size_ + 4 > bytes_.size()) bytes_.resize(bytes_.size() * 2 + 64);
            const std::uint32_t word = __builtin_bswap32(static_cast<std::uint32_t>(acc_ >> bits_));
            std::memcpy(bytes_.data() + size_, &word, 4);
            size_ += 4;
        }
    }

    // Moves every whole byte written so far into the buffer; the partial byte stays pending.
    void SettleWholeBytes() {
        while (bits_ >= 8) {
            bits_ -= 8;
            PushByte(static_cast<std::uint8_t>(acc_ >> bits_));
        }
    }

    // Pads the last partial byte with zero bits; decoders read past the end as zeros anyway.
    void PadToByte() {
        SettleWholeBytes();
        if (bits_ > 0) {
            PushByte(static_cast<std::uint8_t>(acc_ << (8 - bits_)));
            bits_ = 0;
        }
    }

    // Many small fields in a row, with the writer's state held in locals that the compiler keeps in
    // registers: through the writer every field would go to memory and back. Room for `maxBytes`
    // is made in advance; the writer is brought up to date when the run ends.
    class Run {
    public:
        Run(BitWriter& writer, std::size_t maxBytes) : writer_(writer) {
            writer.SettleWholeBytes();   // at most 7 bits stay pending
            const std::size_t need = writer.size_ + maxBytes + 8;
            if (need > writer.bytes_.size()) writer.bytes_.resize(need + need / 2);
            start_ = out_ = writer.bytes_.data() + writer.size_;
            acc_ = writer.acc_;
            bits_ = writer.bits_;
        }
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;
        ~Run() {
            writer_.size_ += static_cast<std::size_t>(out_ - start_);
            writer_.acc_ = acc_;
            writer_.bits_ = bits_;
        }

        // Appends `count` bits (`value` must have no others) without writing anything out: after
        // FlushWholeBytes at most 56 bits may be added before the next flush.
        void PutUnflushed(std::uint64_t value, int count) {
            acc_ = (acc_ << count) | value;
            bits_ += count;
        }
        // Writes out every whole byte pending, without a data-dependent branch: one 8-byte store
        // of which only the whole bytes count.
        void FlushWholeBytes() {
            const std::uint64_t word = __builtin_bswap64(acc_ << (63 - bits_) << 1);
            std::memcpy(out_, &word, 8);
            out_ += static_cast<unsigned>(bits_) >> 3;
            bits_ &= 7;
        }

    private:
        BitWriter& writer_;
        std::uint8_t* start_;
        std::uint8_t* out_;
        std::uint64_t acc_;
        int bits_;
    };

    // Whole bytes written and not yet taken away by Clear().
    const std::uint8_t* Data() const { return bytes_.data(); }
    std::size_t Size() const { return size_; }
    void Clear() { size_ = 0; }
    std::vector<std::uint8_t> Bytes() const { return {bytes_.begin(), bytes_.begin() + size_}; }
    // Hands the buffer over, leaving the writer empty: its first Size() bytes are those written, the
    // rest is room that a later writer may use without clearing it.
    Storage TakeBuffer() {
        size_ = 0;
        return std::move(bytes_);
    }
    // Makes room for about `bytes` of output at once rather than growing step by step.
    void Reserve(std::size_t bytes) {
        if (bytes > bytes_.size()) bytes_.resize(bytes);
    }
    // Bits written but not yet in Data().
    int PendingBits() const { return bits_; }
    std::uint64_t TotalBits() const { return size_ * std::uint64_t{8} + static_cast<unsigned>(bits_); }

private:
    void PushByte(std::uint8_t b) {
        if (size_ == bytes_.size()) bytes_.resize(bytes_.size() * 2 + 64);
        bytes_[size_++] = b;
    }

    Storage bytes_;   // the first size_ of them are written
    std::size_t size_ = 0;
    std::uint64_t acc_ = 0;
    int bits_ = 0;
};

}  // namespace lzh

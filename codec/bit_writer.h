// Most-significant-bit-first bit packing into a growing byte buffer, as the block format reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzh {

class BitWriter {
public:
    // Appends the low `count` bits of `value` (count <= 32), most significant first.
    void Put(std::uint32_t value, int count) {
        acc_ = (acc_ << count) | (value & ((std::uint64_t{1} << count) - 1));
        bits_ += count;
        if (bits_ >= 32) {
            bits_ -= 32;
            std::uint32_t word = static_cast<std::uint32_t>(acc_ >> bits_);
            bytes_.push_back(static_cast<std::uint8_t>(word >> 24));
            bytes_.push_back(static_cast<std::uint8_t>(word >> 16));
            bytes_.push_back(static_cast<std::uint8_t>(word >> 8));
            bytes_.push_back(static_cast<std::uint8_t>(word));
        }
    }

    // Moves every whole byte written so far into the buffer; the partial byte stays pending.
    void SettleWholeBytes() {
        while (bits_ >= 8) {
            bits_ -= 8;
            bytes_.push_back(static_cast<std::uint8_t>(acc_ >> bits_));
        }
    }

    // Pads the last partial byte with zero bits; decoders read past the end as zeros anyway.
    void PadToByte() {
        SettleWholeBytes();
        if (bits_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(acc_ << (8 - bits_)));
            bits_ = 0;
        }
    }

    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    // Bits written but not yet in Bytes().
    int PendingBits() const { return bits_; }
    std::uint64_t TotalBits() const { return bytes_.size() * std::uint64_t{8} + static_cast<unsigned>(bits_); }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t acc_ = 0;
    int bits_ = 0;
};

}  // namespace lzh

// MSB-first bit input for the LZH decoders: a 64-bit buffer refilled eight bytes at a time.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "codec/io.h"

namespace lzh {

class BitCursor;

class BitReader {
public:
    explicit BitReader(ByteSource& source, std::size_t chunkSize = 64 * 1024)
        : source_(source), chunkSize_(chunkSize + 8), chunk_(new std::uint8_t[chunkSize_]) {
        next_ = end_ = chunk_.get();
    }

    // After Refill at least 56 bits can be peeked. Past the end of the data the buffer fills with
    // zero bits, which are counted so that Overrun can tell a truncated stream from a whole one.
    void Refill() {
        if (count_ >= 56) return;
        if (end_ - next_ >= 8) {
            std::uint64_t v;
            std::memcpy(&v, next_, 8);
            v = ToBigEndian(v);
            // Bits below count_ may already hold these same bytes: OR-ing them again is harmless.
            bits_ |= v >> count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
        } else {
            RefillSlow();
        }
    }

    // n in 1..32; needs a preceding Refill that covers n.
    std::uint32_t Peek(int n) const { return static_cast<std::uint32_t>(bits_ >> (64 - n)); }
    void Skip(int n) {
        bits_ <<= n;
        count_ -= n;
    }

    // Refill, peek and skip in one; n in 0..32.
    std::uint32_t Get(int n) {
        if (n == 0) return 0;
        Refill();
        std::uint32_t v = Peek(n);
        Skip(n);
        return v;
    }

    // True once bits from beyond the end of the data have been consumed.
    bool Overrun() const { return padBits_ > count_; }
    // True when the source reported a read error (the data then ended early).
    bool ReadFailed() const { return failed_; }

private:
    friend class BitCursor;

    static std::uint64_t ToBigEndian(std::uint64_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
        return v;
#else
        return __builtin_bswap64(v);
#endif
    }

    void FillChunk() {
        std::size_t kept = static_cast<std::size_t>(end_ - next_);
        std::memmove(chunk_.get(), next_, kept);
        next_ = chunk_.get();
        end_ = next_ + kept;
        std::uint8_t* limit = chunk_.get() + chunkSize_;
        while (!atEnd_ && end_ < limit) {
            std::size_t n = source_.Read(end_, static_cast<std::size_t>(limit - end_));
            if (n == 0) {
                atEnd_ = true;
                failed_ = source_.Failed();
            }
            end_ += n;
        }
    }

#if defined(__GNUC__)
    __attribute__((noinline))
#endif
    void RefillSlow() {
        if (!atEnd_) FillChunk();
        if (end_ - next_ >= 8) {
            Refill();
            return;
        }
        // Drop stale bits below count_ that the fast path may have left, then go byte by byte.
        bits_ = count_ ? bits_ & (~std::uint64_t{0} << (64 - count_)) : 0;
        while (count_ <= 56) {
            std::uint64_t byte = 0;
            if (next_ < end_) {
                byte = *next_++;
            } else if (padBits_ < (1 << 20)) {
                padBits_ += 8;  // capped: a decoder stops at the first Overrun anyway
            }
            bits_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    ByteSource& source_;
    std::size_t chunkSize_;
    std::unique_ptr<std::uint8_t[]> chunk_;
    std::uint8_t* next_;
    std::uint8_t* end_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    int padBits_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

// The state of a BitReader copied into locals for a hot decoding loop: the compiler can keep it
// in registers, where the reader's own fields would be reloaded after every byte stored to the
// output (a byte store may alias anything). Hands the state back when destroyed.
class BitCursor {
public:
    explicit BitCursor(BitReader& reader) : reader_(reader) { Load(); }
    ~BitCursor() { Store(); }
    BitCursor(const BitCursor&) = delete;
    BitCursor& operator=(const BitCursor&) = delete;

    // Branch-free while eight bytes are at hand: with 56 or more bits buffered it advances by no
    // bytes and ORs in bits that are already there.
    void Refill() {
        if (count_ >= 56) return;
        if (end_ - next_ >= 8) {
            std::uint64_t v;
            std::memcpy(&v, next_, 8);
            bits_ |= BitReader::ToBigEndian(v) >> count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
        } else if (count_ < 56) {
            Store();
            reader_.RefillSlow();
            Load();
        }
    }
    std::uint32_t Peek(int n) const { return static_cast<std::uint32_t>(bits_ >> (64 - n)); }
    void Skip(int n) {
        bits_ <<= n;
        count_ -= n;
    }
    bool Overrun() const { return padBits_ > count_; }

private:
    void Load() {
        bits_ = reader_.bits_;
        count_ = reader_.count_;
        next_ = reader_.next_;
        end_ = reader_.end_;
        padBits_ = reader_.padBits_;
    }
    void Store() {
        reader_.bits_ = bits_;
        reader_.count_ = count_;
        reader_.next_ = next_;
    }

    BitReader& reader_;
    std::uint64_t bits_;
    int count_;
    std::uint8_t* next_;
    std::uint8_t* end_;
    int padBits_;
};

}  // namespace lzh

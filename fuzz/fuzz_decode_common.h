// Shared by the decoder fuzzers: runs one method over fuzz bytes and checks the promises that
// hold for any input (no more output than asked for, the count reported matches the bytes).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "codec/decoder.h"

namespace zavo_fuzz {

// Counts bytes without keeping them, so that large claimed sizes cost no memory.
class CountingSink : public lzh::ByteSink {
public:
    bool Write(const std::uint8_t*, std::size_t size) override {
        total += size;
        return true;
    }
    std::uint64_t total = 0;
};

// The first two input bytes give the claimed original size (up to 64 KiB * 4), the rest is data.
inline void DecodeFuzzInput(std::string_view methodId, const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    std::uint64_t originalSize = (std::uint64_t{data[0]} | (std::uint64_t{data[1]} << 8)) * 4;
    lzh::MemorySource packed(data + 2, size - 2);
    CountingSink out;
    lzh::DecodeResult r = lzh::Decode(lzh::FindMethod(methodId), packed, originalSize, out);
    if (r.produced != out.total || r.produced > originalSize) std::abort();
    if (r.status == lzh::DecodeStatus::Ok && r.produced != originalSize) std::abort();
}

}  // namespace zavo_fuzz

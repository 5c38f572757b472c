// Inputs for the encoder and decoder tests: reproducible text, noise and repeats, sources and sinks
// that trickle or fail, and a pass-through round trip.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/decoder.h"
#include "codec/encoder.h"
#include "codec/io.h"
#include "codec/method.h"

namespace encoder_test {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t NextRandom(std::uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

// Bytes drawn from `alphabet` symbols: 256 gives incompressible noise, small values many short matches.
inline Bytes Noise(std::size_t size, std::uint32_t seed, int alphabet = 256) {
    Bytes out(size);
    for (auto& b : out) b = static_cast<std::uint8_t>(NextRandom(seed) % alphabet);
    return out;
}

// Word salad: matches of every length and distance, like real text.
inline Bytes Text(std::size_t size, std::uint32_t seed) {
    static const char* const words[] = {"the ", "archive ", "member ", "header ", "of ", "and ", "window ",
                                        "compressed ", "data\n", "a ", "block ", "tree, ", "length ", "LZH "};
    Bytes out;
    while (out.size() < size) {
        const char* w = words[NextRandom(seed) % (sizeof(words) / sizeof(words[0]))];
        for (const char* c = w; *c && out.size() < size; ++c) out.push_back(static_cast<std::uint8_t>(*c));
    }
    return out;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Hands out a few bytes per call, as pipes and slow files do; with `failAfter`, the read fails there.
class TrickleSource : public lzh::ByteSource {
public:
    explicit TrickleSource(const Bytes& data, std::size_t failAfter = ~std::size_t{0})
        : data_(data), end_(std::min(failAfter, data.size())) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, end_ - pos_, std::size_t{1} + (pos_ % 7)});
        std::copy(data_.begin() + pos_, data_.begin() + pos_ + n, buffer);
        pos_ += n;
        return n;
    }
    bool Failed() const override { return end_ < data_.size(); }

private:
    const Bytes& data_;
    std::size_t end_, pos_ = 0;
};

struct RefusingSink : lzh::ByteSink {
    bool Write(const std::uint8_t*, std::size_t) override { return false; }
};

struct Packed {
    lzh::EncodeResult result;
    Bytes bytes;
};

inline Packed Pack(const lzh::Method& method, const Bytes& data, std::uint64_t limit = ~std::uint64_t{0}) {
    lzh::MemorySource source(data);
    lzh::MemorySink sink;
    Packed p;
    p.result = lzh::Encode(method, source, sink, limit);
    p.bytes = sink.Bytes();
    return p;
}

inline bool Unpacks(const lzh::Method& method, const Bytes& packed, const Bytes& original) {
    lzh::MemorySource source(packed);
    lzh::MemorySink sink;
    lzh::DecodeResult r = lzh::Decode(method, source, original.size(), sink);
    return r.status == lzh::DecodeStatus::Ok && sink.Bytes() == original;
}

}  // namespace encoder_test

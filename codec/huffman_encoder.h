// Length-limited Huffman code construction with canonical codes, in the order decoders rebuild them.
#pragma once

#include <cstdint>

#include "codec/block_format.h"

namespace lzh {

// Fills `lengths[0..count)` (count <= 512) with code lengths of at most `maxLength` (<= 16) bits for
// `freqs`. Symbols with zero frequency get length 0. Returns how many symbols are used; when that is
// 0 or 1 every length is 0 and the caller writes the single-code form instead.
int BuildCodeLengths(const std::uint32_t* freqs, int count, int maxLength, std::uint8_t* lengths);

// Canonical codes: shorter codes first, and within one length in increasing symbol order.
void AssignCanonicalCodes(const std::uint8_t* lengths, int count, std::uint16_t* codes);

}  // namespace lzh

// Constants of the -lh4- .. -lh7- and -lhx- block format, shared by its encoder and decoder.
#pragma once

#include <cstddef>

namespace lzh {

// Literal/length alphabet (NC): 256 literal bytes, then match lengths kMinMatch..kMaxMatch.
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
constexpr int kLiteralLengthCodes = 256 + kMaxMatch - kMinMatch + 1;
static_assert(kLiteralLengthCodes == 510, "NC of the block format");

// Every Huffman code of a block is at most this long.
constexpr int kMaxCodeLength = 16;

// A block starts with its command count in 16 bits.
constexpr int kBlockCountBits = 16;
constexpr std::size_t kMaxBlockCommands = (std::size_t{1} << kBlockCountBits) - 1;

// The literal/length code lengths are sent coded themselves, in an alphabet (NT) of three zero-run
// symbols and the lengths 1..16 (symbol length + 2). Its own lengths are preceded by a count of
// kCodeLengthCountBits (TBIT); after the kCodeLengthSkipIndex-th of them a 2-bit zero count follows.
constexpr int kCodeLengthCodes = 3 + kMaxCodeLength;
static_assert(kCodeLengthCodes == 19, "NT of the block format");
constexpr int kCodeLengthCountBits = 5;
constexpr int kCodeLengthSkipIndex = 3;
// Count of literal/length code lengths sent (CBIT).
constexpr int kLiteralLengthCountBits = 9;

// Position code p > 1 stands for a distance-1 of p bits: the code is followed by its p - 1 low bits.
// A method sets how many codes its blocks may use (NP) and the width of their count (PBIT). The
// decoder takes windows of up to 2^kMaxWindowBits; kMaxPositionCodes is room for any NP it accepts.
constexpr int kMaxWindowBits = 24;
constexpr int kMaxPositionCodes = 32;
static_assert(kMaxWindowBits + 1 <= kMaxPositionCodes, "a window's distances fit the position codes");
static_assert(kCodeLengthCodes <= kMaxPositionCodes, "one buffer holds the lengths of either short tree");

// Our encoder writes windows of up to 64 KiB (-lh7-): distances below 2^16 take codes 0..16.
constexpr int kMaxEncoderPositionCodes = 17;

}  // namespace lzh

// Decoder for the static-Huffman block methods -lh4- .. -lh7- and -lhx-.
#pragma once

#include <cstdint>

#include "codec/decoder.h"
#include "codec/io.h"

namespace lzh {

struct LhNewParams {
    int windowBits;      // history kept for copies: at least positionCodes - 1
    int positionCodes;   // the most position codes a block may declare (NP)
    int positionBits;    // width of the position-tree count field (PBIT)
};

// The parameters for a method, widened where archives in the wild need it (-lh6- data is
// decoded with -lh7-'s window and position codes, which covers tools that mislabel -lh7-).
LhNewParams LhNewParamsFor(int dictionaryBits, int positionCodes, int positionBits);

DecodeResult DecodeLhNew(const LhNewParams& params, ByteSource& packed, std::uint64_t originalSize,
                         ByteSink& out);

}  // namespace lzh

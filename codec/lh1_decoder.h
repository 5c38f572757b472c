// Decoder for -lh1-: LZSS over a 4 KiB window with adaptive Huffman codes for literals and lengths.
#pragma once

#include <cstdint>

#include "codec/decoder.h"
#include "codec/io.h"

namespace lzh {

DecodeResult DecodeLh1(ByteSource& packed, std::uint64_t originalSize, ByteSink& out);

}  // namespace lzh

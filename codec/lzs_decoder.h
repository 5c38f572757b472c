// Decoder for LArc's -lzs-: LZSS over a 2 KiB ring with one flag bit per item.
#pragma once

#include <cstdint>

#include "codec/decoder.h"
#include "codec/io.h"

namespace lzh {

DecodeResult DecodeLzs(ByteSource& packed, std::uint64_t originalSize, ByteSink& out);

}  // namespace lzh

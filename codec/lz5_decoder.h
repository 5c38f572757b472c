// Decoder for LArc's -lz5-: LZSS over a pre-filled 4 KiB ring, flag bytes governing eight items.
#pragma once

#include <cstdint>

#include "codec/decoder.h"
#include "codec/io.h"

namespace lzh {

DecodeResult DecodeLz5(ByteSource& packed, std::uint64_t originalSize, ByteSink& out);

}  // namespace lzh

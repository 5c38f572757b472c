// Fuzzes the -lh1- adaptive Huffman decoder.
#include "fuzz/fuzz_decode_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zavo_fuzz::DecodeFuzzInput("-lh1-", data, size);
    return 0;
}

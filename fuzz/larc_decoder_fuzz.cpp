// Fuzzes the LArc decoders (-lzs-, -lz5-); the first byte picks the method.
#include "fuzz/fuzz_decode_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    zavo_fuzz::DecodeFuzzInput(data[0] & 1 ? "-lz5-" : "-lzs-", data + 1, size - 1);
    return 0;
}

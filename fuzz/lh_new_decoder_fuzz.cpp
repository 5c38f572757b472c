// Fuzzes the -lh4- .. -lh7- / -lhx- block decoder; the first byte picks the method.
#include "fuzz/fuzz_decode_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const char* methods[] = {"-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lhx-"};
    zavo_fuzz::DecodeFuzzInput(methods[data[0] % 5], data + 1, size - 1);
    return 0;
}

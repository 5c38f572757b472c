// CRC-16 (reflected 0xA001) with slice-by-8 tables; on processors with carry-less multiplication,
// long runs are first folded into 16 bytes that have the same CRC. It runs over every byte we
// extract or add, on the thread that also reads and writes for the compressing workers.
#include "codec/crc16.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#include <wmmintrin.h>
#define LZH_CRC16_FOLDING 1
#endif

namespace lzh {
namespace {

using Crc16Tables = std::array<std::array<std::uint16_t, 256>, 8>;

// tables[k][b] is the CRC of byte b followed by k zero bytes, so eight bytes fold in one step.
Crc16Tables MakeTables() {
    Crc16Tables t{};
    for (unsigned b = 0; b < 256; ++b) {
        std::uint16_t c = static_cast<std::uint16_t>(b);
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? static_cast<std::uint16_t>((c >> 1) ^ 0xA001) : static_cast<std::uint16_t>(c >> 1);
        t[0][b] = c;
    }
    for (unsigned b = 0; b < 256; ++b)
        for (int k = 1; k < 8; ++k)
            t[k][b] = static_cast<std::uint16_t>((t[k - 1][b] >> 8) ^ t[0][t[k - 1][b] & 0xFF]);
    return t;
}

const Crc16Tables& Tables() {
    static const Crc16Tables tables = MakeTables();
    return tables;
}

std::uint16_t TableCrc16(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
    const Crc16Tables& t = Tables();
    std::uint32_t c = crc;
    while (size >= 8) {
        c ^= static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8);
        c = t[7][c & 0xFF] ^ t[6][c >> 8] ^ t[5][data[2]] ^ t[4][data[3]] ^ t[3][data[4]] ^ t[2][data[5]] ^
            t[1][data[6]] ^ t[0][data[7]];
        data += 8;
        size -= 8;
    }
    while (size--) c = (c >> 8) ^ t[0][(c ^ *data++) & 0xFF];
    return static_cast<std::uint16_t>(c);
}

#ifdef LZH_CRC16_FOLDING

// Folding works on the data as a polynomial over GF(2) whose first bit (the low bit of the first
// byte: the CRC is reflected) is the highest term. A 16-byte block X, loaded little-endian, holds
// L x^64 + H with L in its low half; X moved n bits forward is L x^(n+64) + H x^n, and modulo the
// generator that is L (x^(n+64) mod G) + H (x^n mod G): two carry-less products of at most 80
// bits, which still fit a block. In this bit order a product comes out one term too high, so the
// constants are taken one power lower.
constexpr std::uint32_t kGenerator = 0x18005;   // x^16 + x^15 + x^2 + 1

std::uint32_t PowerModGenerator(int n) {
    std::uint32_t r = 1;
    for (int i = 0; i < n; ++i) {
        r <<= 1;
        if (r & 0x10000) r ^= kGenerator;
    }
    return r;
}

// A remainder as a multiplier in the same reflected order: the term x^d is bit 63 - d.
std::uint64_t Reflected(std::uint32_t remainder) {
    std::uint64_t k = 0;
    for (int d = 0; d < 16; ++d)
        if (remainder >> d & 1) k |= std::uint64_t{1} << (63 - d);
    return k;
}

struct FoldPair {
    std::uint64_t low;    // for the low half of a block: x^(n+63) mod G
    std::uint64_t high;   // for the high half: x^(n-1) mod G
};

FoldPair FoldBy(int bits) { return {Reflected(PowerModGenerator(bits + 63)), Reflected(PowerModGenerator(bits - 1))}; }

struct FoldConstants {
    FoldPair by512 = FoldBy(512), by384 = FoldBy(384), by256 = FoldBy(256), by128 = FoldBy(128);
};

__attribute__((target("sse2,pclmul"))) inline __m128i Load(const FoldPair& k) {
    return _mm_set_epi64x(static_cast<long long>(k.high), static_cast<long long>(k.low));
}

__attribute__((target("sse2,pclmul"))) inline __m128i Fold(__m128i x, __m128i k) {
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

__attribute__((target("sse2,pclmul"))) inline __m128i Block(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Four blocks side by side, 64 bytes a step, then into one block, then 16 bytes a step; the block
// left and the bytes after it have the CRC of the whole. Needs `size` >= 64.
__attribute__((target("sse2,pclmul"))) std::uint16_t FoldedCrc16(std::uint16_t crc, const std::uint8_t* data,
                                                                std::size_t size) {
    static const FoldConstants constants;
    // A running CRC enters as the first two bytes of the data added to it.
    __m128i x0 = _mm_xor_si128(Block(data), _mm_cvtsi32_si128(crc));
    __m128i x1 = Block(data + 16), x2 = Block(data + 32), x3 = Block(data + 48);
    data += 64;
    size -= 64;
    const __m128i by512 = Load(constants.by512);
    for (; size >= 64; data += 64, size -= 64) {
        x0 = _mm_xor_si128(Fold(x0, by512), Block(data));
        x1 = _mm_xor_si128(Fold(x1, by512), Block(data + 16));
        x2 = _mm_xor_si128(Fold(x2, by512), Block(data + 32));
        x3 = _mm_xor_si128(Fold(x3, by512), Block(data + 48));
    }
    const __m128i by128 = Load(constants.by128);
    __m128i x = _mm_xor_si128(_mm_xor_si128(Fold(x0, Load(constants.by384)), Fold(x1, Load(constants.by256))),
                              _mm_xor_si128(Fold(x2, by128), x3));
    for (; size >= 16; data += 16, size -= 16) x = _mm_xor_si128(Fold(x, by128), Block(data));
    std::uint8_t last[16];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(last), x);
    return TableCrc16(TableCrc16(0, last, sizeof last), data, size);
}

bool CanFold() {
    static const bool can = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
    return can;
}

#endif  // LZH_CRC16_FOLDING

}  // namespace

std::uint16_t UpdateCrc16(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
#ifdef LZH_CRC16_FOLDING
    // Short runs (headers) are not worth setting the folding up for.
    if (size >= 256 && CanFold()) return FoldedCrc16(crc, data, size);
#endif
    return TableCrc16(crc, data, size);
}

}  // namespace lzh

// CRC-16 (reflected 0xA001) with slice-by-8 tables: it runs over every byte we extract or add.
#include "codec/crc16.h"

#include <array>

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

}  // namespace

std::uint16_t UpdateCrc16(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
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

}  // namespace lzh

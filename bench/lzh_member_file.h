// Writes a one-member level-2 LZH archive around packed data, for timing other tools on our output.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "codec/crc16.h"

namespace bench {

inline void PutLe(std::vector<std::uint8_t>& v, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// `method` is "-lh5-" etc., or "-lh0-" with the original bytes as `packed`.
inline bool WriteSingleMemberArchive(const std::string& path, const std::string& method, const std::string& name,
                                     const std::vector<std::uint8_t>& packed, const std::vector<std::uint8_t>& original) {
    std::vector<std::uint8_t> h;
    PutLe(h, 0, 2);   // total size, set below
    h.insert(h.end(), method.begin(), method.end());
    PutLe(h, packed.size(), 4);
    PutLe(h, original.size(), 4);
    PutLe(h, 1700000000, 4);
    h.push_back(0x20);
    h.push_back(2);
    PutLe(h, lzh::Crc16(original.data(), original.size()), 2);
    h.push_back('U');
    PutLe(h, 5, 2);                 // the header-CRC extension comes first
    h.push_back(0x00);
    std::size_t crcAt = h.size();
    PutLe(h, 0, 2);
    PutLe(h, 3 + name.size(), 2);   // then the name extension, which ends the chain
    h.push_back(0x01);
    h.insert(h.end(), name.begin(), name.end());
    PutLe(h, 0, 2);
    if ((h.size() & 0xFF) == 0) h.push_back(0);   // a low size byte of 0 would read as the end mark
    h[0] = static_cast<std::uint8_t>(h.size());
    h[1] = static_cast<std::uint8_t>(h.size() >> 8);
    std::uint16_t crc = lzh::Crc16(h.data(), h.size());
    h[crcAt] = static_cast<std::uint8_t>(crc);
    h[crcAt + 1] = static_cast<std::uint8_t>(crc >> 8);

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(h.data(), 1, h.size(), f) == h.size() &&
              std::fwrite(packed.data(), 1, packed.size(), f) == packed.size() && std::fputc(0, f) != EOF;
    return std::fclose(f) == 0 && ok;
}

}  // namespace bench

// Test-only: finds the first non-folder member of an LZH archive file, to feed the decoders
// before the archive reader exists. Trusts nothing beyond the bounds of the file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lzh_test {

struct LocatedMember {
    std::string method;
    std::uint64_t dataOffset = 0;
    std::uint64_t packedSize = 0;
    std::uint64_t originalSize = 0;
};

inline std::uint32_t LeU(const std::vector<std::uint8_t>& b, std::size_t at, int width) {
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + i];
    return v;
}

inline bool LooksLikeHeader(const std::vector<std::uint8_t>& b, std::size_t off) {
    if (off + 26 > b.size() || b[off + 2] != '-' || b[off + 6] != '-' || b[off + 20] > 3) return false;
    std::string kind(reinterpret_cast<const char*>(&b[off + 3]), 2);
    if (kind != "lh" && kind != "lz" && kind != "pm") return false;
    if (b[off + 20] <= 1) {
        std::size_t h = b[off];
        if (off + h + 2 > b.size() || h < 22) return false;
        std::uint8_t sum = 0;
        for (std::size_t i = 2; i < h + 2; ++i) sum = static_cast<std::uint8_t>(sum + b[off + i]);
        return sum == b[off + 1];
    }
    return true;
}

// False when no member or no non-folder member was found.
inline bool LocateFirstFile(const std::vector<std::uint8_t>& b, LocatedMember& m) {
    std::size_t off = 0;
    while (off < b.size() && !LooksLikeHeader(b, off)) ++off;
    while (off + 26 <= b.size() && b[off] != 0) {
        if (!LooksLikeHeader(b, off)) return false;
        m.method.assign(reinterpret_cast<const char*>(&b[off + 2]), 5);
        std::uint64_t skip = LeU(b, off + 7, 4);
        m.originalSize = LeU(b, off + 11, 4);
        std::uint64_t data = 0;
        int level = b[off + 20];
        if (level == 0) {
            data = off + b[off] + 2;
        } else if (level == 1) {
            data = off + b[off] + 2;
            std::uint32_t next = LeU(b, data - 2, 2);
            while (next != 0) {
                if (data + next > b.size() || next < 3 || skip < next) return false;
                data += next;
                skip -= next;
                next = LeU(b, data - 2, 2);
            }
        } else if (level == 2) {
            data = off + LeU(b, off, 2);
        } else {
            data = off + LeU(b, off + 24, 4);
        }
        m.dataOffset = data;
        m.packedSize = skip;
        if (data + skip > b.size()) return false;
        if (m.method != "-lhd-") return true;
        off = static_cast<std::size_t>(data + skip);
    }
    return false;
}

}  // namespace lzh_test

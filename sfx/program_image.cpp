// Reading the PE headers and section table far enough to know the image's size on disk.
#include "sfx/program_image.h"

#include <algorithm>
#include <vector>

namespace sfx {
namespace {

constexpr std::uint32_t kCoffHeaderSize = 20;
constexpr std::uint32_t kSectionHeaderSize = 40;
constexpr std::uint32_t kSymbolSize = 18;
constexpr std::uint32_t kMaxSections = 96;   // the loader's own limit

bool ReadAt(lzh::RandomAccessSource& file, std::uint64_t offset, std::uint8_t* buffer, std::size_t size) {
    if (offset > file.Size() || file.Size() - offset < size || !file.Seek(offset)) return false;
    std::size_t got = 0;
    while (got < size) {
        const std::size_t n = file.Read(buffer + got, size - got);
        if (n == 0) return false;
        got += n;
    }
    return true;
}

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::uint64_t ProgramImageEnd(lzh::RandomAccessSource& file) {
    std::uint8_t dos[64];
    if (!ReadAt(file, 0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return 0;
    const std::uint64_t pe = Le32(dos + 0x3C);
    std::uint8_t coff[4 + kCoffHeaderSize];
    if (!ReadAt(file, pe, coff, sizeof coff) || coff[0] != 'P' || coff[1] != 'E' || coff[2] != 0 || coff[3] != 0)
        return 0;
    const std::uint32_t sectionCount = Le16(coff + 6);
    const std::uint32_t symbolTable = Le32(coff + 12);
    const std::uint32_t symbolCount = Le32(coff + 16);
    const std::uint32_t optionalSize = Le16(coff + 20);
    if (sectionCount == 0 || sectionCount > kMaxSections) return 0;

    const std::uint64_t sectionTable = pe + sizeof coff + optionalSize;
    std::vector<std::uint8_t> sections(sectionCount * kSectionHeaderSize);
    if (!ReadAt(file, sectionTable, sections.data(), sections.size())) return 0;
    std::uint64_t end = sectionTable + sections.size();
    // SizeOfHeaders sits at the same place in PE32 and PE32+ optional headers.
    std::uint8_t sizeOfHeaders[4];
    if (optionalSize >= 64 && ReadAt(file, pe + sizeof coff + 60, sizeOfHeaders, 4))
        end = std::max<std::uint64_t>(end, Le32(sizeOfHeaders));
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t* section = sections.data() + i * kSectionHeaderSize;
        const std::uint64_t rawSize = Le32(section + 16);
        const std::uint64_t rawStart = Le32(section + 20);
        if (rawSize != 0) end = std::max(end, rawStart + rawSize);
    }
    // An unstripped program keeps its symbols and their string table (which starts with its
    // own length) behind the sections.
    if (symbolTable != 0) {
        const std::uint64_t strings = static_cast<std::uint64_t>(symbolTable) + std::uint64_t{symbolCount} * kSymbolSize;
        std::uint8_t stringsSize[4];
        end = std::max(end, strings);
        if (ReadAt(file, strings, stringsSize, 4)) end = std::max(end, strings + Le32(stringsSize));
    }
    return end <= file.Size() ? end : 0;
}

}  // namespace sfx

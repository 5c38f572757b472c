// Finding where the members start (past a self-extracting program) and telling trailing
// padding from damage: the parts of ArchiveReader that look beyond the next header.
#include "codec/archive.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "codec/header_parse.h"

namespace lzh {
namespace {

// Candidate headers met while scanning may each claim up to 1 MiB; past this many bytes read,
// a file full of them is not worth scanning further.
constexpr std::uint64_t kScanReadBudget = 64 * 1024 * 1024;

}  // namespace

bool ArchiveReader::FindFirstMember() {
    const std::uint64_t size = source_.Size();
    Entry probe;
    std::string firstError;
    HeaderRead atStart = ReadHeaderAt(0, probe, firstError);
    if (atStart == HeaderRead::Ok) return true;
    // A header at the very start that fails its checks is a damaged archive, not a program in
    // front of one: scanning on would silently drop its first members.
    if (atStart == HeaderRead::Invalid) {
        Stop(ReadStatus::Error, firstError);
        return false;
    }
    // An archive without members is just the end marker (or nothing at all).
    if (atStart == HeaderRead::End && size <= 1) {
        Stop(ReadStatus::End);
        return false;
    }
    // A self-extracting program may come first: look further, but only so far.
    const std::size_t window = static_cast<std::size_t>(std::min<std::uint64_t>(size, options_.scanLimit + kHeaderProbeSize));
    std::vector<std::uint8_t> prefix(window);
    if (!ReadExact(0, prefix.data(), prefix.size())) {
        Stop(ReadStatus::Error, "cannot read the archive");
        return false;
    }
    // The program may hold fake headers, and even members of its own (an Amiga stub carries its
    // compressed usage text): prefer the first valid header whose members run to the end.
    std::uint64_t firstValid = 0;
    std::unordered_set<std::uint64_t> onFailedChains;
    const std::uint64_t budgetEnd = headerBytesRead_ + kScanReadBudget;
    for (std::size_t pos = 1; pos + kHeaderProbeSize <= prefix.size() && headerBytesRead_ < budgetEnd; ++pos) {
        if (!LooksLikeHeader(prefix.data() + pos, prefix.size() - pos)) continue;
        if (onFailedChains.count(pos)) continue;
        std::string error;
        if (ReadHeaderAt(pos, probe, error) != HeaderRead::Ok) continue;
        if (firstValid == 0) firstValid = pos;
        if (ChainEndsCleanly(pos, onFailedChains)) {
            firstValid = pos;
            break;
        }
    }
    if (firstValid != 0) {
        archiveStart_ = firstValid;
        next_ = firstValid;
        return true;
    }
    Stop(ReadStatus::Error, "not an LZH archive: no member header found");
    return false;
}

std::uint64_t ArchiveReader::FindValidHeaderAfter(std::uint64_t offset) {
    const std::uint64_t size = source_.Size();
    if (offset >= size) return 0;
    const std::size_t window = static_cast<std::size_t>(std::min<std::uint64_t>(size - offset, options_.scanLimit));
    std::vector<std::uint8_t> rest(window);
    if (!ReadExact(offset, rest.data(), rest.size())) return 0;
    Entry probe;
    std::string error;
    const std::uint64_t budgetEnd = headerBytesRead_ + kScanReadBudget;
    for (std::size_t pos = 1; pos + kHeaderProbeSize <= rest.size() && headerBytesRead_ < budgetEnd; ++pos) {
        if (LooksLikeHeader(rest.data() + pos, rest.size() - pos) && ReadHeaderAt(offset + pos, probe, error) == HeaderRead::Ok)
            return offset + pos;
    }
    return 0;
}

// Walks the members from `offset`. Headers met on a chain that does not end cleanly are added
// to `onFailedChains`: a chain from any of them is a tail of this one and fails too, which keeps
// the scan linear however many headers a hostile file holds.
bool ArchiveReader::ChainEndsCleanly(std::uint64_t offset, std::unordered_set<std::uint64_t>& onFailedChains) {
    const std::uint64_t size = source_.Size();
    std::vector<std::uint64_t> visited;
    Entry entry;
    std::string error;
    bool clean = false;
    for (bool walking = true; walking;) {
        if (onFailedChains.count(offset)) break;
        visited.push_back(offset);
        switch (ReadHeaderAt(offset, entry, error)) {
        case HeaderRead::Ok:
            if (entry.packedSize > size - std::min(size, entry.dataOffset)) {
                walking = false;
                break;
            }
            offset = entry.dataOffset + entry.packedSize;
            break;
        case HeaderRead::End:
            clean = ZeroPaddingFrom(offset, size);
            walking = false;
            break;
        case HeaderRead::Junk:
            clean = size - offset < kHeaderProbeSize;
            walking = false;
            break;
        case HeaderRead::Invalid:
            walking = false;
            break;
        }
    }
    if (!clean) onFailedChains.insert(visited.begin(), visited.end());
    return clean;
}

// True when everything from `offset` on is zero bytes (an end marker and padding), checking at
// most a few KiB: beyond that it is data, not padding.
bool ArchiveReader::ZeroPaddingFrom(std::uint64_t offset, std::uint64_t size) {
    constexpr std::uint64_t kMaxPadding = 4096;
    if (offset >= size) return true;
    if (size - offset > kMaxPadding) return false;
    std::vector<std::uint8_t> rest(static_cast<std::size_t>(size - offset));
    if (!ReadExact(offset, rest.data(), rest.size())) return false;
    return std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace lzh

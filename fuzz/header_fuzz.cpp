// libFuzzer target: member headers parsed straight from the input, the input walked and
// extracted as a whole archive from memory, and paths from the input built into headers and
// parsed back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "codec/archive.h"
#include "codec/header_build.h"
#include "codec/header_parse.h"

namespace {

// Refuses bytes after a small budget, so a header claiming gigabytes cannot make us write them.
class BoundedSink : public lzh::ByteSink {
public:
    bool Write(const std::uint8_t*, std::size_t size) override {
        if (size > left_) return false;
        left_ -= size;
        return true;
    }

private:
    std::size_t left_ = 4096;
};

void ParseDirectly(const std::uint8_t* data, std::size_t size) {
    lzh::Entry entry;
    lzh::HeaderParseResult r = lzh::ParseHeader(data, size, entry);
    // A parser asking for more than it was given must never claim success on less.
    if (r.status == lzh::HeaderParseStatus::NeedMore && r.size <= size) __builtin_trap();
    if (r.status == lzh::HeaderParseStatus::Ok && r.size > size) __builtin_trap();
}

void WalkArchive(const std::uint8_t* data, std::size_t size) {
    lzh::MemorySource source(data, size);
    lzh::ArchiveReader reader(source);
    lzh::Entry entry;
    for (int members = 0; members < 16 && reader.Next(entry) == lzh::ReadStatus::Entry; ++members) {
        (void)entry.Path();
        // Compressed data is the decoder fuzzers' business; stored and unknown members exercise
        // the reader's own part of extraction (bounds, truncation, CRC).
        if (entry.method.kind == lzh::MethodKind::Stored || entry.method.kind == lzh::MethodKind::Unknown) {
            BoundedSink sink;
            reader.Extract(entry, sink);
        }
    }
}

// Whatever our writer accepts must read back as the same folders and name.
void BuildAndReparse(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    lzh::HeaderToBuild h;
    h.level = data[0] % 3;
    h.directory = (data[0] & 4) != 0;
    h.methodId = h.directory ? "-lhd-" : "-lh5-";
    h.originalSize = size;
    std::vector<std::string> parts(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == '/') parts.emplace_back();
        else parts.back() += static_cast<char>(data[i]);
    }
    if (!h.directory) {
        h.entry.name = parts.back();
        parts.pop_back();
    }
    h.entry.folders = parts;
    std::vector<std::uint8_t> bytes;
    if (lzh::BuildHeader(h, bytes).status != lzh::HeaderBuildStatus::Ok) return;
    lzh::Entry e;
    if (lzh::ParseHeader(bytes.data(), bytes.size(), e).status != lzh::HeaderParseStatus::Ok) __builtin_trap();
    if (e.headerSize != bytes.size() || e.folders != h.entry.folders || e.isDirectory != h.directory) __builtin_trap();
    if (!h.directory && e.name != h.entry.name) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParseDirectly(data, size);
    WalkArchive(data, size);
    BuildAndReparse(data, size);
    return 0;
}

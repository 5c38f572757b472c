// libFuzzer target: member headers parsed straight from the input, and the input walked and
// extracted as a whole archive from memory.
#include <cstddef>
#include <cstdint>

#include "codec/archive.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ParseDirectly(data, size);
    WalkArchive(data, size);
    return 0;
}

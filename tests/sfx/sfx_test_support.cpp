// Archives for the self-extracting program's tests.
#include "sfx_test_support.h"

#include "codec/archive.h"
#include "codec/io.h"
#include "text/cp932.h"

namespace sfx_test {
namespace {

// Splits a '\'-separated code page 932 path into its parts.
std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = cp932::FindChar(path, '\\', start);
        if (separator == std::string::npos) {
            if (start < path.size()) parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, separator - start));
        start = separator + 1;
    }
}

}  // namespace

std::string ArchiveOf(const std::vector<Item>& items) {
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    for (const Item& item : items) {
        lzh::NewEntry entry;
        entry.unixTime = 1700000000;
        entry.folders = Parts(item.path);
        if (cp932::EndsWithChar(item.path, '\\')) {
            writer.AddDirectory(entry);
            continue;
        }
        entry.name = entry.folders.back();
        entry.folders.pop_back();
        lzh::MemorySource data(reinterpret_cast<const std::uint8_t*>(item.content.data()), item.content.size());
        writer.AddFile(entry, data, lzh::FindMethod("-lh5-"));
    }
    writer.Finish();
    return std::string(sink.Bytes().begin(), sink.Bytes().end());
}

}  // namespace sfx_test

// Archives for the self-extracting program's tests.
#include "sfx_test_support.h"

#include "codec/archive.h"
#include "codec/entry_path.h"
#include "codec/io.h"

namespace sfx_test {

std::string ArchiveOf(const std::vector<Item>& items) {
    lzh::MemorySink sink;
    lzh::ArchiveWriter writer(sink);
    for (const Item& item : items) {
        const lzh::SplitPath split = lzh::SplitNameField(item.path);
        lzh::NewEntry entry;
        entry.unixTime = 1700000000;
        entry.folders = split.parts;
        if (split.endsWithSeparator) {
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

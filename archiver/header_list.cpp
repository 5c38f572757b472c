// Collecting an archive's headers, and the names entries are shown by.
#include "archiver/header_list.h"

#include "archiver/safe_path.h"

namespace unlha {

void ReadEveryHeader(lzh::ArchiveReader& reader, HeaderList& list) {
    lzh::Entry entry;
    for (;;) {
        const lzh::ReadStatus status = reader.Next(entry);
        if (status == lzh::ReadStatus::Entry) {
            list.entries.push_back(entry);
            continue;
        }
        if (status == lzh::ReadStatus::Error) {
            list.broken = true;
            list.brokenReason = reader.ErrorText();
        }
        return;
    }
}

std::string ShownPath(const lzh::Entry& entry) {
    std::string path = entry.Path();
    if (entry.absolute) path = "\\" + path;
    if (entry.isDirectory) path += "\\";
    return PrintableName(path);
}

}  // namespace unlha

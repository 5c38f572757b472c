// Entry helpers that need no header knowledge.
#include "codec/archive_entry.h"

#include "codec/entry_path.h"

namespace lzh {

std::string Entry::Path() const {
    std::vector<std::string> parts = folders;
    if (!name.empty()) parts.push_back(name);
    return JoinPath(parts);
}

}  // namespace lzh

// Splitting the paths of added files into stored parts.
#include "archiver/stored_path.h"

#include "text/cp932.h"

namespace unlha {

StoredPath StoredPathFor(std::string_view relativePath, bool keepFolders) {
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&] {
        // A drive ("C:") only ever leads a path; "." and ".." must never reach an archive.
        const bool drive = parts.empty() && part.size() == 2 && part[1] == ':';
        if (!part.empty() && part != "." && part != ".." && !drive) parts.push_back(part);
        part.clear();
    };
    for (std::size_t i = 0; i < relativePath.size();) {
        const std::size_t len = cp932::CharLength(relativePath, i);
        if (len == 1 && (relativePath[i] == '\\' || relativePath[i] == '/')) {
            flush();
        } else if (len == 1 && relativePath[i] == ':' && parts.empty() && part.size() == 1) {
            part += ':';
            flush();
        } else {
            part.append(relativePath.substr(i, len));
        }
        i += len;
    }
    flush();
    StoredPath stored;
    if (parts.empty()) return stored;
    stored.name = parts.back();
    parts.pop_back();
    if (keepFolders) stored.folders = std::move(parts);
    return stored;
}

ExactStoredPath ExactStoredPathFor(std::u16string_view relativePath, bool keepFolders) {
    std::vector<std::u16string> parts;
    std::u16string part;
    auto flush = [&] {
        const bool drive = parts.empty() && part.size() == 2 && part[1] == u':';
        if (!part.empty() && part != u"." && part != u".." && !drive) parts.push_back(part);
        part.clear();
    };
    for (char16_t c : relativePath) {
        if (c == u'\\' || c == u'/') {
            flush();
        } else if (c == u':' && parts.empty() && part.size() == 1) {
            part += c;
            flush();
        } else {
            part += c;
        }
    }
    flush();
    ExactStoredPath stored;
    if (parts.empty()) return stored;
    stored.name = parts.back();
    parts.pop_back();
    if (keepFolders) stored.folders = std::move(parts);
    return stored;
}

std::string JoinStored(const StoredPath& path) {
    std::string joined;
    for (const std::string& folder : path.folders) joined += folder + "\\";
    return joined + path.name;
}

bool SameStoredName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && cp932::AsciiUpper(a) == cp932::AsciiUpper(b);
}

}  // namespace unlha

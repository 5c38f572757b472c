// Shift_JIS-aware splitting and joining of stored LZH paths.
#include "codec/entry_path.h"

#include "text/cp932.h"

namespace lzh {
namespace {

constexpr char kFolderSeparator = static_cast<char>(0xFF);

SplitPath Split(std::string_view field, bool backslashSeparates) {
    SplitPath result;
    std::string current;
    bool any = false;
    for (std::size_t pos = 0; pos < field.size();) {
        std::size_t len = cp932::CharLength(field, pos);
        // 0xFF is never part of a Shift_JIS character, so it separates even after a stray lead byte.
        if (len == 2 && field[pos + 1] == kFolderSeparator) len = 1;
        char c = field[pos];
        bool separator = len == 1 && (c == kFolderSeparator || (backslashSeparates && c == '\\'));
        if (separator) {
            if (!any) result.absolute = true;
            if (!current.empty()) result.parts.push_back(std::move(current));
            current.clear();
            result.endsWithSeparator = true;
        } else {
            current.append(field.substr(pos, len));
            result.endsWithSeparator = false;
        }
        any = true;
        pos += len;
    }
    if (!current.empty()) result.parts.push_back(std::move(current));
    return result;
}

}  // namespace

SplitPath SplitNameField(std::string_view field) { return Split(field, true); }

SplitPath SplitFolderField(std::string_view field) { return Split(field, false); }

std::string JoinPath(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) {
        if (!joined.empty()) joined += '\\';
        joined += part;
    }
    return joined;
}

bool IsStorablePart(std::string_view part) {
    if (part.empty()) return false;
    for (std::size_t pos = 0; pos < part.size();) {
        std::size_t len = cp932::CharLength(part, pos);
        unsigned char c = static_cast<unsigned char>(part[pos]);
        if (len == 1) {
            if (c < 0x20 || c == 0x7F || c == 0xFF || c == '\\') return false;
            // Readers take "link|target" in a folder entry for a symbolic link; Windows names
            // never hold a "|" anyway.
            if (c == '|') return false;
            if (cp932::IsLeadByte(c)) return false;  // a lead byte cut off at the end
        } else if (static_cast<unsigned char>(part[pos + 1]) == 0xFF) {
            return false;  // readers split at 0xFF even after a lead byte
        }
        pos += len;
    }
    return true;
}

}  // namespace lzh

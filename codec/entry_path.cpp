// Shift_JIS-aware splitting and joining of stored LZH paths.
#include "codec/entry_path.h"

#include "text/cp932.h"

namespace lzh {
namespace {

constexpr char kFolderSeparator = static_cast<char>(0xFF);

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Writers on every system: 0xFF (extended headers), '\' (DOS) and '/' (Unix ports).
bool IsSeparator(char c) { return c == kFolderSeparator || c == '\\' || c == '/'; }

// A lead byte takes the next byte only when that byte can be a trail byte: 0xFF and '/' never
// can, so they separate even after a stray lead byte, as they will for Windows. A '\' after a
// lead byte is the second half of a character such as 0x95 0x5C.
std::size_t CharLengthAt(std::string_view field, std::size_t pos) {
    std::size_t len = cp932::CharLength(field, pos);
    if (len == 2 && !IsTrailByte(static_cast<unsigned char>(field[pos + 1]))) len = 1;
    return len;
}

}  // namespace

SplitPath SplitNameField(std::string_view field) {
    SplitPath result;
    std::string current;
    bool any = false;
    for (std::size_t pos = 0; pos < field.size();) {
        const std::size_t len = CharLengthAt(field, pos);
        if (len == 1 && IsSeparator(field[pos])) {
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

SplitPath SplitFolderField(std::string_view field) { return SplitNameField(field); }

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
            if (c < 0x20 || c == 0x7F || IsSeparator(part[pos])) return false;
            // Readers take "link|target" in a folder entry for a symbolic link; Windows names
            // never hold a "|" anyway.
            if (c == '|') return false;
            if (cp932::IsLeadByte(c)) return false;  // a lead byte cut off at the end
        } else if (!IsTrailByte(static_cast<unsigned char>(part[pos + 1]))) {
            return false;  // readers split at 0xFF or '/' even after a lead byte
        }
        pos += len;
    }
    return true;
}

}  // namespace lzh

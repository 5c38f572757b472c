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

// Splits at separators, taking characters `lengthAt` long.
template <typename LengthAt>
SplitPath Split(std::string_view field, LengthAt lengthAt) {
    SplitPath result;
    std::string current;
    bool any = false;
    for (std::size_t pos = 0; pos < field.size();) {
        const std::size_t len = lengthAt(field, pos);
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

}  // namespace

SplitPath SplitNameField(std::string_view field) { return Split(field, CharLengthAt); }

SplitPath SplitFolderField(std::string_view field) { return SplitNameField(field); }

// Every byte of a multi-byte UTF-8 character is 0x80 or above: no separator hides in one.
SplitPath SplitUtf8Field(std::string_view field) {
    return Split(field, [](std::string_view, std::size_t) { return std::size_t{1}; });
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
        if (!valid || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out.push_back(static_cast<char16_t>(0xDC00 + lead));
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
    return out;
}

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

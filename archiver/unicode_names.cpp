// Fallback names and checks of exact UTF-16 names, character by character (surrogate pairs whole).
#include "archiver/unicode_names.h"

#include "text/cp932.h"

namespace unlha {
namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The code point at `i` and its length in units; a lone surrogate is returned as itself.
char32_t CodePointAt(std::u16string_view s, std::size_t i, std::size_t& units) {
    if (IsHigh(s[i]) && i + 1 < s.size() && IsLow(s[i + 1])) {
        units = 2;
        return 0x10000 + ((static_cast<char32_t>(s[i]) - 0xD800) << 10) + (s[i + 1] - 0xDC00);
    }
    units = 1;
    return s[i];
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

bool IsDeviceStem(std::u16string_view part) {
    // As for code page names: whatever follows the first dot, blanks before it ignored. Windows
    // also takes COM and LPT with a superscript digit for devices.
    std::u16string stem = UnicodeKey(part.substr(0, part.find(u'.')));
    while (!stem.empty() && stem.back() == u' ') stem.pop_back();
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$", u"CLOCK$"})
        if (stem == device) return true;
    if (stem.size() != 4 || (stem.compare(0, 3, u"COM") != 0 && stem.compare(0, 3, u"LPT") != 0)) return false;
    const char16_t d = stem[3];
    return (d >= u'0' && d <= u'9') || d == 0xB9 || d == 0xB2 || d == 0xB3;
}

}  // namespace

FallbackName FallbackFor(std::u16string_view exact, const Cp932Of& convert) {
    FallbackName result;
    std::string bytes;
    for (std::size_t i = 0, units = 0; i < exact.size(); i += units) {
        const char32_t c = CodePointAt(exact, i, units);
        bytes.clear();
        if (!IsSurrogate(c) && convert(c, bytes) && !bytes.empty()) {
            result.name += bytes;
        } else {
            result.name += '_';
            result.exact = false;
        }
    }
    return result;
}

std::string UniqueFallback(const std::string& name, const std::function<bool(const std::string&)>& taken) {
    if (!taken(name)) return name;
    // The extension starts at the last dot, found character by character.
    const std::size_t found = cp932::FindLastChar(name, '.');
    const std::size_t dot = found == 0 ? std::string::npos : found;
    const std::string stem = name.substr(0, dot), extension = dot == std::string::npos ? "" : name.substr(dot);
    for (unsigned n = 2;; ++n) {
        const std::string candidate = stem + "~" + std::to_string(n) + extension;
        if (!taken(candidate)) return candidate;
    }
}

std::u16string UnicodeKey(std::u16string_view name) {
    std::u16string key(name);
    for (char16_t& c : key)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return key;
}

std::string Utf8Of(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0, units = 0; i < text.size(); i += units) {
        char32_t c = CodePointAt(text, i, units);
        if (IsSurrogate(c)) c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

PathRefusal CheckUnicodePart(std::u16string_view part) {
    if (part.empty()) return PathRefusal::Empty;
    if (part == u"..") return PathRefusal::ParentFolder;
    for (std::size_t i = 0, units = 0; i < part.size(); i += units) {
        const char32_t c = CodePointAt(part, i, units);
        if (IsSurrogate(c)) return PathRefusal::BrokenUnicode;
        if (c < 0x20 || c == 0x7F) return PathRefusal::ControlCharacter;
        if (c == u'\\' || c == u'/' || c == 0xFFFF) return PathRefusal::HiddenSeparator;
        if (c == u':') return PathRefusal::DriveOrStream;
        if (c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*') return PathRefusal::ReservedCharacter;
    }
    if (part.back() == u'.' || part.back() == u' ') return PathRefusal::DotsOrBlanks;
    if (IsDeviceStem(part)) return PathRefusal::DeviceName;
    if (part.size() > kMaxPartLength) return PathRefusal::TooLong;
    return PathRefusal::None;
}

PathRefusal CheckUnicodePath(const lzh::Entry& entry) {
    if (entry.hasUnicodeFolders && entry.unicodeFolders.size() != entry.folders.size()) return PathRefusal::FoldersDisagree;
    if (entry.hasUnicodeName && (entry.isDirectory || entry.name.empty())) return PathRefusal::FoldersDisagree;
    std::vector<std::u16string_view> parts(entry.unicodeFolders.begin(), entry.unicodeFolders.end());
    if (entry.hasUnicodeName) parts.push_back(entry.unicodeName);
    // ".." first, as for code page names, so the report names the real danger.
    for (std::u16string_view part : parts)
        if (part == u"..") return PathRefusal::ParentFolder;
    std::size_t length = 0;
    for (std::u16string_view part : parts) {
        const PathRefusal refusal = CheckUnicodePart(part);
        if (refusal != PathRefusal::None) return refusal;
        length += part.size() + 1;
    }
    return length > kMaxRelativePath + 1 ? PathRefusal::TooLong : PathRefusal::None;
}

}  // namespace unlha

// Character walking over code page 932 strings: always forward from the start, never backward.
#include "text/cp932.h"

namespace cp932 {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::size_t CharLength(std::string_view s, std::size_t pos) {
    if (pos + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[pos]))) return 2;
    return 1;
}

std::size_t LastCharOffset(std::string_view s) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) last = i;
    return last;
}

bool EndsWithChar(std::string_view s, char c) {
    std::size_t last = LastCharOffset(s);
    return last != std::string_view::npos && last + 1 == s.size() && s[last] == c;
}

bool EndsWithFolderMark(std::string_view path) {
    return EndsWithChar(path, '\\') || EndsWithChar(path, ':');
}

std::string WithFolderSeparator(std::string_view path) {
    std::string result(path);
    if (!result.empty() && !EndsWithFolderMark(result)) result += '\\';
    return result;
}

std::size_t FindLastChar(std::string_view s, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (s[i] == c && CharLength(s, i) == 1) found = i;
    }
    return found;
}

std::size_t FindChar(std::string_view s, char c, std::size_t from) {
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (i >= from && s[i] == c && CharLength(s, i) == 1) return i;
    }
    return std::string_view::npos;
}

bool ContainsChar(std::string_view s, char c) { return FindChar(s, c) != std::string_view::npos; }

std::size_t FindOnBoundary(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return 0;
    for (std::size_t i = 0; i < haystack.size(); i += CharLength(haystack, i)) {
        if (haystack.substr(i, needle.size()) == needle) return i;
    }
    return std::string_view::npos;
}

std::string FolderPart(std::string_view path) {
    std::size_t cut = FindLastChar(path, '\\');
    if (cut == std::string_view::npos) cut = FindLastChar(path, ':');
    if (cut == std::string_view::npos) return {};
    return std::string(path.substr(0, cut + 1));
}

std::string TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsSpace(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsSpace(s[b])) ++b;
    // A trailing blank is never a trail byte (trail bytes are 0x40 and above), so trimming
    // from the end is safe byte by byte.
    while (e > b && IsSpace(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

std::string AsciiUpper(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z' && CharLength(out, i) == 1) out[i] = char(out[i] - 'a' + 'A');
    }
    return out;
}

}  // namespace cp932

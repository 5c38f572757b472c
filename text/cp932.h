// Character-level helpers for code page 932 byte strings: every path and line in ZAVO is one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp932 {

// Lead bytes of a double-byte character: 0x81-0x9F and 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes (1 or 2) of the character that starts at `pos`. A lead byte at the very
// end of the string counts as one byte, so a broken string never makes us read past it.
std::size_t CharLength(std::string_view s, std::size_t pos);

// Offset of the last character of `s`, or npos when `s` is empty.
std::size_t LastCharOffset(std::string_view s);

// True when the last character (not byte) of `s` is the single-byte character `c`.
bool EndsWithChar(std::string_view s, char c);

// Offset of the last single-byte character `c` in `s`, found by walking forward character by
// character, so a 0x5C trail byte is never taken for a backslash. npos when there is none.
std::size_t FindLastChar(std::string_view s, char c);

// Offset of the first single-byte character `c` at or after `from`, walking characters.
std::size_t FindChar(std::string_view s, char c, std::size_t from = 0);

// True when the single-byte character `c` occurs in `s` as a character of its own.
bool ContainsChar(std::string_view s, char c);

// Offset of the first occurrence of `needle` in `haystack` that starts on a character boundary
// of `haystack`; npos when there is none.
std::size_t FindOnBoundary(std::string_view haystack, std::string_view needle);

// The folder part of a path: up to and including its last "\" or, when there is none, its last
// ":"; empty when it holds neither.
std::string FolderPart(std::string_view path);

// True when `path` ends in a "\" or ":" of its own: a folder or a drive as written, to which a
// name is joined directly.
bool EndsWithFolderMark(std::string_view path);

// `path` with a "\" appended unless it is empty (the current folder) or ends in a folder mark.
std::string WithFolderSeparator(std::string_view path);

// Removes blanks, tabs, CR, LF, vertical tabs and form feeds at both ends.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);

// Upper-cases ASCII letters only; double-byte characters pass through untouched.
std::string AsciiUpper(std::string_view s);

}  // namespace cp932

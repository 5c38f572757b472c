// Splitting stored LZH path fields into folder parts, Shift_JIS-aware, and joining them back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lzh {

struct SplitPath {
    std::vector<std::string> parts;   // non-empty parts, outermost first
    bool absolute = false;            // the field began with a separator
    bool endsWithSeparator = false;   // the field ended with a separator (a folder)
};

// Names (level-0/1 base names, extended header 0x01): 0xFF, '\' and '/' all separate, as some
// writer puts each of them there, but a 0x5C that is the trail byte of a double-byte character
// belongs to that character.
SplitPath SplitNameField(std::string_view field);

// Extended header 0x02: the same separators. 0xFF is the usual one; readers on Windows and Unix
// take '\' and '/' there as separators too, so splitting at them shows the path every reader sees.
SplitPath SplitFolderField(std::string_view field);

// A name or folder field of UTF-8 bytes (extended header 0x46 says code page 65001): the same
// separators, found byte by byte.
SplitPath SplitUtf8Field(std::string_view field);

// One UTF-8 part in UTF-16. A byte that starts no valid character (a stray continuation, an
// overlong or cut sequence, an encoded surrogate) becomes the lone surrogate U+DC00 + byte: the
// name is kept, and refused as a broken character wherever it would be used.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Parts joined with '\'.
std::string JoinPath(const std::vector<std::string>& parts);

// True when `part` can be stored as one path part by our writer: not empty, no separator
// (0xFF, '/' or a '\' character), no "|" (the link marker), no control byte, and no lead byte
// without a valid trail byte (a reader would then take the next separator as its second byte).
bool IsStorablePart(std::string_view part);

}  // namespace lzh

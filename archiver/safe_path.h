// Decides where an archive entry may be written: a relative path below the destination folder,
// or a refusal with its reason. Shared by the library and the self-extracting program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace unlha {

enum class PathRefusal {
    None,
    Empty,              // no name at all, or an empty part
    Absolute,           // the stored path began with a separator (root, UNC, "\\?\")
    DriveOrStream,      // ':' anywhere: a drive letter or an alternate data stream
    ParentFolder,       // a ".." part
    DotsOrBlanks,       // ".", "...", or a part ending in a dot or blank (Windows drops them)
    DeviceName,         // CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, CLOCK$, with or without extension
    ControlCharacter,   // bytes below 0x20 and 0x7F
    ReservedCharacter,  // < > " | ? * and bytes that are no code page 932 character
    HiddenSeparator,    // a '\' or '/' inside a part, or a double-byte character that a Windows
                        // conversion would split (lone lead byte, invalid trail byte)
    TooLong,            // a part over 255 bytes or the path over the limit
    BrokenUnicode,      // an exact (UTF-16) name with a lone surrogate
    FoldersDisagree,    // the exact name and the code page name disagree about folders
};

// The longest relative path we produce; the caller also checks destination + path.
constexpr std::size_t kMaxRelativePath = 259;
constexpr std::size_t kMaxPartLength = 255;

struct SafePath {
    PathRefusal refusal = PathRefusal::None;
    std::string relativePath;   // parts joined with '\', set when refusal is None
    bool Ok() const { return refusal == PathRefusal::None; }
};

// `folders` and `name` as the archive reader splits them (code page 932 parts); `absolute` as the
// reader reports it. An empty `name` means a folder entry: the folders alone are the path.
SafePath CheckOutputPath(const std::vector<std::string>& folders, const std::string& name, bool absolute,
                         std::size_t maxLength = kMaxRelativePath);

// The check of one part, for callers that build paths part by part.
PathRefusal CheckPathPart(std::string_view part);

// A short English reason for the output text ("a \"..\" part leaves the destination").
std::string RefusalReason(PathRefusal refusal);

// A name fit for one output line: control characters (escape sequences of hostile names) are
// shown as "^X" / "\xNN" so they cannot act on a terminal or a window.
std::string PrintableName(std::string_view name);

}  // namespace unlha

// The path checks of extraction: every part is walked character by character in code page 932.
#include "archiver/safe_path.h"

#include <cstdio>

#include "archiver/messages.h"
#include "text/cp932.h"

namespace unlha {
namespace {

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

bool IsDeviceStem(std::string_view part) {
    // Windows maps the device name whatever follows the first dot, and ignores blanks before it.
    std::size_t dot = cp932::FindChar(part, '.');
    std::string stem = cp932::AsciiUpper(part.substr(0, dot));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices)
        if (stem == device) return true;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
        stem[3] >= '0' && stem[3] <= '9')
        return true;
    return false;
}

PathRefusal CheckCharacters(std::string_view part) {
    for (std::size_t i = 0; i < part.size();) {
        const unsigned char c = static_cast<unsigned char>(part[i]);
        if (cp932::IsLeadByte(c)) {
            // A lead byte at the end would swallow the separator we put after it; an invalid
            // trail byte makes the Windows conversion split the pair and see the second byte alone.
            if (i + 1 >= part.size() || !IsTrailByte(static_cast<unsigned char>(part[i + 1])))
                return PathRefusal::HiddenSeparator;
            i += 2;
            continue;
        }
        if (c < 0x20 || c == 0x7F) return PathRefusal::ControlCharacter;
        if (c == '\\' || c == '/' || c == 0xFF) return PathRefusal::HiddenSeparator;
        if (c == ':') return PathRefusal::DriveOrStream;
        if (c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*' || c == 0x80 || c == 0xA0 ||
            c == 0xFD || c == 0xFE)
            return PathRefusal::ReservedCharacter;
        ++i;
    }
    return PathRefusal::None;
}

}  // namespace

PathRefusal CheckPathPart(std::string_view part) {
    if (part.empty()) return PathRefusal::Empty;
    if (part == "..") return PathRefusal::ParentFolder;
    PathRefusal chars = CheckCharacters(part);
    if (chars != PathRefusal::None) return chars;
    // Both are single-byte characters, so the last byte is the last character.
    if (part.back() == '.' || part.back() == ' ') return PathRefusal::DotsOrBlanks;
    if (IsDeviceStem(part)) return PathRefusal::DeviceName;
    if (part.size() > kMaxPartLength) return PathRefusal::TooLong;
    return PathRefusal::None;
}

SafePath CheckOutputPath(const std::vector<std::string>& folders, const std::string& name, bool absolute,
                         std::size_t maxLength) {
    SafePath result;
    if (absolute) {
        result.refusal = PathRefusal::Absolute;
        return result;
    }
    std::vector<std::string_view> parts(folders.begin(), folders.end());
    if (!name.empty()) parts.push_back(name);
    if (parts.empty()) {
        result.refusal = PathRefusal::Empty;
        return result;
    }
    // ".." anywhere is refused before any other finding, so the report names the real danger.
    for (std::string_view part : parts) {
        if (part == "..") {
            result.refusal = PathRefusal::ParentFolder;
            return result;
        }
    }
    std::string joined;
    for (std::string_view part : parts) {
        PathRefusal refusal = CheckPathPart(part);
        if (refusal != PathRefusal::None) {
            result.refusal = refusal;
            return result;
        }
        if (!joined.empty()) joined += '\\';
        joined.append(part);
    }
    if (joined.size() > maxLength) {
        result.refusal = PathRefusal::TooLong;
        return result;
    }
    result.relativePath = std::move(joined);
    return result;
}

std::string RefusalReason(PathRefusal refusal) {
    switch (refusal) {
    case PathRefusal::None: return Say(M::RefusedSafe);
    case PathRefusal::Empty: return Say(M::RefusedEmpty);
    case PathRefusal::Absolute: return Say(M::RefusedAbsolute);
    case PathRefusal::DriveOrStream: return Say(M::RefusedDriveOrStream);
    case PathRefusal::ParentFolder: return Say(M::RefusedParentFolder);
    case PathRefusal::DotsOrBlanks: return Say(M::RefusedDotsOrBlanks);
    case PathRefusal::DeviceName: return Say(M::RefusedDeviceName);
    case PathRefusal::ControlCharacter: return Say(M::RefusedControlCharacter);
    case PathRefusal::ReservedCharacter: return Say(M::RefusedReservedCharacter);
    case PathRefusal::HiddenSeparator: return Say(M::RefusedHiddenSeparator);
    case PathRefusal::TooLong: return Say(M::RefusedTooLong);
    case PathRefusal::BrokenUnicode: return Say(M::RefusedBrokenUnicode);
    case PathRefusal::FoldersDisagree: return Say(M::RefusedFoldersDisagree);
    }
    return Say(M::RefusedUnsafe);
}

std::string PrintableName(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        // A lead byte counts as a pair only with a valid trail byte, so a control byte cannot hide
        // behind it.
        const std::size_t len =
            cp932::IsLeadByte(c) && i + 1 < name.size() && IsTrailByte(static_cast<unsigned char>(name[i + 1])) ? 2 : 1;
        if (len == 1 && (c < 0x20 || c == 0x7F || cp932::IsLeadByte(c))) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out.append(name.substr(i, len));
        }
        i += len;
    }
    return out;
}

}  // namespace unlha

// Finding the root part of a path, character by character.
#include "archiver/path_root.h"

#include "text/cp932.h"

namespace unlha {
namespace {

// "C:\" (3), "C:" (2) or nothing (0) at the start of `path`.
std::size_t DriveLength(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    const char letter = path[0];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return 0;
    return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
}

// Offset just past the '\' that ends the part starting at `from`, or the end of `path`.
std::size_t PastPart(std::string_view path, std::size_t from) {
    if (from >= path.size()) return path.size();
    const std::size_t separator = cp932::FindChar(path, '\\', from);
    return separator == std::string_view::npos ? path.size() : separator + 1;
}

// A server and a share, from `from` on.
std::size_t PastShare(std::string_view path, std::size_t from) { return PastPart(path, PastPart(path, from)); }

}  // namespace

std::size_t RootLength(std::string_view path) {
    if (const std::size_t drive = DriveLength(path)) return drive;
    if (path.empty() || path[0] != '\\') return 0;
    if (path.size() < 2 || path[1] != '\\') return 1;
    // "\\?\" (no parsing of what follows) and "\\.\" (devices) name a drive, a volume, a device
    // or, after "UNC\", a share.
    if (path.size() >= 4 && (path[2] == '?' || path[2] == '.') && path[3] == '\\') {
        if (cp932::AsciiUpper(path.substr(4, 4)) == "UNC\\") return PastShare(path, 8);
        if (const std::size_t drive = DriveLength(path.substr(4))) return 4 + drive;
        return PastPart(path, 4);
    }
    return PastShare(path, 2);
}

}  // namespace unlha

// Formats archive listings; names are made printable so hostile names cannot act on a display.
#include "archiver/listing.h"

#include <cstdio>

#include "archiver/messages.h"
#include "archiver/safe_path.h"
#include "archiver/unicode_names.h"

namespace unlha {
namespace {

std::string DateTime(const Stamp& s) {
    if (!s.valid) return "---------- --------";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", s.year, s.month, s.day, s.hour, s.minute,
                  s.second);
    return text;
}

std::string Attributes(const lzh::Entry& e) {
    if (!e.hasAttributes) return "----";
    std::string a = "----";
    if (e.attributes & 0x01) a[0] = 'r';
    if (e.attributes & 0x02) a[1] = 'h';
    if (e.attributes & 0x04) a[2] = 's';
    if (e.attributes & 0x20) a[3] = 'a';
    return a;
}

std::string DisplayName(const lzh::Entry& e, bool verbose) {
    std::string name;
    if (e.isDirectory || e.name.empty()) {
        name = e.Path() + "\\";
    } else {
        name = verbose ? e.Path() : e.name;
    }
    if (verbose && e.absolute) name = "\\" + name;
    if (e.isSymlink) name += " -> " + e.linkTarget;
    // The code page name is then a fallback: the mark says the exact name is stored beside it.
    if (HasUnicodePath(e)) name += verbose ? Say(M::ListUnicodeName) : std::string(" [U]");
    return PrintableName(name);
}

}  // namespace

Stamp StampFromDos(std::uint32_t dosTime) {
    Stamp s;
    s.second = static_cast<int>(dosTime & 0x1F) * 2;
    s.minute = static_cast<int>((dosTime >> 5) & 0x3F);
    s.hour = static_cast<int>((dosTime >> 11) & 0x1F);
    s.day = static_cast<int>((dosTime >> 16) & 0x1F);
    s.month = static_cast<int>((dosTime >> 21) & 0x0F);
    s.year = static_cast<int>((dosTime >> 25) & 0x7F) + 1980;
    s.valid = s.second < 60 && s.minute < 60 && s.hour < 24 && s.day >= 1 && s.month >= 1 && s.month <= 12;
    return s;
}

std::string Ratio(std::uint64_t original, std::uint64_t packed) {
    if (original == 0) return "-";
    char text[16];
    const double ratio = static_cast<double>(packed) * 100.0 / static_cast<double>(original);
    if (ratio >= 1000.0) return ">999%";
    std::snprintf(text, sizeof text, "%.1f%%", ratio);
    return text;
}

std::string ListHeader(bool verbose) {
    return Say(verbose ? M::ListHeaderVerbose : M::ListHeader);
}

std::string ListRule(bool verbose) {
    return verbose ? "----------- ---------- ------ ---------- -------- ------ ---- ---- -- -- ----"
                   : "----------- ---------- ------ ---------- -------- ------ ----";
}

std::string ListLine(const lzh::Entry& e, const Stamp& stamp, bool verbose) {
    char head[96];
    std::snprintf(head, sizeof head, "%11llu %10llu %6s %s %-6s ", static_cast<unsigned long long>(e.originalSize),
                  static_cast<unsigned long long>(e.packedSize), Ratio(e.originalSize, e.packedSize).c_str(),
                  DateTime(stamp).c_str(), PrintableName(e.methodId).c_str());
    std::string line = head;
    if (verbose) {
        char details[32];
        const char os = e.osId >= 0x20 && e.osId < 0x7F ? static_cast<char>(e.osId) : '?';
        std::snprintf(details, sizeof details, "%s %04X %2d  %c ", Attributes(e).c_str(), e.crc, e.level, os);
        line += details;
    }
    return line + DisplayName(e, verbose);
}

std::string ListCommentLine(const lzh::Entry& e) {
    if (e.comment.empty()) return {};
    return Say(M::ListComment, PrintableName(e.comment));
}

std::string ListSummary(std::uint64_t entries, std::uint64_t original, std::uint64_t packed) {
    char text[128];
    std::snprintf(text, sizeof text, "%11llu %10llu %6s %llu ", static_cast<unsigned long long>(original),
                  static_cast<unsigned long long>(packed), Ratio(original, packed).c_str(),
                  static_cast<unsigned long long>(entries));
    return text + Say(entries == 1 ? M::ListOneEntry : M::ListEntries);
}

}  // namespace unlha

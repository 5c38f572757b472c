// Wildcard matching over characters (not bytes), so '?' takes a whole double-byte character.
#include "archiver/wildcard.h"

#include <vector>

#include "text/cp932.h"

namespace unlha {
namespace {

// One character as a comparable number: ASCII letters folded to upper case.
std::vector<unsigned> Characters(std::string_view s) {
    std::vector<unsigned> chars;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t len = cp932::CharLength(s, i);
        unsigned c = static_cast<unsigned char>(s[i]);
        if (len == 2) c = (c << 8) | static_cast<unsigned char>(s[i + 1]);
        if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
        chars.push_back(c);
        i += len;
    }
    return chars;
}

bool Match(const std::vector<unsigned>& p, const std::vector<unsigned>& n) {
    // Greedy with one back-track point per star: linear enough for file names.
    std::size_t pi = 0, ni = 0, starP = std::string_view::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::string_view::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

}  // namespace

bool HasWildcard(std::string_view pattern) {
    return cp932::ContainsChar(pattern, '*') || cp932::ContainsChar(pattern, '?');
}

bool MatchWildcard(std::string_view pattern, std::string_view name) {
    std::vector<unsigned> p = Characters(pattern);
    std::vector<unsigned> n = Characters(name);
    if (Match(p, n)) return true;
    // As on Windows, a pattern ending in ".*" or "." also takes names without any dot:
    // "*.*" selects "README", "ABC.*" selects "ABC", "*." selects only names without a dot.
    const bool nameHasDot = cp932::ContainsChar(name, '.');
    if (nameHasDot) return false;
    if (p.size() >= 2 && p[p.size() - 2] == '.' && p.back() == '*') {
        p.resize(p.size() - 2);
        return Match(p, n);
    }
    if (!p.empty() && p.back() == '.') {
        p.pop_back();
        return Match(p, n);
    }
    return false;
}

bool MatchesEntry(std::string_view pattern, std::string_view entryPath, std::string_view lastPart) {
    if (cp932::ContainsChar(pattern, '\\')) return MatchWildcard(pattern, entryPath);
    return MatchWildcard(pattern, lastPart);
}

}  // namespace unlha

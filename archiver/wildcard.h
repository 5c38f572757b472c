// Wildcard names as on Windows: '*' and '?' over code page 932 characters, letters compared
// without case, and "*.*" matching names with and without a dot.
#pragma once

#include <string_view>

namespace unlha {

// True when `name` (one path part) matches `pattern`.
bool MatchWildcard(std::string_view pattern, std::string_view name);

// True when `pattern` holds '*' or '?'.
bool HasWildcard(std::string_view pattern);

// How a file-name argument selects archive entries: a pattern with a '\' is matched against the
// whole stored path, one without against the entry's last part.
bool MatchesEntry(std::string_view pattern, std::string_view entryPath, std::string_view lastPart);

}  // namespace unlha

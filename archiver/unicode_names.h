// Names beyond code page 932, portable part: the code-page fallback of an exact UTF-16 name, kept
// unique inside an archive, and the checks an exact name passes before anything is written.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "archiver/safe_path.h"
#include "codec/archive_entry.h"

namespace unlha {

// The code page 932 bytes of one character when it converts there and back unchanged (no "best
// fit": é is no e); false otherwise. The Win32 layer answers with the system's tables.
using Cp932Of = std::function<bool(char32_t, std::string&)>;

struct FallbackName {
    std::string name;    // code page 932
    bool exact = true;   // every character converted: the name needs no Unicode header
};

// Characters without a code page 932 form (and lone surrogates) become '_'.
FallbackName FallbackFor(std::u16string_view exact, const Cp932Of& convert);

// `name` itself when `taken` says it is free, else the first free of "stem~2.ext", "stem~3.ext", ...
// `taken` is asked about whole names, so it may compare them as it needs (without case).
std::string UniqueFallback(const std::string& name, const std::function<bool(const std::string&)>& taken);

// ASCII letters upper-cased, everything else exact: how Windows compares names for our purposes.
std::u16string UnicodeKey(std::u16string_view name);

// UTF-8 of a UTF-16 text, a lone surrogate as U+FFFD: for keys and test messages.
std::string Utf8Of(std::u16string_view text);

// The check of one exact part, as CheckPathPart checks a code page one; lone surrogates are
// BrokenUnicode, and the length counts UTF-16 units.
PathRefusal CheckUnicodePart(std::u16string_view part);

// The exact names of an entry, checked: each part, and that they agree with the code-page names
// about folders (as many parts, a file name on both sides or on neither).
PathRefusal CheckUnicodePath(const lzh::Entry& entry);

// True when the entry carries an exact name of any kind.
inline bool HasUnicodePath(const lzh::Entry& entry) { return entry.hasUnicodeName || entry.hasUnicodeFolders; }

}  // namespace unlha

// Names beyond code page 932, Win32 part: conversions with the system's tables, and the exact
// UTF-16 path an entry is written under. Shared by UNLHA32.DLL and the self-extracting program.
#pragma once

#include <string>
#include <vector>

#include "archiver/unicode_names.h"
#include "codec/archive_entry.h"

namespace unlha {

// Code page 932 (the ANSI code page) to UTF-16, as the "A" file functions convert.
std::wstring Widen(const std::string& text);

// A character's code page 932 bytes by the system's tables (a Cp932Of).
bool Cp932OfChar(char32_t c, std::string& out);

// The code page fallback of a UTF-16 name (see FallbackFor), by the system's tables.
FallbackName FallbackOf(const std::wstring& exact);

std::u16string AsU16(const std::wstring& s);
std::wstring AsWide(const std::u16string& s);

// The entry's folders (when `keepFolders`) and name in UTF-16: the exact names where the entry
// has them, its code page names converted otherwise; joined with '\'.
std::wstring ExactRelativePath(const lzh::Entry& entry, bool keepFolders);
std::vector<std::wstring> ExactFolders(const lzh::Entry& entry);

}  // namespace unlha

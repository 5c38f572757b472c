// Conversions between the code page and UTF-16 with WideCharToMultiByte and MultiByteToWideChar.
#include "archiver/wide_names.h"

#include <windows.h>

namespace unlha {

// One character's code page bytes when they convert back to the same character: no best fit,
// no default character.
bool Cp932OfChar(char32_t c, std::string& out) {
    wchar_t units[2];
    int count = 1;
    if (c >= 0x10000) {
        units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<wchar_t>(c);
    }
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, bytes, sizeof bytes, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    wchar_t back[4];
    const int m = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, n, back, 4);
    if (m != count || back[0] != units[0] || (count == 2 && back[1] != units[1])) return false;
    out.assign(bytes, static_cast<std::size_t>(n));
    return true;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], length);
    return wide;
}

FallbackName FallbackOf(const std::wstring& exact) { return FallbackFor(AsU16(exact), Cp932OfChar); }

std::u16string AsU16(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }
std::wstring AsWide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

std::vector<std::wstring> ExactFolders(const lzh::Entry& entry) {
    std::vector<std::wstring> folders;
    for (std::size_t i = 0; i < entry.folders.size(); ++i) {
        const bool exact = entry.hasUnicodeFolders && i < entry.unicodeFolders.size();
        folders.push_back(exact ? AsWide(entry.unicodeFolders[i]) : Widen(entry.folders[i]));
    }
    return folders;
}

std::wstring ExactRelativePath(const lzh::Entry& entry, bool keepFolders) {
    std::wstring path;
    if (keepFolders)
        for (const std::wstring& folder : ExactFolders(entry)) path += folder + L"\\";
    if (entry.isDirectory) {
        if (!path.empty()) path.pop_back();
        return path;
    }
    return path + (entry.hasUnicodeName ? AsWide(entry.unicodeName) : Widen(entry.name));
}

}  // namespace unlha

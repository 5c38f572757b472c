// Collecting an archive's headers, and the names entries are shown by.
#include "archiver/header_list.h"

#include <set>

#include "archiver/safe_path.h"
#include "codec/entry_path.h"
#include "text/cp932.h"

namespace unlha {
namespace {

// One UTF-8 part in code page 932; `exact` is cleared when the exact name (which the entry keeps
// only then) differs from it.
std::string CodePagePart(const std::string& utf8, const std::u16string* exact, bool& keepExact, const Cp932Of& convert) {
    const std::u16string wide = lzh::Utf8ToUtf16(utf8);
    FallbackName fallback = FallbackFor(wide, convert);
    if (!fallback.exact || !exact || *exact != wide) keepExact = true;
    return fallback.name;
}

void GiveCodePageNames(std::deque<lzh::Entry>& entries, const Cp932Of& convert) {
    std::set<std::string> taken;
    for (const lzh::Entry& entry : entries)
        if (entry.codePage != lzh::kUtf8CodePage) taken.insert(cp932::AsciiUpper(entry.Path()));
    for (lzh::Entry& entry : entries) {
        if (entry.codePage != lzh::kUtf8CodePage) continue;
        bool keepFolders = false, keepName = false;
        for (std::size_t i = 0; i < entry.folders.size(); ++i) {
            const bool paired = entry.hasUnicodeFolders && i < entry.unicodeFolders.size();
            entry.folders[i] = CodePagePart(entry.folders[i], paired ? &entry.unicodeFolders[i] : nullptr, keepFolders, convert);
        }
        if (!entry.name.empty()) {
            entry.name = CodePagePart(entry.name, entry.hasUnicodeName ? &entry.unicodeName : nullptr, keepName, convert);
            if (keepName) {
                const std::string folder = entry.folders.empty() ? "" : lzh::JoinPath(entry.folders) + "\\";
                entry.name = UniqueFallback(entry.name, [&](const std::string& name) { return taken.count(cp932::AsciiUpper(folder + name)) != 0; });
            }
        }
        // Names that convert exactly are code page names like any other: no mark, no Unicode header.
        if (!keepFolders && entry.unicodeFolders.size() == entry.folders.size()) {
            entry.hasUnicodeFolders = false;
            entry.unicodeFolders.clear();
        }
        if (!keepName && !entry.name.empty()) {
            entry.hasUnicodeName = false;
            entry.unicodeName.clear();
        }
        taken.insert(cp932::AsciiUpper(entry.Path()));
    }
}

}  // namespace

void ReadEveryHeader(lzh::ArchiveReader& reader, HeaderList& list, const Cp932Of& convert) {
    lzh::Entry entry;
    lzh::ReadStatus status;
    bool utf8 = false;
    while ((status = reader.Next(entry)) == lzh::ReadStatus::Entry) {
        utf8 = utf8 || entry.codePage == lzh::kUtf8CodePage;
        list.entries.push_back(std::move(entry));
    }
    if (status == lzh::ReadStatus::Error) {
        list.broken = true;
        list.brokenReason = reader.ErrorText();
    }
    // Only names from UTF-8 need fallbacks unique among the others.
    if (utf8) GiveCodePageNames(list.entries, convert);
}

std::string ShownPath(const lzh::Entry& entry) {
    std::string path = entry.Path();
    if (entry.absolute) path = "\\" + path;
    if (entry.isDirectory) path += "\\";
    return PrintableName(path);
}

}  // namespace unlha

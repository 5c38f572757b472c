// Folder walks with FindFirstFileW; the names are matched by our own wildcard rules (against their
// code page forms), not by the file system's, which also matches short 8.3 names.
#include "archiver/file_scan.h"

#include <algorithm>
#include <set>

#include "archiver/wide_names.h"
#include "archiver/wildcard.h"
#include "text/cp932.h"
#include "win/unique_handle.h"

namespace unlha {
namespace {

bool IsDots(const wchar_t* name) { return std::wstring_view(name) == L"." || std::wstring_view(name) == L".."; }

FoundFile Found(const std::wstring& disk, const std::wstring& relative, const WIN32_FIND_DATAW& data) {
    return {disk, relative, data, FallbackOf(relative).name};
}

class Scanner {
public:
    Scanner(bool recurse, bool allAttributes, bool folders, std::wstring exclude)
        : recurse_(recurse), allAttributes_(allAttributes), folders_(folders), exclude_(std::move(exclude)) {}

    // Takes a file, or a folder about to be walked; false when it was taken already.
    bool Take(FoundFile found) {
        if (found.IsFolder() && !folders_) return false;
        const std::wstring key = FullPathKey(found.diskPath);
        if (key == exclude_ || !seen_.insert(key).second) return false;
        result.files.push_back(std::move(found));
        return true;
    }

    // Walks `folder` (disk path ending in a separator or empty) whose files are named
    // `relative` + name; returns how many files (not folders) it took. A folder `found` in its
    // parent's listing exists, so failing to open it is an error, not an empty result.
    std::size_t Walk(const std::wstring& folder, const std::wstring& relative, const std::string& mask, bool recurse,
                     bool found = false) {
        // Each with its code page form, which patterns match and which orders them as the
        // code page names always were (names that convert exactly keep today's order).
        std::vector<std::pair<std::string, WIN32_FIND_DATAW>> files, folders;
        WIN32_FIND_DATAW data;
        win::UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &data));
        if (!find) {
            if (found) result.unreadable.emplace_back(FallbackOf(relative).name, GetLastError());
            return 0;
        }
        do {
            if (IsDots(data.cFileName)) continue;
            const bool hiddenOrSystem = (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
            if (hiddenOrSystem && !allAttributes_) continue;
            std::string shown = FallbackOf(data.cFileName).name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                // A link or junction may lead outside the folder or round in a circle.
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) folders.emplace_back(std::move(shown), data);
            } else if (MatchWildcard(mask, shown)) {
                files.emplace_back(std::move(shown), data);
            }
        } while (FindNextFileW(find.Get(), &data));
        auto byName = [](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first < b.first;
            return std::wstring_view(a.second.cFileName) < std::wstring_view(b.second.cFileName);
        };
        std::sort(files.begin(), files.end(), byName);
        std::sort(folders.begin(), folders.end(), byName);
        std::size_t taken = 0;
        for (const auto& file : files)
            if (Take(Found(folder + file.second.cFileName, relative + file.second.cFileName, file.second))) ++taken;
        if (recurse) {
            for (const auto& sub : folders) {
                const std::wstring name = sub.second.cFileName;
                Take(Found(folder + name, relative + name, sub.second));
                taken += Walk(folder + name + L"\\", relative + name + L"\\", mask, true, true);
            }
        }
        return taken;
    }

    bool Recurse() const { return recurse_; }

    // Drops what was taken from position `size` on, so that it may be taken again.
    void Forget(std::size_t size) {
        for (std::size_t i = size; i < result.files.size(); ++i) seen_.erase(FullPathKey(result.files[i].diskPath));
        result.files.resize(size);
    }

    ScanResult result;

private:
    bool recurse_;
    bool allAttributes_;
    bool folders_;
    std::wstring exclude_;
    std::set<std::wstring> seen_;   // full paths taken already: two names may match one file or walk one folder
};

}  // namespace

std::wstring FullPathKey(const std::wstring& path) {
    // As long as the path needs: a deep folder's full path may pass any fixed size.
    std::wstring full(MAX_PATH, L'\0');
    std::wstring key = path;
    for (;;) {
        const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (n == 0) break;
        if (n < full.size()) {
            key = full.substr(0, n);
            break;
        }
        full.resize(n + 1);   // grows every time, so the loop ends
    }
    for (wchar_t& c : key)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return key;
}

ScanResult ScanFiles(const std::string& base, const std::vector<std::string>& names, bool recurse,
                     bool allAttributes, bool folders, const std::string& exclude) {
    Scanner scanner(recurse, allAttributes, folders, FullPathKey(Widen(exclude)));
    for (const std::string& name : names) {
        const std::string folderPart = cp932::FolderPart(name);
        const std::string mask = name.substr(folderPart.size());
        // A name with a drive or a root stands on its own; the base folder applies to the others.
        const bool rooted = (name.size() >= 2 && name[1] == ':') || (!name.empty() && name[0] == '\\');
        const std::string root = rooted ? std::string() : base;
        const std::size_t before = scanner.result.files.size();
        std::size_t files = 0;
        if (!mask.empty()) files = scanner.Walk(Widen(root + folderPart), Widen(folderPart), mask, scanner.Recurse());
        // A plain name of a folder adds that folder's whole tree, as users expect of "a A.LZH docs".
        if (files == 0 && !HasWildcard(name)) {
            const std::string asFolder = cp932::EndsWithChar(name, '\\') ? name : name + "\\";
            const DWORD attributes = GetFileAttributesW(Widen(root + asFolder).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                // The search for a file of that name was no request for the folders it walked.
                scanner.Forget(before);
                // The named folder is part of the tree it adds; asFolder ends with a one-byte '\\'.
                const std::wstring folderPath = Widen(asFolder.substr(0, asFolder.size() - 1));
                const std::wstring wideRoot = Widen(root);
                WIN32_FIND_DATAW data;
                win::UniqueFind find(FindFirstFileW((wideRoot + folderPath).c_str(), &data));
                if (find && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    scanner.Take(Found(wideRoot + folderPath, folderPath, data));
                scanner.Walk(wideRoot + folderPath + L"\\", folderPath + L"\\", "*", true, true);
            }
        }
        if (scanner.result.files.size() == before) scanner.result.unmatched.push_back(name);
    }
    return std::move(scanner.result);
}

}  // namespace unlha

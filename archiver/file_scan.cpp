// Folder walks with FindFirstFileA; the names are matched by our own wildcard rules, not by the
// file system's, which also matches short 8.3 names.
#include "archiver/file_scan.h"

#include <algorithm>
#include <set>

#include "archiver/wildcard.h"
#include "text/cp932.h"
#include "win/unique_handle.h"

namespace unlha {
namespace {

bool IsDots(const char* name) { return std::string_view(name) == "." || std::string_view(name) == ".."; }

class Scanner {
public:
    Scanner(bool recurse, bool allAttributes, bool folders, std::string exclude)
        : recurse_(recurse), allAttributes_(allAttributes), folders_(folders), exclude_(std::move(exclude)) {}

    // Takes a file, or a folder about to be walked; false when it was taken already.
    bool Take(FoundFile found) {
        if (found.IsFolder() && !folders_) return false;
        const std::string key = FullPathKey(found.diskPath);
        if (key == exclude_ || !seen_.insert(key).second) return false;
        result.files.push_back(std::move(found));
        return true;
    }

    // Walks `folder` (disk path ending in a separator or empty) whose files are named
    // `relative` + name; returns how many files (not folders) it took.
    std::size_t Walk(const std::string& folder, const std::string& relative, const std::string& mask, bool recurse) {
        std::vector<WIN32_FIND_DATAA> files, folders;
        WIN32_FIND_DATAA data;
        win::UniqueFind find(FindFirstFileA((folder + "*").c_str(), &data));
        if (!find) return 0;
        do {
            if (IsDots(data.cFileName)) continue;
            const bool hiddenOrSystem = (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
            if (hiddenOrSystem && !allAttributes_) continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                // A link or junction may lead outside the folder or round in a circle.
                if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) folders.push_back(data);
            } else if (MatchWildcard(mask, data.cFileName)) {
                files.push_back(data);
            }
        } while (FindNextFileA(find.Get(), &data));
        auto byName = [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
            return std::string_view(a.cFileName) < std::string_view(b.cFileName);
        };
        std::sort(files.begin(), files.end(), byName);
        std::sort(folders.begin(), folders.end(), byName);
        std::size_t taken = 0;
        for (const WIN32_FIND_DATAA& file : files)
            if (Take({folder + file.cFileName, relative + file.cFileName, file})) ++taken;
        if (recurse) {
            for (const WIN32_FIND_DATAA& sub : folders) {
                const std::string name = sub.cFileName;
                Take({folder + name, relative + name, sub});
                taken += Walk(folder + name + "\\", relative + name + "\\", mask, true);
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
    std::string exclude_;
    std::set<std::string> seen_;   // full paths taken already: two names may match one file or walk one folder
};

}  // namespace

std::string FullPathKey(const std::string& path) {
    // As long as the path needs: a deep folder's full path may pass any fixed size.
    std::string full(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (n == 0) return cp932::AsciiUpper(path);
        if (n < full.size()) return cp932::AsciiUpper(full.substr(0, n));
        full.resize(n + 1);   // grows every time, so the loop ends
    }
}

ScanResult ScanFiles(const std::string& base, const std::vector<std::string>& names, bool recurse,
                     bool allAttributes, bool folders, const std::string& exclude) {
    Scanner scanner(recurse, allAttributes, folders, FullPathKey(exclude));
    for (const std::string& name : names) {
        const std::string folderPart = cp932::FolderPart(name);
        const std::string mask = name.substr(folderPart.size());
        // A name with a drive or a root stands on its own; the base folder applies to the others.
        const bool rooted = (name.size() >= 2 && name[1] == ':') || (!name.empty() && name[0] == '\\');
        const std::string root = rooted ? std::string() : base;
        const std::size_t before = scanner.result.files.size();
        std::size_t files = 0;
        if (!mask.empty()) files = scanner.Walk(root + folderPart, folderPart, mask, scanner.Recurse());
        // A plain name of a folder adds that folder's whole tree, as users expect of "a A.LZH docs".
        if (files == 0 && !HasWildcard(name)) {
            const std::string asFolder = cp932::EndsWithChar(name, '\\') ? name : name + "\\";
            const DWORD attributes = GetFileAttributesA((root + asFolder).c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                // The search for a file of that name was no request for the folders it walked.
                scanner.Forget(before);
                // The named folder is part of the tree it adds; asFolder ends with a one-byte '\\'.
                const std::string folderPath = asFolder.substr(0, asFolder.size() - 1);
                WIN32_FIND_DATAA data;
                win::UniqueFind find(FindFirstFileA((root + folderPath).c_str(), &data));
                if (find && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    scanner.Take({root + folderPath, folderPath, data});
                scanner.Walk(root + asFolder, asFolder, "*", true);
            }
        }
        if (scanner.result.files.size() == before) scanner.result.unmatched.push_back(name);
    }
    return scanner.result;
}

}  // namespace unlha

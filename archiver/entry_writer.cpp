// The extraction of one entry: refusing every path that could leave the base folder, never
// through a link, never over an existing file unless the policy says so, never leaving a half file.
#include "archiver/entry_writer.h"

#include "archiver/file_times.h"
#include "archiver/unicode_names.h"
#include "archiver/wide_names.h"

namespace unlha {
namespace {

constexpr DWORD kRestoredAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE;

EntryProblem Problem(EntryProblemKind kind) {
    EntryProblem problem;
    problem.kind = kind;
    return problem;
}

EntryProblem PathProblem(PathRefusal refusal) {
    EntryProblem problem = Problem(EntryProblemKind::PathRefused);
    problem.refusal = refusal;
    return problem;
}

EntryProblem WriteProblemAt(const std::string& target, unsigned long error) {
    EntryProblem problem = Problem(EntryProblemKind::CannotWrite);
    problem.target = target;
    problem.error = error;
    return problem;
}

// The stamps the header records; the creation and access times fall back to the modification time.
void SetTimes(HANDLE file, const lzh::Entry& entry) {
    EntryTime modified = ModificationTime(entry);
    if (!modified.valid) return;
    FILETIME write = ToFileTime(modified.ticks);
    FILETIME creation = ToFileTime(entry.hasWindowsTimes && entry.windowsTimes.creation ? entry.windowsTimes.creation : modified.ticks);
    FILETIME access = ToFileTime(entry.hasWindowsTimes && entry.windowsTimes.lastAccess ? entry.windowsTimes.lastAccess : modified.ticks);
    SetFileTime(file, &creation, &access, &write);
}

}  // namespace

void EntryWriter::Write(const lzh::Entry& entry) {
    if (entry.isSymlink) {
        Refuse(entry, Problem(EntryProblemKind::SymbolicLink));
        return;
    }
    // The whole stored path is checked even when e drops its folders: an archive that carries a
    // hostile path is refused for it, not quietly made harmless.
    const std::string name = entry.isDirectory ? std::string() : entry.name;
    const SafePath stored = CheckOutputPath(entry.folders, name, entry.absolute);
    if (!stored.Ok()) {
        Refuse(entry, PathProblem(stored.refusal));
        return;
    }
    // Exact names pass the same rules, and must agree with the code page names about folders.
    const PathRefusal exact = HasUnicodePath(entry) ? CheckUnicodePath(entry) : PathRefusal::None;
    if (exact != PathRefusal::None) {
        Refuse(entry, PathProblem(exact));
        return;
    }
    // Without folder names a folder entry has nothing to make: it passes silently, as it is
    // counted in no summary.
    const bool keep = options_.keepFolders;
    if (entry.isDirectory && !keep) return;
    const std::vector<std::string> folders = keep ? entry.folders : std::vector<std::string>{};
    const SafePath safe = CheckOutputPath(folders, name, false);
    const std::size_t parts = folders.size() + (entry.isDirectory ? 0 : 1);
    if (!ConvertsAsWalked(safe.relativePath, parts)) {
        Refuse(entry, PathProblem(PathRefusal::HiddenSeparator));
        return;
    }
    // The code page path names the file in messages; the exact one is what is written.
    const std::string target = base_ + safe.relativePath;
    const std::wstring wideTarget = Widen(base_) + ExactRelativePath(entry, keep);
    if (target.size() >= MAX_PATH || wideTarget.size() >= MAX_PATH) {
        Refuse(entry, Problem(EntryProblemKind::TooLongForDestination));
        return;
    }
    if (!entry.isDirectory && entry.method.kind == lzh::MethodKind::Unknown) {
        Fail(entry, Problem(EntryProblemKind::MethodUnsupported));
        return;
    }
    const std::vector<std::wstring> exactFolders = keep ? ExactFolders(entry) : std::vector<std::wstring>{};
    std::wstring folder = Widen(base_);
    for (const std::wstring& part : exactFolders) folder += part + L"\\";
    // Each folder is made or checked once a run: thousands of files share a few folders.
    if (readyFolders_.count(folder) == 0) {
        EntryProblem folderProblem = Problem(EntryProblemKind::FolderNotMade);
        if (!MakeEntryFolders(base_, exactFolders, folderProblem.stop)) {
            Fail(entry, folderProblem);
            return;
        }
        readyFolders_.insert(folder);
    }
    if (entry.isDirectory) {
        folders_.emplace_back(wideTarget, &entry);
        policy_.FolderMade(entry);
        return;
    }

    // Most targets are new: creating the file is also the cheapest way to learn that nothing
    // (not even a link) stands there. Only when that fails is the name looked at.
    FileSink sink;
    bool replacing = false;
    if (!sink.Create(wideTarget, CreateMode::NewOnly)) {
        const DWORD existing = GetFileAttributesW(wideTarget.c_str());
        if (existing == INVALID_FILE_ATTRIBUTES) {
            Fail(entry, WriteProblemAt(target, sink.LastError()));
            return;
        }
        if (existing & FILE_ATTRIBUTE_REPARSE_POINT) {
            EntryProblem problem = Problem(EntryProblemKind::ExistingIsLink);
            problem.target = target;
            Refuse(entry, problem);
            return;
        }
        if (existing & FILE_ATTRIBUTE_DIRECTORY) {
            Fail(entry, Problem(EntryProblemKind::FolderOfThatName));
            return;
        }
        if (!policy_.MayReplace(entry, target, wideTarget)) return;
        replacing = true;
    }
    WriteFile(entry, target, wideTarget, folder, sink, replacing);
}

void EntryWriter::WriteFile(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget,
                            const std::wstring& folder, FileSink& sink, bool replacing) {
    // A new file (`sink` holds it open) is written under its own name, opened so that nobody
    // else can open it, and removed again unless it is complete and checked. A replacement goes
    // into a new file beside the target first, so that a damaged entry never destroys the file
    // it would have replaced; its name is short, so a target near the path limit still has room.
    std::wstring temp;
    if (replacing && !sink.CreateUnique(folder, L"LZH", L".TMP", temp)) {
        Fail(entry, WriteProblemAt(target, sink.LastError()));
        return;
    }
    const std::wstring& written = replacing ? temp : wideTarget;
    sink.ReportTo(policy_.Transfers());
    EntryProblem damaged = Problem(EntryProblemKind::DataDamaged);
    damaged.result = reader_.Extract(entry, sink);
    const bool ok = damaged.result.status == lzh::ExtractStatus::Ok;
    const bool flushed = sink.Flush();
    if (ok && flushed && !policy_.Cancelled()) {
        SetTimes(sink.Handle(), entry);
        sink.Close();
    } else {
        if (!sink.Discard()) DeleteFileW(written.c_str());
    }
    if (policy_.Cancelled()) return;
    if (!ok || !flushed) {
        if (damaged.result.status == lzh::ExtractStatus::WriteFailed || !flushed)
            Fail(entry, WriteProblemAt(target, sink.LastError()));
        else
            Fail(entry, damaged);
        return;
    }
    if (replacing) {
        const DWORD old = GetFileAttributesW(wideTarget.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesW(wideTarget.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
        if (!MoveFileExW(temp.c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING)) {
            const DWORD error = GetLastError();
            DeleteFileW(temp.c_str());
            Fail(entry, WriteProblemAt(target, error));
            return;
        }
    }
    RestoreAttributes(wideTarget, entry);
    policy_.Written(entry, replacing);
}

void EntryWriter::RestoreAttributes(const std::wstring& path, const lzh::Entry& entry) {
    if (!options_.restoreAttributes || !entry.hasAttributes) return;
    const DWORD kept = entry.attributes & kRestoredAttributes;
    SetFileAttributesW(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
}

void EntryWriter::StampFolders() {
    // A folder entry comes before what it holds, so going backwards stamps inner folders first.
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) {
        const std::wstring& path = it->first;
        const lzh::Entry& entry = *it->second;
        // Never through a link that took the folder's place since it was made.
        HANDLE folder = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (folder == INVALID_HANDLE_VALUE) continue;
        BY_HANDLE_FILE_INFORMATION info;
        const bool realFolder = GetFileInformationByHandle(folder, &info) &&
                                (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        if (realFolder) SetTimes(folder, entry);
        CloseHandle(folder);
        if (realFolder) RestoreAttributes(path, entry);
    }
}

}  // namespace unlha

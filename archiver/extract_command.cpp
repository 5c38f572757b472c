// e and x: entries to files below the base folder, refusing every path that could leave it,
// never through a link, never over an existing file unless asked, never leaving a half file.
#include <windows.h>

#include "archiver/archive_walk.h"
#include "archiver/base_folder.h"
#include "archiver/file_times.h"
#include "archiver/make_folders.h"
#include "archiver/safe_path.h"
#include "archiver/wide_names.h"
#include "text/cp932.h"

namespace unlha {
namespace {

struct Tally {
    std::uint64_t extracted = 0, replaced = 0, skipped = 0, refused = 0, failed = 0;
};

// Creates the entry's folders below `base`, in the library's words when one cannot be made.
bool MakeFolders(const std::string& base, const std::vector<std::wstring>& relativeFolders, std::string& why) {
    FolderStop stop;
    if (MakeEntryFolders(base, relativeFolders, stop)) return true;
    why = stop.error ? Say(M::CannotCreateFolder, stop.path, SystemMessage(stop.error))
                     : Say(M::FileOrLinkNotFolder, stop.path);
    return false;
}

constexpr DWORD kRestoredAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE;

void SetTimes(HANDLE file, const lzh::Entry& entry) {
    EntryTime modified = ModificationTime(entry);
    if (!modified.valid) return;
    FILETIME write = ToFileTime(modified.ticks);
    FILETIME creation = ToFileTime(entry.hasWindowsTimes && entry.windowsTimes.creation ? entry.windowsTimes.creation : modified.ticks);
    FILETIME access = ToFileTime(entry.hasWindowsTimes && entry.windowsTimes.lastAccess ? entry.windowsTimes.lastAccess : modified.ticks);
    SetFileTime(file, &creation, &access, &write);
}

class Extractor {
public:
    explicit Extractor(Run& run, OpenArchive& archive) : run_(run), archive_(archive) {
        const Command& c = run.command;
        keepFolders_ = c.letter == 'x' || c.switches.keepFolders;
        base_ = c.baseFolder;
        if (!base_.empty() && !cp932::EndsWithChar(base_, '\\') && !cp932::EndsWithChar(base_, ':')) base_ += '\\';
    }

    void Entry(const lzh::Entry& entry);
    void FinishFolders();
    const Tally& Counts() const { return tally_; }
    const std::string& Base() const { return base_; }

private:
    void Refuse(const lzh::Entry& entry, const std::string& why) {
        ++tally_.refused;
        const std::string line = Say(M::LineRefused, ShownPath(entry), why);
        run_.out.Line(line);
        run_.Fail(kPathRefused, line);
    }
    void Failed(const lzh::Entry& entry, int code, const std::string& why) {
        ++tally_.failed;
        const std::string line = Say(M::LineFailed, ShownPath(entry), why);
        run_.out.Line(line);
        run_.Fail(code, line);
    }
    void WriteFile(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget,
                   const std::wstring& folder, bool replacing);

    Run& run_;
    OpenArchive& archive_;
    bool keepFolders_;
    std::string base_;
    Tally tally_;
    // Folder entries made, in archive order: their stamps are set once their files are written,
    // since every file written into a folder changes its time.
    std::vector<std::pair<std::wstring, const lzh::Entry*>> folders_;
};

void Extractor::Entry(const lzh::Entry& entry) {
    if (entry.isSymlink) {
        Refuse(entry, Say(M::SymbolicLink));
        return;
    }
    // The whole stored path is checked even when e drops its folders: an archive that carries a
    // hostile path is refused for it, not quietly made harmless.
    const std::string name = entry.isDirectory ? std::string() : entry.name;
    SafePath stored = CheckOutputPath(entry.folders, name, entry.absolute);
    if (!stored.Ok()) {
        Refuse(entry, RefusalReason(stored.refusal));
        return;
    }
    // Exact names pass the same rules, and must agree with the code page names about folders.
    const PathRefusal exact = HasUnicodePath(entry) ? CheckUnicodePath(entry) : PathRefusal::None;
    if (exact != PathRefusal::None) {
        Refuse(entry, RefusalReason(exact));
        return;
    }
    // Without folder names a folder entry has nothing to make: it passes silently, as it is
    // counted in no summary.
    if (entry.isDirectory && !keepFolders_) return;
    const std::vector<std::string> folders = keepFolders_ ? entry.folders : std::vector<std::string>{};
    SafePath safe = CheckOutputPath(folders, name, false);
    const std::size_t parts = folders.size() + (entry.isDirectory ? 0 : 1);
    if (!ConvertsAsWalked(safe.relativePath, parts)) {
        Refuse(entry, RefusalReason(PathRefusal::HiddenSeparator));
        return;
    }
    // The code page path names the file in messages; the exact one is what is written.
    const std::string target = base_ + safe.relativePath;
    const std::wstring wideTarget = Widen(base_) + ExactRelativePath(entry, keepFolders_);
    if (target.size() >= MAX_PATH || wideTarget.size() >= MAX_PATH) {
        Refuse(entry, Say(M::TooLongForDestination));
        return;
    }
    if (entry.method.kind == lzh::MethodKind::Unknown) {
        Failed(entry, kArchiveDamaged, Say(M::MethodUnsupported, PrintableName(entry.methodId)));
        return;
    }
    const std::vector<std::wstring> exactFolders = keepFolders_ ? ExactFolders(entry) : std::vector<std::wstring>{};
    std::string why;
    if (!MakeFolders(base_, exactFolders, why)) {
        Failed(entry, kFileFailed, why);
        return;
    }
    if (entry.isDirectory) {
        folders_.emplace_back(wideTarget, &entry);
        run_.out.Line(Say(M::LineFolder, ShownPath(entry)));
        return;
    }
    std::wstring folder = Widen(base_);
    for (const std::wstring& part : exactFolders) folder += part + L"\\";

    const DWORD existing = GetFileAttributesW(wideTarget.c_str());
    bool replacing = false;
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if (existing & FILE_ATTRIBUTE_REPARSE_POINT) {
            Refuse(entry, Say(M::ExistingIsLink, target));
            return;
        }
        if (existing & FILE_ATTRIBUTE_DIRECTORY) {
            Failed(entry, kFileFailed, Say(M::FolderOfThatName));
            return;
        }
        if (!run_.command.switches.overwrite) {
            ++tally_.skipped;
            run_.out.Line(Say(M::SkippedExists, ShownPath(entry)));
            return;
        }
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!run_.command.switches.ignoreTimes && GetFileAttributesExW(wideTarget.c_str(), GetFileExInfoStandard, &data) &&
            !EntryIsNewer(ModificationTime(entry), Ticks(data.ftLastWriteTime))) {
            ++tally_.skipped;
            run_.out.Line(Say(M::SkippedFileNotOlder, ShownPath(entry)));
            return;
        }
        replacing = true;
    }
    WriteFile(entry, target, wideTarget, folder, replacing);
}

void Extractor::WriteFile(const lzh::Entry& entry, const std::string& target, const std::wstring& wideTarget,
                          const std::wstring& folder, bool replacing) {
    // Into a new file beside the target first: a damaged entry never destroys the file it would
    // have replaced, and never leaves half a file.
    FileSink sink;
    std::wstring temp;
    if (!sink.CreateUnique(folder, L"LZH", L".TMP", temp)) {
        Failed(entry, kFileFailed, WriteProblem(target, sink.LastError()));
        return;
    }
    sink.ReportTo(&run_.progress);
    lzh::ExtractResult r = archive_.reader->Extract(entry, sink);
    const bool flushed = sink.Flush();
    if (r.status == lzh::ExtractStatus::Ok && flushed) SetTimes(sink.Handle(), entry);
    sink.Close();
    if (run_.progress.Cancelled()) {
        DeleteFileW(temp.c_str());
        return;
    }
    if (r.status != lzh::ExtractStatus::Ok || !flushed) {
        DeleteFileW(temp.c_str());
        if (r.status == lzh::ExtractStatus::WriteFailed || !flushed)
            Failed(entry, kFileFailed, WriteProblem(target, sink.LastError()));
        else
            Failed(entry, kArchiveDamaged, DataProblem(r));
        return;
    }
    if (replacing) {
        const DWORD old = GetFileAttributesW(wideTarget.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
            SetFileAttributesW(wideTarget.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
    }
    if (!MoveFileExW(temp.c_str(), wideTarget.c_str(), replacing ? MOVEFILE_REPLACE_EXISTING : 0)) {
        const DWORD error = GetLastError();
        DeleteFileW(temp.c_str());
        Failed(entry, kFileFailed, WriteProblem(target, error));
        return;
    }
    if (run_.command.switches.allAttributes && entry.hasAttributes) {
        const DWORD kept = entry.attributes & kRestoredAttributes;
        SetFileAttributesW(wideTarget.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    }
    if (replacing) {
        ++tally_.replaced;
        run_.out.Line(Say(M::LineReplaced, ShownPath(entry)));
    } else {
        ++tally_.extracted;
        run_.out.Line(Say(M::LineExtracted, ShownPath(entry)));
    }
}

void Extractor::FinishFolders() {
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
        if (realFolder && run_.command.switches.allAttributes && entry.hasAttributes) {
            const DWORD kept = entry.attributes & kRestoredAttributes;
            SetFileAttributesW(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
        }
    }
}

}  // namespace

void RunExtract(Run& run) {
    OpenArchive archive;
    if (!OpenAndRead(run, run.command.archivePath, archive)) return;
    Extractor extractor(run, archive);
    std::string why;
    if (!MakeBaseFolder(extractor.Base(), why)) {
        run.out.Line(why);
        run.Fail(kFileFailed, why);
        return;
    }
    std::uint64_t total = 0, selected = 0, finished = 0;
    for (const lzh::Entry& entry : archive.entries) {
        if (!Selected(run, entry)) continue;
        total += entry.originalSize;
        ++selected;
    }
    run.progress.SetTotal(total);
    for (const lzh::Entry& entry : archive.entries) {
        if (!Selected(run, entry)) continue;
        if (!run.progress.Begin(ShownPath(entry))) break;
        extractor.Entry(entry);
        if (run.progress.Cancelled()) break;
        ++finished;
    }
    extractor.FinishFolders();
    if (run.progress.Cancelled()) {
        const std::string line = Say(M::ExtractCancelled, selected - finished);
        run.out.Line(line);
        run.Fail(kCancelled, line);
    }
    if (archive.broken) {
        const std::string line = Say(M::DamagedAfter, archive.entries.size(), archive.brokenReason);
        run.out.Line(line);
        run.Fail(kArchiveDamaged, line);
    }
    const Tally& t = extractor.Counts();
    run.Summary(Say(M::ExtractSummary, t.extracted, t.replaced, t.skipped, t.refused, t.failed,
                    FullFolder(extractor.Base())));
}

}  // namespace unlha

// a, u, f and d: the archive is rewritten into a new file beside it, which replaces it only when
// complete. On any failure or cancel the original stays byte for byte and the new file goes.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "archiver/archive_walk.h"
#include "archiver/file_scan.h"
#include "archiver/file_times.h"
#include "archiver/stored_path.h"
#include "archiver/test_seam.h"
#include "archiver/wide_names.h"
#include "codec/parallel_encoder.h"
#include "text/cp932.h"

namespace unlha {
namespace {

// One member of the new archive: an old entry copied, or a file compressed, or a folder stored.
struct Step {
    const lzh::Entry* entry = nullptr;   // copied unchanged when `file` is null
    const FoundFile* file = nullptr;
    StoredPath stored;                   // a folder's parts are all in `folders`, its name is empty
    bool replaces = false;
    bool IsFolder() const { return file ? file->IsFolder() : entry->isDirectory; }
};

// The counts are of files; folder entries are named on lines of their own and only make the
// plan change the archive.
struct Plan {
    std::vector<Step> steps;
    std::uint64_t added = 0, replaced = 0, deleted = 0, skipped = 0, bytesToRead = 0, folderChanges = 0;
    bool Changes() const { return added + replaced + deleted + folderChanges > 0; }
    std::uint64_t FileEntries() const {
        std::uint64_t files = 0;
        for (const Step& step : steps) files += step.IsFolder() ? 0 : 1;
        return files;
    }
};

// Stored paths compare by their exact names, ASCII letters without case; a folder's key ends
// with '\\', so it never meets a file's.
std::string Key(std::u16string_view exactPath, bool folder) { return Utf8Of(UnicodeKey(exactPath)) + (folder ? "\\" : ""); }
std::string KeyOf(const lzh::Entry& entry) { return Key(AsU16(ExactRelativePath(entry, true)), entry.isDirectory); }
std::string KeyOf(const StoredPath& stored) {
    std::u16string path;
    for (const std::u16string& folder : stored.exactFolders) path += folder + u"\\";
    if (stored.exactName.empty() && !path.empty()) path.pop_back();
    return Key(path + stored.exactName, stored.exactName.empty());
}

// The parts found on disk, each with its code page fallback.
StoredPath StoredFor(const FoundFile& file, bool keepFolders) {
    ExactStoredPath exact = ExactStoredPathFor(AsU16(file.relativePath), keepFolders || file.IsFolder());
    if (file.IsFolder() && !exact.name.empty()) {
        exact.folders.push_back(exact.name);
        exact.name.clear();
    }
    StoredPath stored;
    for (const std::u16string& folder : exact.folders) {
        FallbackName fallback = FallbackOf(AsWide(folder));
        stored.folders.push_back(fallback.name);
        stored.foldersBeyond = stored.foldersBeyond || !fallback.exact;
    }
    if (!exact.name.empty()) {
        FallbackName fallback = FallbackOf(AsWide(exact.name));
        stored.name = fallback.name;
        stored.nameBeyond = !fallback.exact;
    }
    stored.exactFolders = std::move(exact.folders);
    stored.exactName = std::move(exact.name);
    return stored;
}

// A fallback name must not meet another member's stored path without case, or readers that know
// only the code page names would write both to one file.
void MakeFallbacksUnique(std::vector<Step>& steps) {
    // Most runs have none: then the set of every member's path is not worth building.
    if (std::none_of(steps.begin(), steps.end(), [](const Step& step) { return step.file && step.stored.nameBeyond; }))
        return;
    std::set<std::string> taken;
    auto keyOf = [](const std::vector<std::string>& folders, const std::string& name) {
        std::string path;
        for (const std::string& folder : folders) path += folder + "\\";
        return cp932::AsciiUpper(path + name);
    };
    for (const Step& step : steps) {
        if (!step.file) taken.insert(cp932::AsciiUpper(step.entry->Path()));
        else if (!step.stored.nameBeyond) taken.insert(keyOf(step.stored.folders, step.stored.name));
    }
    for (Step& step : steps) {
        if (!step.file || !step.stored.nameBeyond) continue;
        StoredPath& stored = step.stored;
        stored.name = UniqueFallback(stored.name, [&](const std::string& name) { return taken.count(keyOf(stored.folders, name)) != 0; });
        taken.insert(keyOf(stored.folders, stored.name));
    }
}

// The file names as typed, for sentences that name them.
std::string Patterns(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
    return joined;
}

std::uint64_t FileSize(const WIN32_FIND_DATAW& data) {
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

lzh::NewEntry NewEntryFor(const Step& step) {
    lzh::NewEntry e;
    e.folders = step.stored.folders;
    e.name = step.stored.name;
    e.hasUnicodeName = step.stored.nameBeyond;
    e.unicodeName = step.stored.exactName;
    e.hasUnicodeFolders = step.stored.foldersBeyond;
    e.unicodeFolders = step.stored.exactFolders;
    const WIN32_FIND_DATAW& data = step.file->data;
    const std::uint64_t written = Ticks(data.ftLastWriteTime);
    e.dosTime = DosFromTicks(written);
    e.unixTime = UnixFromTicks(written);
    e.hasWindowsTimes = true;
    e.windowsTimes.creation = Ticks(data.ftCreationTime);
    e.windowsTimes.lastWrite = written;
    e.windowsTimes.lastAccess = Ticks(data.ftLastAccessTime);
    e.attributes = static_cast<std::uint8_t>(data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE));
    if (step.file->IsFolder()) e.attributes |= FILE_ATTRIBUTE_DIRECTORY;   // MS-DOS marks folders so too
    return e;
}

// Keeps the progress window answering while the calling thread waits for compressing threads.
class ProgressWhileWaiting : public lzh::WaitObserver {
public:
    explicit ProgressWhileWaiting(Progress& progress) : progress_(progress) {}
    bool KeepGoing() override { return progress_.Advance(0); }

private:
    Progress& progress_;
};

// A file to be added, opened when it was queued for compressing: its turn to be written may come later.
struct OpenedFile {
    FileSource source;
    bool opened = false;
};

class Updater {
public:
    explicit Updater(Run& run) : run_(run), c_(run.command) {}
    void Execute();

private:
    bool PlanDelete();
    void PlanAdd(const ScanResult& scan);
    bool Write(FileSink& sink, const std::string& temp);
    std::string Problem(const lzh::WriteResult& r, const FileSink& sink) const;
    void Summary();
    void Abandon(const std::string& temp) {
        if (!temp.empty()) DeleteFileW(Widen(temp).c_str());
        run_.out.Line(Say(M::NothingChanged, c_.archivePath));
    }

    Run& run_;
    const Command& c_;
    OpenArchive archive_;
    bool exists_ = false;
    Plan plan_;
};

bool Updater::PlanDelete() {
    plan_.steps.reserve(archive_.entries.size());
    for (const lzh::Entry& entry : archive_.entries) {
        if (Selected(run_, entry)) {
            // Only the folder entry goes; the files below it are entries of their own.
            ++(entry.isDirectory ? plan_.folderChanges : plan_.deleted);
            run_.out.Line(Say(M::LineDeleted, ShownPath(entry)));
            continue;
        }
        Step step;
        step.entry = &entry;
        plan_.steps.push_back(step);
    }
    if (plan_.deleted + plan_.folderChanges == 0) {
        run_.Failure(kNoFiles, Say(M::NoEntryMatches, c_.archivePath, Patterns(c_.fileNames)));
        return false;
    }
    return true;
}

void Updater::PlanAdd(const ScanResult& scan) {
    const char letter = c_.letter;
    // The files by stored name; the first of two files that would be stored alike wins.
    std::map<std::string, Step> fromDisk;
    std::vector<std::string> order;
    // Room for every step at once: growing, the vector would move them all again and again.
    plan_.steps.reserve(archive_.entries.size() + scan.files.size());
    for (const FoundFile& file : scan.files) {
        Step step;
        step.file = &file;
        step.stored = StoredFor(file, c_.switches.keepFolders);
        const std::string shown = JoinStored(step.stored);
        if (step.stored.name.empty() && (!file.IsFolder() || step.stored.folders.empty())) continue;
        const std::string key = KeyOf(step.stored);
        if (!fromDisk.emplace(key, step).second) {
            run_.out.Line(Say(M::SkippedStoredAlike, file.shownPath, shown));
            ++plan_.skipped;
            continue;
        }
        order.push_back(key);
    }
    for (const lzh::Entry& entry : archive_.entries) {
        Step step;
        step.entry = &entry;
        auto found = fromDisk.find(KeyOf(entry));
        if (found != fromDisk.end() && entry.isDirectory) {
            // A folder holds no data to be newer: a keeps its entry fresh, u and f keep it as it is.
            if (letter == 'a') {
                found->second.replaces = true;
                plan_.steps.push_back(found->second);
                ++plan_.folderChanges;
            } else {
                plan_.steps.push_back(step);
            }
            fromDisk.erase(found);
            continue;
        }
        if (found != fromDisk.end() && !entry.isSymlink) {
            Step& candidate = found->second;
            const bool newer = FileIsNewer(Ticks(candidate.file->data.ftLastWriteTime), ModificationTime(entry));
            if (letter == 'a' || c_.switches.ignoreTimes || newer) {
                candidate.replaces = true;
                plan_.steps.push_back(candidate);
                ++plan_.replaced;
                plan_.bytesToRead += FileSize(candidate.file->data);
            } else {
                run_.out.Line(Say(M::SkippedArchiveNotOlder, JoinStored(candidate.stored)));
                ++plan_.skipped;
                plan_.steps.push_back(step);
            }
            fromDisk.erase(found);
            continue;
        }
        plan_.steps.push_back(step);
    }
    if (letter != 'f') {
        for (const std::string& key : order) {
            auto found = fromDisk.find(key);
            if (found == fromDisk.end()) continue;
            plan_.steps.push_back(found->second);
            if (found->second.IsFolder()) {
                ++plan_.folderChanges;
                continue;
            }
            ++plan_.added;
            plan_.bytesToRead += FileSize(found->second.file->data);
        }
    }
}

// Why a member could not be written, in plain words; the codec's detail follows.
std::string Updater::Problem(const lzh::WriteResult& r, const FileSink& sink) const {
    switch (r.status) {
    case lzh::WriteStatus::WriteFailed: return WriteProblem(c_.archivePath, sink.LastError());
    case lzh::WriteStatus::ReadFailed: return Say(M::MemberReadFailed, r.detail);
    case lzh::WriteStatus::InvalidName: return Say(M::MemberNameInvalid, r.detail);
    case lzh::WriteStatus::TooLarge: return Say(M::MemberTooLarge, r.detail);
    default: return Say(M::MemberNotCompressed, r.detail);
    }
}

bool Updater::Write(FileSink& sink, const std::string& temp) {
    lzh::WriterOptions options;
    options.headerLevel = c_.switches.headerLevel;
    lzh::ArchiveWriter writer(sink, options);
    const lzh::Method method = lzh::FindMethod(c_.switches.methodId);
    unsigned long injectedError = 0;
    const int failAfter = test_seam::FailAfterMembers(injectedError);
    int written = 0;
    run_.progress.SetTotal(plan_.bytesToRead);
    auto injectedFailure = [&] {
        if (failAfter < 0 || written != failAfter) return false;
        run_.Failure(kFileFailed, injectedError ? WriteProblem(c_.archivePath, injectedError) : Say(M::InjectedFailure));
        return true;
    };
    // Files are opened and queued ahead of the one being written, so that worker threads compress
    // several at once; each is written in its turn. The sources go after the encoder stops.
    std::deque<std::unique_ptr<OpenedFile>> opened;
    lzh::ParallelEncoder encoder(c_.switches.threads);
    ProgressWhileWaiting waiting(run_.progress);
    std::size_t queued = 0;   // the steps before this one are queued, or need no compressing
    auto queueAhead = [&] {
        for (; queued < plan_.steps.size() && encoder.HasRoom(); ++queued) {
            const Step& ahead = plan_.steps[queued];
            if (!ahead.file || ahead.file->IsFolder()) continue;
            auto file = std::make_unique<OpenedFile>();
            file->opened = file->source.Open(ahead.file->diskPath);
            if (file->opened) {
                file->source.ReportTo(&run_.progress);
                encoder.Queue(file->source, method);
            }
            opened.push_back(std::move(file));
        }
    };
    for (const Step& step : plan_.steps) {
        if (injectedFailure()) return false;
        ++written;
        queueAhead();
        if (!step.file) {
            lzh::WriteResult r = writer.CopyMember(*archive_.reader, *step.entry);
            if (r.status != lzh::WriteStatus::Ok) {
                run_.Failure(r.status == lzh::WriteStatus::ReadFailed ? kArchiveDamaged : kFileFailed,
                             Say(M::LineFailed, ShownPath(*step.entry), Problem(r, sink)));
                return false;
            }
            continue;
        }
        const std::string shown = JoinStored(step.stored);
        if (!run_.progress.Begin(shown)) return false;
        if (step.file->IsFolder()) {
            lzh::WriteResult r = writer.AddDirectory(NewEntryFor(step));
            if (r.status != lzh::WriteStatus::Ok) {
                run_.Failure(kFileFailed, Say(M::LineFailed, shown, Problem(r, sink)));
                return false;
            }
            run_.out.Line(Say(step.replaces ? M::LineFolderReplaced : M::LineFolder, shown));
            continue;
        }
        const std::unique_ptr<OpenedFile> file = std::move(opened.front());
        opened.pop_front();
        if (!file->opened) {
            run_.Failure(kFileFailed, Say(M::LineFailed, shown, Say(M::CannotRead, FallbackOf(step.file->diskPath).name,
                                                                    SystemMessage(file->source.LastError()))));
            return false;
        }
        lzh::WriteResult r = writer.AddQueuedFile(NewEntryFor(step), encoder, &waiting);
        if (run_.progress.Cancelled()) return false;
        if (r.status != lzh::WriteStatus::Ok) {
            run_.Failure(kFileFailed, Say(M::LineFailed, shown, Problem(r, sink)));
            return false;
        }
        run_.out.Line(Say(step.replaces ? M::LineReplacedSizes : M::LineAdded, shown, r.originalSize, r.packedSize,
                          r.methodId));
    }
    if (injectedFailure()) return false;
    if (writer.Finish().status != lzh::WriteStatus::Ok || !sink.Flush()) {
        run_.Failure(kFileFailed, WriteProblem(c_.archivePath, sink.LastError()));
        return false;
    }
    return true;
}

void Updater::Execute() {
    const DWORD attributes = GetFileAttributesA(c_.archivePath.c_str());
    const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
    if (error && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        // It may well exist (a path too long, no access): a new archive would replace it.
        run_.Failure(kArchiveMissing, Say(M::CannotOpenArchive, c_.archivePath, SystemMessage(error)));
        return;
    }
    if (!error && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        run_.Failure(kFileFailed, ArchiveIsFolderProblem(c_.archivePath));
        return;
    }
    exists_ = !error;
    if (exists_) {
        if (!OpenAndRead(run_, c_.archivePath, archive_)) return;
        if (archive_.broken) {
            // Rewriting would drop what follows the broken header: refuse and keep the file.
            run_.Failure(kArchiveDamaged,
                         Say(M::DamagedLeftUnchanged, c_.archivePath, archive_.entries.size(), archive_.brokenReason));
            return;
        }
    } else if (c_.letter == 'f' || c_.letter == 'd') {
        run_.Failure(kArchiveMissing, Say(M::ArchiveMissing, c_.archivePath));
        return;
    }

    ScanResult scan;
    if (c_.letter == 'd') {
        if (!PlanDelete()) return;
    } else {
        scan = ScanFiles(c_.baseFolder, c_.fileNames, c_.switches.recurse, c_.switches.allAttributes,
                         c_.switches.keepFolders, c_.archivePath);
        const std::string folder = FullFolder(c_.baseFolder);
        if (!scan.files.empty())
            for (const std::string& name : scan.unmatched) run_.out.Line(Say(M::NoFileMatches, name, folder));
        if (!scan.unreadable.empty()) {
            // Its files would be missing from the archive without a word.
            for (const auto& [unreadable, error] : scan.unreadable) {
                run_.Failure(kFileFailed, Say(M::LineFailed, unreadable, Say(M::FolderUnreadable, SystemMessage(error))));
            }
            Abandon(std::string());
            return;
        }
        if (scan.files.empty()) {
            const DWORD base = GetFileAttributesA(folder.c_str());
            run_.Failure(kNoFiles, base == INVALID_FILE_ATTRIBUTES || !(base & FILE_ATTRIBUTE_DIRECTORY)
                                       ? Say(M::BaseFolderMissing, folder)
                                       : Say(M::NoFilesToAdd, folder, Patterns(c_.fileNames)));
            return;
        }
        PlanAdd(scan);
        MakeFallbacksUnique(plan_.steps);
    }
    if (!plan_.Changes()) {
        run_.out.Line(Say(M::UpToDate, c_.archivePath));
        Summary();
        return;
    }

    FileSink sink;
    std::string temp;
    if (!sink.CreateUnique(cp932::FolderPart(c_.archivePath), "LZH", ".TMP", temp)) {
        run_.Failure(kFileFailed, WriteProblem(c_.archivePath, sink.LastError()));
        Abandon(temp);
        return;
    }
    const bool written = Write(sink, temp);
    sink.Close();
    if (!written) {
        if (run_.progress.Cancelled()) {
            DeleteFileW(Widen(temp).c_str());
            run_.Failure(kCancelled, Say(M::UpdateCancelled, c_.archivePath));
            return;
        }
        Abandon(temp);
        return;
    }
    archive_.source.Close();
    if (c_.letter == 'd' && plan_.steps.empty()) {
        DeleteFileW(Widen(temp).c_str());
        if (!DeleteFileW(Widen(c_.archivePath).c_str())) {
            run_.Failure(kFileFailed, Say(M::CannotDeleteEmpty, c_.archivePath, SystemMessage(GetLastError())));
            return;
        }
        run_.out.Line(Say(M::DeletedEmpty));
    } else if (!MoveFileExW(Widen(temp).c_str(), Widen(c_.archivePath).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        run_.Failure(kFileFailed, error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION
                                      ? Say(M::ArchiveReadOnly, c_.archivePath, SystemMessage(error))
                                      : WriteProblem(c_.archivePath, error));
        Abandon(temp);
        return;
    }
    Summary();
}

void Updater::Summary() {
    run_.Summary(Say(M::UpdateSummary, plan_.added, plan_.replaced, plan_.skipped, plan_.deleted, plan_.FileEntries(),
                     c_.archivePath));
}

}  // namespace

void RunUpdate(Run& run) { Updater(run).Execute(); }

}  // namespace unlha

// a, u, f and d: the archive is rewritten into a new file beside it, which replaces it only when
// complete. On any failure or cancel the original stays byte for byte and the new file goes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>

#include "archiver/archive_walk.h"
#include "archiver/file_scan.h"
#include "archiver/file_times.h"
#include "archiver/stored_path.h"
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

// Stored paths compare without case; a folder's key ends with '\\', so it never meets a file's.
std::string Key(const std::string& storedPath) { return cp932::AsciiUpper(storedPath); }
std::string KeyOf(const lzh::Entry& entry) { return Key(entry.Path() + (entry.isDirectory ? "\\" : "")); }

StoredPath StoredFor(const FoundFile& file, bool keepFolders) {
    StoredPath stored = StoredPathFor(file.relativePath, keepFolders || file.IsFolder());
    if (file.IsFolder() && !stored.name.empty()) {
        stored.folders.push_back(stored.name);
        stored.name.clear();
    }
    return stored;
}

std::uint64_t FileSize(const WIN32_FIND_DATAA& data) {
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int FailAfterMembers() {
    char value[32] = {};
    if (GetEnvironmentVariableA("UNLHA32_TEST_FAIL_AFTER", value, sizeof value) == 0) return -1;
    return std::atoi(value);
}

lzh::NewEntry NewEntryFor(const Step& step) {
    lzh::NewEntry e;
    e.folders = step.stored.folders;
    e.name = step.stored.name;
    const WIN32_FIND_DATAA& data = step.file->data;
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
    bool Write(const std::string& temp);
    void Summary();
    void Abandon(const std::string& temp) {
        DeleteFileA(temp.c_str());
        run_.out.Line("nothing was changed: " + c_.archivePath + " is as it was");
    }

    Run& run_;
    const Command& c_;
    OpenArchive archive_;
    bool exists_ = false;
    Plan plan_;
};

bool Updater::PlanDelete() {
    for (const lzh::Entry& entry : archive_.entries) {
        if (Selected(run_, entry)) {
            // Only the folder entry goes; the files below it are entries of their own.
            ++(entry.isDirectory ? plan_.folderChanges : plan_.deleted);
            run_.out.Line("deleted  " + ShownPath(entry));
            continue;
        }
        Step step;
        step.entry = &entry;
        plan_.steps.push_back(step);
    }
    if (plan_.deleted + plan_.folderChanges == 0) {
        const std::string why = "no entry of " + c_.archivePath + " matches the names given";
        run_.out.Line(why);
        run_.Fail(kNoFiles, why);
        return false;
    }
    return true;
}

void Updater::PlanAdd(const ScanResult& scan) {
    const char letter = c_.letter;
    // The files by stored name; the first of two files that would be stored alike wins.
    std::map<std::string, Step> fromDisk;
    std::vector<std::string> order;
    for (const FoundFile& file : scan.files) {
        Step step;
        step.file = &file;
        step.stored = StoredFor(file, c_.switches.keepFolders);
        const std::string shown = JoinStored(step.stored);
        if (step.stored.name.empty() && (!file.IsFolder() || step.stored.folders.empty())) continue;
        if (!fromDisk.emplace(Key(shown), step).second) {
            run_.out.Line("skipped  " + file.relativePath + " (stored as " + shown + " like a file before it)");
            ++plan_.skipped;
            continue;
        }
        order.push_back(Key(shown));
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
                run_.out.Line("skipped  " + JoinStored(candidate.stored) + " (the archive's copy is not older)");
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

bool Updater::Write(const std::string& temp) {
    FileSink sink;
    if (!sink.Create(temp)) {
        const std::string why = "cannot write " + temp + ": " + SystemMessage(GetLastError());
        run_.out.Line(why);
        run_.Fail(kFileFailed, why);
        return false;
    }
    lzh::WriterOptions options;
    options.headerLevel = c_.switches.headerLevel;
    lzh::ArchiveWriter writer(sink, options);
    const lzh::Method method = lzh::FindMethod(c_.switches.methodId);
    const int failAfter = FailAfterMembers();
    int written = 0;
    run_.progress.SetTotal(plan_.bytesToRead);
    auto injectedFailure = [&] {
        if (failAfter < 0 || written != failAfter) return false;
        run_.out.Line("failed   (test failure injected by UNLHA32_TEST_FAIL_AFTER)");
        run_.Fail(kFileFailed, "A test failure was injected.");
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
                const std::string why = "failed   " + ShownPath(*step.entry) + ": " + r.detail;
                run_.out.Line(why);
                run_.Fail(r.status == lzh::WriteStatus::ReadFailed ? kArchiveDamaged : kFileFailed, why);
                return false;
            }
            continue;
        }
        const std::string shown = JoinStored(step.stored);
        if (!run_.progress.Begin(shown)) return false;
        if (step.file->IsFolder()) {
            lzh::WriteResult r = writer.AddDirectory(NewEntryFor(step));
            if (r.status != lzh::WriteStatus::Ok) {
                const std::string why = "failed   " + shown + ": " + r.detail;
                run_.out.Line(why);
                run_.Fail(kFileFailed, why);
                return false;
            }
            run_.out.Line("folder   " + shown + (step.replaces ? " (replaced)" : ""));
            continue;
        }
        const std::unique_ptr<OpenedFile> file = std::move(opened.front());
        opened.pop_front();
        if (!file->opened) {
            const std::string why = "failed   " + shown + ": cannot read " + step.file->diskPath + ": " +
                                    SystemMessage(file->source.LastError());
            run_.out.Line(why);
            run_.Fail(kFileFailed, why);
            return false;
        }
        lzh::WriteResult r = writer.AddQueuedFile(NewEntryFor(step), encoder, &waiting);
        if (run_.progress.Cancelled()) return false;
        if (r.status != lzh::WriteStatus::Ok) {
            const std::string why = "failed   " + shown + ": " + r.detail;
            run_.out.Line(why);
            run_.Fail(kFileFailed, why);
            return false;
        }
        char sizes[96];
        std::snprintf(sizes, sizeof sizes, " (%llu -> %llu bytes, %s)", static_cast<unsigned long long>(r.originalSize),
                      static_cast<unsigned long long>(r.packedSize), r.methodId.c_str());
        run_.out.Line(std::string(step.replaces ? "replaced " : "added    ") + shown + sizes);
    }
    if (injectedFailure()) return false;
    if (writer.Finish().status != lzh::WriteStatus::Ok || !sink.Flush()) {
        const std::string why = "cannot write " + temp;
        run_.out.Line(why);
        run_.Fail(kFileFailed, why);
        return false;
    }
    return true;
}

void Updater::Execute() {
    const DWORD attributes = GetFileAttributesA(c_.archivePath.c_str());
    exists_ = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (exists_) {
        if (!OpenAndRead(run_, c_.archivePath, archive_)) return;
        if (archive_.broken) {
            // Rewriting would drop what follows the broken header: refuse and keep the file.
            const std::string why = c_.archivePath + " is damaged after entry " + std::to_string(archive_.entries.size()) +
                                    " (" + archive_.brokenReason + "); it is left unchanged";
            run_.out.Line(why);
            run_.Fail(kArchiveDamaged, why);
            return;
        }
    } else if (c_.letter == 'f' || c_.letter == 'd') {
        const std::string why = "the archive " + c_.archivePath + " does not exist";
        run_.out.Line(why);
        run_.Fail(kArchiveMissing, why);
        return;
    }

    ScanResult scan;
    if (c_.letter == 'd') {
        if (!PlanDelete()) return;
    } else {
        scan = ScanFiles(c_.baseFolder, c_.fileNames, c_.switches.recurse, c_.switches.allAttributes,
                         c_.switches.keepFolders, c_.archivePath);
        for (const std::string& name : scan.unmatched) run_.out.Line("no file matches " + name);
        if (scan.files.empty()) {
            const std::string why = "no files to add in " + (c_.baseFolder.empty() ? std::string("the current folder") : c_.baseFolder);
            run_.out.Line(why);
            run_.Fail(kNoFiles, why);
            return;
        }
        PlanAdd(scan);
    }
    if (!plan_.Changes()) {
        run_.out.Line("nothing to change: " + c_.archivePath + " is up to date");
        Summary();
        return;
    }

    std::string folder = cp932::FolderPart(c_.archivePath);
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "LZH", 0, temp)) {
        const std::string why = "cannot create a new file beside " + c_.archivePath + ": " + SystemMessage(GetLastError());
        run_.out.Line(why);
        run_.Fail(kFileFailed, why);
        return;
    }
    if (!Write(temp)) {
        if (run_.progress.Cancelled()) {
            run_.out.Line("cancelled");
            run_.Fail(kCancelled, "The update was cancelled; the archive is unchanged.");
        }
        Abandon(temp);
        return;
    }
    archive_.source.Close();
    if (c_.letter == 'd' && plan_.steps.empty()) {
        DeleteFileA(temp);
        if (!DeleteFileA(c_.archivePath.c_str())) {
            const std::string why = "cannot delete the empty archive " + c_.archivePath + ": " + SystemMessage(GetLastError());
            run_.out.Line(why);
            run_.Fail(kFileFailed, why);
            return;
        }
        run_.out.Line("the archive had no entries left and was deleted");
    } else if (!MoveFileExA(temp, c_.archivePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const std::string why = "cannot replace " + c_.archivePath + ": " + SystemMessage(GetLastError());
        run_.out.Line(why);
        run_.Fail(kFileFailed, why);
        Abandon(temp);
        return;
    }
    Summary();
}

void Updater::Summary() {
    run_.out.Line(std::to_string(plan_.added) + " added, " + std::to_string(plan_.replaced) + " replaced, " +
                  std::to_string(plan_.skipped) + " skipped, " + std::to_string(plan_.deleted) + " deleted; " +
                  std::to_string(plan_.FileEntries()) + " entries in " + c_.archivePath);
}

}  // namespace

void RunUpdate(Run& run) { Updater(run).Execute(); }

}  // namespace unlha

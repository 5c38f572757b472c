// e and x: entries to files below the base folder through the shared entry writer, with the
// switches deciding about existing files and result lines telling each outcome.
#include <windows.h>

#include "archiver/archive_walk.h"
#include "archiver/base_folder.h"
#include "archiver/entry_writer.h"
#include "archiver/file_times.h"
#include "text/cp932.h"

namespace unlha {
namespace {

struct Tally {
    std::uint64_t extracted = 0, replaced = 0, skipped = 0, refused = 0, failed = 0;
};

// The library's side of extraction: switches decide about existing files, every outcome is a
// result line in the run's language.
class LibraryPolicy : public EntryPolicy {
public:
    explicit LibraryPolicy(Run& run) : run_(run) {}

    bool MayReplace(const lzh::Entry& entry, const std::string&, const std::wstring& wideTarget) override {
        if (!run_.command.switches.overwrite) {
            Skipped(Say(M::SkippedExists, ShownPath(entry)));
            return false;
        }
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!run_.command.switches.ignoreTimes && GetFileAttributesExW(wideTarget.c_str(), GetFileExInfoStandard, &data) &&
            !EntryIsNewer(ModificationTime(entry), Ticks(data.ftLastWriteTime))) {
            Skipped(Say(M::SkippedFileNotOlder, ShownPath(entry)));
            return false;
        }
        return true;
    }
    void Refused(const lzh::Entry& entry, const EntryProblem& problem) override {
        ++tally_.refused;
        run_.Failure(kPathRefused, Say(M::LineRefused, ShownPath(entry), Reason(entry, problem)));
    }
    void Failed(const lzh::Entry& entry, const EntryProblem& problem) override {
        ++tally_.failed;
        const bool archiveAtFault =
            problem.kind == EntryProblemKind::MethodUnsupported || problem.kind == EntryProblemKind::DataDamaged;
        run_.Failure(archiveAtFault ? kArchiveDamaged : kFileFailed,
                     Say(M::LineFailed, ShownPath(entry), Reason(entry, problem)));
    }
    void FolderMade(const lzh::Entry& entry) override { run_.out.Line(Say(M::LineFolder, ShownPath(entry))); }
    void Written(const lzh::Entry& entry, bool replaced) override {
        ++(replaced ? tally_.replaced : tally_.extracted);
        run_.out.Line(Say(replaced ? M::LineReplaced : M::LineExtracted, ShownPath(entry)));
    }
    TransferObserver* Transfers() override { return &run_.progress; }
    bool Cancelled() const override { return run_.progress.Cancelled(); }

    const Tally& Counts() const { return tally_; }

private:
    void Skipped(const std::string& line) {
        ++tally_.skipped;
        run_.out.Line(line);
    }
    static std::string Reason(const lzh::Entry& entry, const EntryProblem& problem) {
        switch (problem.kind) {
        case EntryProblemKind::SymbolicLink: return Say(M::SymbolicLink);
        case EntryProblemKind::PathRefused: return RefusalReason(problem.refusal);
        case EntryProblemKind::TooLongForDestination: return Say(M::TooLongForDestination);
        case EntryProblemKind::ExistingIsLink: return Say(M::ExistingIsLink, problem.target);
        case EntryProblemKind::FolderOfThatName: return Say(M::FolderOfThatName);
        case EntryProblemKind::MethodUnsupported: return Say(M::MethodUnsupported, PrintableName(entry.methodId));
        case EntryProblemKind::FolderNotMade:
            return problem.stop.error ? Say(M::CannotCreateFolder, problem.stop.path, SystemMessage(problem.stop.error))
                                      : Say(M::FileOrLinkNotFolder, problem.stop.path);
        case EntryProblemKind::CannotWrite: return WriteProblem(problem.target, problem.error);
        case EntryProblemKind::DataDamaged: return DataProblem(problem.result);
        }
        return std::string();
    }

    Run& run_;
    Tally tally_;
};

}  // namespace

void RunExtract(Run& run) {
    OpenArchive archive;
    if (!OpenAndRead(run, run.command.archivePath, archive)) return;
    const Command& c = run.command;
    const std::string base = cp932::WithFolderSeparator(c.baseFolder);
    std::string why;
    if (!MakeBaseFolder(base, why)) {
        run.Failure(kFileFailed, why);
        return;
    }
    LibraryPolicy policy(run);
    EntryOptions options;
    options.keepFolders = c.letter == 'x' || c.switches.keepFolders;
    options.restoreAttributes = c.switches.allAttributes;
    EntryWriter writer(*archive.reader, base, options, policy);
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
        writer.Write(entry);
        if (run.progress.Cancelled()) break;
        ++finished;
    }
    writer.StampFolders();
    if (run.progress.Cancelled()) {
        run.Failure(kCancelled, Say(M::ExtractCancelled, selected - finished));
    }
    if (archive.broken) {
        run.Failure(kArchiveDamaged, Say(M::DamagedAfter, archive.entries.size(), archive.brokenReason));
    }
    const Tally& t = policy.Counts();
    run.Summary(Say(M::ExtractSummary, t.extracted, t.replaced, t.skipped, t.refused, t.failed, FullFolder(base)));
}

}  // namespace unlha

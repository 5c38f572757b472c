// l and v list the entries, t tests every selected entry's data against its CRC.
#include "archiver/archive_walk.h"
#include "archiver/entry_check.h"
#include "archiver/file_times.h"
#include "archiver/listing.h"

namespace unlha {
namespace {

void ReportBrokenTail(Run& run, const OpenArchive& archive) {
    if (!archive.broken) return;
    run.Failure(kArchiveDamaged, Say(M::DamagedAfter, archive.entries.size(), archive.brokenReason));
}

}  // namespace

void RunList(Run& run) {
    const bool verbose = run.command.letter == 'v';
    OpenArchive archive;
    if (!OpenAndRead(run, run.command.archivePath, archive)) return;
    run.out.Line(Say(M::ListingOf, run.command.archivePath));
    run.out.Line(ListHeader(verbose));
    run.out.Line(ListRule(verbose));
    std::uint64_t count = 0, original = 0, packed = 0;
    for (const lzh::Entry& entry : archive.entries) {
        if (!Selected(run, entry)) continue;
        run.out.Line(ListLine(entry, LocalStampOf(entry), verbose));
        if (verbose && !entry.comment.empty()) run.out.Line(ListCommentLine(entry));
        // Summaries count files; a folder entry is seen on its line ("sub\\", -lhd-).
        if (entry.isDirectory) continue;
        ++count;
        original += entry.originalSize;
        packed += entry.packedSize;
    }
    run.out.Line(ListRule(verbose));
    run.Summary(ListSummary(count, original, packed));
    ReportBrokenTail(run, archive);
}

void RunTest(Run& run) {
    OpenArchive archive;
    if (!OpenAndRead(run, run.command.archivePath, archive)) return;
    const CheckCounts counts = CheckEntries(run, archive, false, true);
    if (run.progress.Cancelled()) {
        run.Failure(kCancelled, Say(M::TestCancelled, counts.selected - counts.reached));
    }
    ReportBrokenTail(run, archive);
    run.Summary(Say(M::TestSummary, counts.tested, counts.tested - counts.damaged, counts.damaged));
}

}  // namespace unlha

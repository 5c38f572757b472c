// l and v list the entries, t tests every selected entry's data against its CRC.
#include "archiver/archive_walk.h"
#include "archiver/file_times.h"
#include "archiver/listing.h"

namespace unlha {
namespace {

void ReportBrokenTail(Run& run, const OpenArchive& archive) {
    if (!archive.broken) return;
    const std::string why = Say(M::DamagedAfter, archive.entries.size(), archive.brokenReason);
    run.out.Line(why);
    run.Fail(kArchiveDamaged, why);
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
    std::uint64_t total = 0;
    for (const lzh::Entry& entry : archive.entries)
        if (Selected(run, entry)) total += entry.originalSize;
    run.progress.SetTotal(total);
    std::uint64_t tested = 0, failed = 0, selected = 0, reached = 0;
    for (const lzh::Entry& entry : archive.entries) selected += Selected(run, entry) ? 1 : 0;
    for (const lzh::Entry& entry : archive.entries) {
        if (!Selected(run, entry)) continue;
        if (!run.progress.Begin(ShownPath(entry))) break;
        ++reached;
        if (entry.isDirectory) {
            run.out.Line(Say(M::LineFolder, ShownPath(entry)));   // no data to test, and no file to count
            continue;
        }
        CountingSink sink(&run.progress);
        lzh::ExtractResult r = archive.reader->Extract(entry, sink);
        if (run.progress.Cancelled()) {
            --reached;
            break;
        }
        ++tested;
        if (r.status == lzh::ExtractStatus::Ok) {
            run.out.Line(Say(M::LineOk, ShownPath(entry)));
        } else {
            ++failed;
            const std::string why = Say(M::LineDamaged, ShownPath(entry), DataProblem(r));
            run.out.Line(why);
            run.Fail(kArchiveDamaged, why);
        }
    }
    if (run.progress.Cancelled()) {
        const std::string line = Say(M::TestCancelled, selected - reached);
        run.out.Line(line);
        run.Fail(kCancelled, line);
    }
    ReportBrokenTail(run, archive);
    run.Summary(Say(M::TestSummary, tested, tested - failed, failed));
}

}  // namespace unlha

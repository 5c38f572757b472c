// Decoding entries against their CRCs.
#include "archiver/entry_check.h"

namespace unlha {

CheckCounts CheckEntries(Run& run, OpenArchive& archive, bool everyEntry, bool nameEach) {
    auto chosen = [&](const lzh::Entry& entry) { return everyEntry || Selected(run, entry); };
    std::uint64_t total = 0;
    for (const lzh::Entry& entry : archive.entries)
        if (chosen(entry)) total += entry.originalSize;
    run.progress.SetTotal(total);
    CheckCounts counts;
    for (const lzh::Entry& entry : archive.entries) counts.selected += chosen(entry) ? 1 : 0;
    for (const lzh::Entry& entry : archive.entries) {
        if (!chosen(entry)) continue;
        if (!run.progress.Begin(ShownPath(entry))) break;
        ++counts.reached;
        if (entry.isDirectory) {
            // No data to test, and no file to count.
            if (nameEach) run.out.Line(Say(M::LineFolder, ShownPath(entry)));
            continue;
        }
        CountingSink sink(&run.progress);
        lzh::ExtractResult r = archive.reader->Extract(entry, sink);
        if (run.progress.Cancelled()) {
            --counts.reached;
            break;
        }
        ++counts.tested;
        if (r.status == lzh::ExtractStatus::Ok) {
            if (nameEach) run.out.Line(Say(M::LineOk, ShownPath(entry)));
        } else {
            ++counts.damaged;
            run.Failure(kArchiveDamaged, Say(M::LineDamaged, ShownPath(entry), DataProblem(r)));
        }
    }
    return counts;
}

}  // namespace unlha

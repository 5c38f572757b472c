// Decoding entries against their CRCs, writing nothing: the t command, and s, which makes a
// program only from an archive that tests clean.
#pragma once

#include <cstdint>

#include "archiver/archive_walk.h"

namespace unlha {

struct CheckCounts {
    std::uint64_t tested = 0, damaged = 0;
    std::uint64_t selected = 0, reached = 0;   // entries chosen, and those begun before a cancel
};

// Decodes the entries that the file names select (every entry when `everyEntry`), with the
// progress window, and names each damaged one on a line "damaged  <path>: <reason>" (in the run's language), recorded as
// a failure of code 3. With `nameEach` good entries get an "OK" line and folder entries a
// "folder" line too. Stops at a cancel, which the caller reports.
CheckCounts CheckEntries(Run& run, OpenArchive& archive, bool everyEntry, bool nameEach);

}  // namespace unlha

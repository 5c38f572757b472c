// Extracting the attached archive into a destination folder under the library's safety rules:
// nothing outside the destination, no links followed or made, no half files, existing files
// replaced only when the user says so.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sfx/attached_archive.h"

namespace sfx {

enum class OverwriteAnswer { Yes, No, YesToAll, Cancel };

// What the extraction asks of its caller: the window, or nothing at all in unattended use.
class ExtractionHooks {
public:
    virtual ~ExtractionHooks() = default;
    // A new entry begins (`name` printable); false cancels the extraction.
    virtual bool Begin(const std::string& name, std::uint64_t doneBytes, std::uint64_t totalBytes) = 0;
    // `bytes` more were written; false cancels.
    virtual bool Advance(std::uint64_t bytes) = 0;
    // `path` exists already and replacing was not asked for.
    virtual OverwriteAnswer AskOverwrite(const std::string& path) = 0;
};

struct ExtractionSummary {
    std::uint64_t extracted = 0, replaced = 0, skipped = 0, refused = 0, failed = 0;
    bool cancelled = false;
    bool destinationFailed = false;          // the destination could not be made: nothing was tried
    bool damagedArchive = false;             // a header after the listed entries is broken
    std::vector<std::string> problems;       // one line per refused or failed entry (Japanese)
    bool Succeeded() const { return refused == 0 && failed == 0 && !cancelled && !destinationFailed && !damagedArchive; }
};

// Extracts every entry of `archive` below `destination` (created when missing).
ExtractionSummary ExtractAll(AttachedArchive& archive, const std::string& destination, bool replaceExisting,
                             ExtractionHooks& hooks);

}  // namespace sfx

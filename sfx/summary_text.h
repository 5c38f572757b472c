// The words the self-extracting program shows: sizes, the contents line and the summary at the
// end of an extraction.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "sfx/extractor.h"

namespace sfx {

// 1234567 -> "1,234,567".
std::string GroupedNumber(std::uint64_t value);

// "3 個のファイル、2 個のフォルダ、合計 1,234 バイト"
std::string ContentsLine(const std::deque<lzh::Entry>& entries);

// What happened, counts first, then the problems (at most `maxProblems` lines and how many more).
std::string SummaryText(const ExtractionSummary& summary, std::size_t maxProblems = 15);

// The exit code for a finished unattended or windowed extraction.
int ExitCodeOf(const ExtractionSummary& summary);

}  // namespace sfx

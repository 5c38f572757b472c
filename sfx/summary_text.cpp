// Texts for the self-extracting program's window and message boxes.
#include "sfx/summary_text.h"

#include "sfx/exit_codes.h"

namespace sfx {

std::string GroupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, ",");
    return digits;
}

std::string ContentsLine(const std::deque<lzh::Entry>& entries) {
    std::uint64_t files = 0, folders = 0, bytes = 0;
    for (const lzh::Entry& entry : entries) {
        if (entry.isDirectory) {
            ++folders;
        } else {
            ++files;
            bytes += entry.originalSize;
        }
    }
    std::string line = GroupedNumber(files) + " 個のファイル";
    if (folders) line += "、" + GroupedNumber(folders) + " 個のフォルダ";
    return line + "、合計 " + GroupedNumber(bytes) + " バイト";
}

std::string SummaryText(const ExtractionSummary& summary, std::size_t maxProblems) {
    std::string text;
    if (summary.destinationFailed)
        text = "展開先フォルダを作れませんでした。";
    else if (summary.cancelled)
        text = "展開を中止しました。";
    else if (summary.Succeeded())
        text = "展開しました。";
    else
        text = "展開できなかったものがあります。";
    if (!summary.destinationFailed) {
        text += "\n\n展開 " + GroupedNumber(summary.extracted) + "、上書き " + GroupedNumber(summary.replaced) +
                "、スキップ " + GroupedNumber(summary.skipped) + "、拒否 " + GroupedNumber(summary.refused) +
                "、失敗 " + GroupedNumber(summary.failed);
    }
    if (!summary.problems.empty()) text += "\n";
    for (std::size_t i = 0; i < summary.problems.size() && i < maxProblems; ++i) text += "\n" + summary.problems[i];
    if (summary.problems.size() > maxProblems)
        text += "\nほか " + GroupedNumber(summary.problems.size() - maxProblems) + " 件";
    return text;
}

int ExitCodeOf(const ExtractionSummary& summary) {
    if (summary.destinationFailed) return kExitDestination;
    if (summary.cancelled) return kExitCancelled;
    return summary.Succeeded() ? kExitOk : kExitEntryProblems;
}

}  // namespace sfx

// Collecting and delivering a run's text.
#include "archiver/output_text.h"

#include <algorithm>
#include <cstring>

#include "archiver/messages.h"

namespace unlha {
namespace {

constexpr std::size_t kBlock = 32 * 1024;

}  // namespace

void OutputText::Line(std::string_view text) {
    auto append = [this](std::string_view part) {
        while (!part.empty()) {
            if (blocks_.empty() || blocks_.back().size() == kBlock) {
                blocks_.emplace_back();
                blocks_.back().reserve(kBlock);
            }
            std::string& block = blocks_.back();
            const std::size_t n = std::min(part.size(), kBlock - block.size());
            block.append(part.substr(0, n));
            part.remove_prefix(n);
            size_ += n;
        }
    };
    append(text);
    append("\n");
}

std::string CutLine(std::size_t linesLeftOut) {
    return Say(M::OutputCut, linesLeftOut) + "\n";
}

void OutputText::CopyTo(char* buffer, std::size_t size) const {
    if (size == 0) return;
    // The text up to `limit` bytes, straight into the buffer.
    auto copyUpTo = [&](std::size_t limit) {
        std::size_t done = 0;
        for (const std::string& block : blocks_) {
            const std::size_t n = std::min(block.size(), limit - done);
            std::memcpy(buffer + done, block.data(), n);
            done += n;
            if (done == limit) break;
        }
    };
    if (size_ < size) {
        copyUpTo(size_);
        buffer[size_] = '\0';
        return;
    }
    std::size_t totalLines = 0;
    for (const std::string& block : blocks_) totalLines += static_cast<std::size_t>(std::count(block.begin(), block.end(), '\n'));
    // Keep whole lines while the rest still leaves room for the cut line and the terminator. The
    // cut line's length depends on its number, so the widest number is reserved.
    const std::size_t reserve = CutLine(totalLines).size() + 1;
    std::size_t keep = 0, kept = 0;
    if (size > reserve) {
        const std::size_t limit = size - reserve;
        copyUpTo(limit);
        const std::string_view copied(buffer, limit);
        const std::size_t lastEnd = copied.rfind('\n');
        if (lastEnd != std::string_view::npos) {
            keep = lastEnd + 1;
            kept = static_cast<std::size_t>(std::count(buffer, buffer + keep, '\n'));
        }
    }
    std::string tail = CutLine(totalLines - kept);
    if (keep + tail.size() + 1 > size) {
        // A buffer too small for even the cut line gets as much of it as fits.
        tail.resize(size - 1 - keep);
    }
    std::memcpy(buffer + keep, tail.data(), tail.size());
    buffer[keep + tail.size()] = '\0';
}

}  // namespace unlha

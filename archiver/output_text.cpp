// Collecting and delivering a run's text.
#include "archiver/output_text.h"

#include <algorithm>
#include <cstring>

#include "archiver/messages.h"

namespace unlha {

void OutputText::Line(std::string_view text) {
    text_.append(text);
    text_ += '\n';
}

std::string CutLine(std::size_t linesLeftOut) {
    return Say(M::OutputCut, linesLeftOut) + "\n";
}

void OutputText::CopyTo(char* buffer, std::size_t size) const {
    if (size == 0) return;
    if (text_.size() < size) {
        std::memcpy(buffer, text_.data(), text_.size());
        buffer[text_.size()] = '\0';
        return;
    }
    const std::size_t totalLines = static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n'));
    // Keep whole lines while the rest still leaves room for the cut line and the terminator. The
    // cut line's length depends on its number, so the widest number is reserved.
    const std::size_t reserve = CutLine(totalLines).size() + 1;
    std::size_t keep = 0, kept = 0;
    if (size > reserve) {
        for (std::size_t pos = 0; pos < text_.size();) {
            std::size_t end = text_.find('\n', pos);
            if (end == std::string::npos || end + 1 > size - reserve) break;
            keep = end + 1;
            ++kept;
            pos = end + 1;
        }
    }
    std::string tail = CutLine(totalLines - kept);
    if (keep + tail.size() + 1 > size) {
        // A buffer too small for even the cut line gets as much of it as fits.
        tail.resize(size - 1 - keep);
    }
    std::memcpy(buffer, text_.data(), keep);
    std::memcpy(buffer + keep, tail.data(), tail.size());
    buffer[keep + tail.size()] = '\0';
}

}  // namespace unlha

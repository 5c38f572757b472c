// The text a run returns: lines with bare LF ends, copied into the caller's buffer so that it
// always fits with its terminator, ending with a line that says so when it was cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace unlha {

class OutputText {
public:
    void Line(std::string_view text);

    // Copies the text into `buffer` of `size` bytes (size > 0), zero-terminated. When it does not
    // fit, whole lines are kept and the last line says how much was left out.
    void CopyTo(char* buffer, std::size_t size) const;

private:
    // Blocks of a fixed size rather than one string: a listing of many members would be copied
    // each time it outgrew its string, into fresh memory (costly under Wine, which takes large
    // blocks from the system anew each time).
    std::vector<std::string> blocks_;
    std::size_t size_ = 0;
};

// The line that ends a cut text.
std::string CutLine(std::size_t linesLeftOut);

}  // namespace unlha

// The output always fits the caller's buffer; a cut text says so in its last line.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "archiver/output_text.h"

namespace unlha {
namespace {

TEST(OutputText, CutKeepsWholeLinesAndEndsWithTheCutLine) {
    OutputText out;
    for (int i = 0; i < 10000; ++i) out.Line("line number " + std::to_string(i));
    for (std::size_t size : {std::size_t(65535), std::size_t(100), std::size_t(8), std::size_t(1)}) {
        std::vector<char> buffer(size + 16, 'x');
        out.CopyTo(buffer.data(), size);
        const std::size_t length = std::strlen(buffer.data());
        ASSERT_LT(length, size);
        EXPECT_EQ(buffer[size], 'x') << "wrote past the buffer";
        std::string text(buffer.data());
        if (size >= 100) {
            const std::size_t cut = text.find("(output cut: ");
            ASSERT_NE(cut, std::string::npos);
            EXPECT_EQ(text.rfind("(output cut: "), cut);
            EXPECT_EQ(text.back(), '\n');
            const std::size_t kept = static_cast<std::size_t>(std::count(text.begin(), text.begin() + cut, '\n'));
            EXPECT_NE(text.find(" " + std::to_string(10000 - kept) + " more lines"), std::string::npos) << text.substr(cut);
        }
    }
}

TEST(OutputText, ExactFitNeedsRoomForTheTerminator) {
    OutputText out;
    out.Line("ab");
    out.Line("c");   // 5 bytes in all
    std::vector<char> buffer(6);
    out.CopyTo(buffer.data(), 6);
    EXPECT_STREQ(buffer.data(), "ab\nc\n");
    out.CopyTo(buffer.data(), 5);
    EXPECT_EQ(std::string(buffer.data()).find("ab\nc"), std::string::npos);
}

}  // namespace
}  // namespace unlha

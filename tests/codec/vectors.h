// Where the interoperability vectors are (../shared/lzh-vectors), and the one clear line a test
// fails with when they are not there.
#pragma once

#include <filesystem>
#include <string>

namespace lzh_test {

inline const std::filesystem::path kVectors = ZAVO_LZH_VECTORS;

// Empty when the vectors are present.
inline std::string VectorsMissing() {
    if (std::filesystem::is_regular_file(kVectors / "first-file-crc32.tsv") &&
        std::filesystem::is_directory(kVectors / "archives") && std::filesystem::is_directory(kVectors / "expected"))
        return {};
    return "the LZH test vectors are missing: " + kVectors.string() + " must hold first-file-crc32.tsv, archives/ and expected/";
}

}  // namespace lzh_test

#define ASSERT_VECTORS_PRESENT()                                              \
    do {                                                                      \
        const std::string missing_ = lzh_test::VectorsMissing();               \
        if (!missing_.empty()) GTEST_FAIL() << missing_;                      \
    } while (0)

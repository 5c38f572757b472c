// The compression methods of LZH members: one descriptor per method id, in one table.
#pragma once

#include <string_view>

namespace lzh {

enum class MethodKind {
    Stored,       // -lh0-, -lz4-, -pm0-
    Directory,    // -lhd-
    Lh1,          // adaptive Huffman, 4 KiB window
    Lh2,          // dynamic Huffman, 8 KiB window
    Lh3,          // static Huffman, 8 KiB window
    LhNew,        // -lh4- .. -lh7- (and -lhx-): static Huffman blocks
    Lzs,          // LArc, 2 KiB window
    Lz5,          // LArc, 4 KiB window with a pre-filled ring
    Pm1,          // PMarc
    Pm2,          // PMarc
    Unknown,
};

struct Method {
    std::string_view id;    // "-lh5-"
    MethodKind kind;
    int dictionaryBits;     // log2 of the window; 0 for stored and directory
    int positionCodes;      // NP of the block format (LhNew only)
    int positionBits;       // PBIT of the block format (LhNew only)
    bool writable;          // our writer can produce it
};

// The descriptor for a 5-byte method id; kind Unknown (with the id kept) when we have none.
Method FindMethod(std::string_view id);

}  // namespace lzh

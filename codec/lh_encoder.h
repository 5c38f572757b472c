// Writes one block of the -lh4-..-lh7- format: command count, the three trees, then the commands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/bit_writer.h"
#include "codec/block_format.h"

namespace lzh {

// One literal or match: `code` < 256 is a literal byte, else a match of length code - 253.
struct Command {
    std::uint16_t code;
    std::uint16_t distanceMinus1;
};

inline Command LiteralCommand(std::uint8_t byte) { return {byte, 0}; }
inline Command MatchCommand(int length, std::uint32_t distance) {
    return {static_cast<std::uint16_t>(256 + length - kMinMatch), static_cast<std::uint16_t>(distance - 1)};
}

// Position code of a distance-1: 0 and 1 stand for themselves, else the bit length of the value,
// which is followed by that many bits minus one.
// Computed without a branch: literals pass 0 here as often as matches pass anything else.
inline int PositionCode(std::uint32_t distanceMinus1) {
    return 32 - __builtin_clz(distanceMinus1 | 1) - (distanceMinus1 == 0);
}

// Symbol counts of a run of commands: what a block's trees are built from.
struct BlockStats {
    std::uint32_t literalLength[kLiteralLengthCodes] = {};
    std::uint32_t position[kMaxEncoderPositionCodes] = {};
    std::size_t commands = 0;

    void Add(const Command& c) {
        literalLength[c.code]++;
        if (c.code >= 256) position[PositionCode(c.distanceMinus1)]++;
        ++commands;
    }
    void Merge(const BlockStats& other);
};

// Exact size in bits of a block with these counts, trees included.
std::uint64_t BlockBits(const BlockStats& stats, int positionCodes, int positionBits);

// Appends one block with its own trees. `count` must be 1..kMaxBlockCommands and `stats` must count
// exactly these commands: the room made in `out` is the size they give. Also hands back the code
// lengths used, so parsing can price the next data.
void WriteBlock(const Command* commands, std::size_t count, const BlockStats& stats, int positionCodes,
                int positionBits, BitWriter& out, std::uint8_t* literalLengthBits = nullptr,
                std::uint8_t* positionBitsOut = nullptr);

}  // namespace lzh

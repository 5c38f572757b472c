// Chooses literals and matches for a stretch of input by the cheapest path under Huffman prices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec/lh_encoder.h"
#include "codec/match_finder.h"
#include "codec/uninitialized_vector.h"

namespace lzh {

// Bit prices of each symbol, taken from the code lengths of recent data.
struct Prices {
    std::uint32_t literalLength[kLiteralLengthCodes];
    std::uint32_t position[kMaxEncoderPositionCodes];   // code length plus the raw bits after it

    // Rough prices for the start of a stream, before any statistics exist.
    void SetInitial();
    // Prices from counts: the code lengths a block with these counts would get.
    void SetFromStats(const BlockStats& stats, int positionCodes);
};

struct ParserTuning {
    MatchFinderTuning finder;
    int skipLength;         // after a match this long, positions inside it are not searched...
    int searchBeforeEnd;    // ...except the next one and this many just before its end
    int lengthsPerMatch;    // shorter lengths of a match tried besides its full length (0..3)
    int passes;             // parses per stretch; each one after the first is priced by the one before
};

class Parser {
public:
    Parser(int dictionaryBits, const ParserTuning& tuning);

    // Starts over: the next Parse knows nothing of earlier data. Scratch memory is kept.
    void Reset() { finder_.Reset(); }
    int DictionaryBits() const { return dictionaryBits_; }

    // Links buf[0, begin) into the chains as history, without searching; `dataEnd` as for Parse.
    void Prime(const std::uint8_t* buf, std::size_t begin, std::size_t dataEnd);

    // Parses buf[begin, end) into commands written from `out` on, which must have room for
    // end - begin of them, and adds their counts to `stats`; returns how many it wrote. `dataEnd`
    // bounds the bytes that hashing may read: at least end + 3 unless the input ends at `dataEnd`.
    // `prices` comes in with the prices to start from and leaves with those of this stretch.
    std::size_t Parse(const std::uint8_t* buf, std::size_t begin, std::size_t end,
                      std::size_t dataEnd, Prices& prices, Command* out, BlockStats& stats, int passes = 1);

private:
    void CollectMatches(const std::uint8_t* buf, std::size_t begin, std::size_t end,
                        std::size_t dataEnd);
    // Matches at `i` appended to matches_ from `used` on, which moves past them.
    int Search(const std::uint8_t* buf, std::size_t i, std::size_t end, std::size_t& used);
    void CheapestPath(const std::uint8_t* buf, std::size_t begin, std::size_t end, const Prices& prices);
    // Writes the commands of the cheapest path from `out` on and returns their count.
    std::size_t EmitPath(const std::uint8_t* buf, std::size_t begin, std::size_t end, Command* out, BlockStats& stats);

    MatchFinder finder_;
    ParserTuning tuning_;
    int dictionaryBits_;
    std::vector<std::uint8_t> distancePrice_;
    // Scratch of a stretch, written before it is read: left uncleared, so that the pages of room
    // that a stretch does not reach are never touched (a page fault costs microseconds in a VM).
    UninitializedVector<Match> matches_;            // all matches of the stretch, position by position
    std::size_t matchRoom_ = 0;                     // matches_ has room for one more position's up to here
    UninitializedVector<std::uint32_t> firstMatch_; // index into matches_ per position, plus one past the end
    UninitializedVector<std::uint64_t> steps_;      // per position: cost:32 length:16 distance:16 of the cheapest step
};

}  // namespace lzh

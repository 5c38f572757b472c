// Near-optimal parsing: gather matches once, then pick the cheapest path backwards under Huffman prices.
#include "codec/lz_parser.h"

#include <algorithm>

#include "codec/huffman_encoder.h"

namespace lzh {

namespace {

constexpr std::size_t kMissesBeforeStride = 32;

inline std::uint32_t ExtraBits(int positionCode) { return positionCode > 1 ? positionCode - 1 : 0; }

struct PathInput {
    const std::uint8_t* data;
    std::size_t n;
    const std::uint32_t* firstMatch;
    const Match* matches;
    const Prices* prices;
    const std::uint8_t* distancePrice;   // position price by distance - 1
};

// The backward pass of the cheapest path; kLengths, the lengths tried per match, is fixed at compile
// time so that the innermost loop unrolls and its branches vanish. Each position's cheapest step is
// kept packed as cost:32 length:16 distance:16 (length 1 for a literal), so that one integer
// minimum (free of branches) picks the cheapest, and among equals the shortest length; one store
// keeps both the cost that later positions read and the step that EmitPath follows.
template <std::uint32_t kLengths>
void CheapestSteps(const PathInput& in, std::uint64_t* steps) {
    const std::uint32_t* literalPrice = in.prices->literalLength;
    const std::uint32_t* lengthPrice = in.prices->literalLength + 256 - kMinMatch;
    steps[in.n] = 0;
    std::uint32_t nextCost = 0;                // cost of k + 1, kept out of memory
    std::uint32_t mEnd = in.firstMatch[in.n];  // the matches at k end where those at k + 1 begin
    for (std::size_t k = in.n; k-- > 0;) {
        const std::uint32_t mBegin = in.firstMatch[k];
        std::uint64_t best = std::uint64_t(nextCost + literalPrice[in.data[k]]) << 32 | (1u << 16);
        // Every match tries its full length and the kLengths - 1 below it. A length that a nearer
        // match also reaches is merely weighed once more at this distance.
        for (std::uint32_t m = mBegin; m < mEnd; ++m) {
            const Match match = in.matches[m];
            const std::uint32_t price = in.distancePrice[match.distance - 1u];
            for (std::uint32_t shorter = 0; shorter < kLengths; ++shorter) {
                // A match is never shorter than kMinMatch: only the shorter lengths need the floor.
                const std::uint32_t length =
                    shorter == 0 ? match.length : std::max<std::uint32_t>(match.length - shorter, kMinMatch);
                std::uint64_t c = std::uint64_t(lengthPrice[length] + price + static_cast<std::uint32_t>(steps[k + length] >> 32)) << 32 |
                                  length << 16 | match.distance;
                best = std::min(best, c);
            }
        }
        steps[k] = best;
        nextCost = static_cast<std::uint32_t>(best >> 32);
        mEnd = mBegin;
    }
}

}  // namespace

void Prices::SetInitial() {
    for (int s = 0; s < 256; ++s) literalLength[s] = 9;
    for (int s = 256; s < kLiteralLengthCodes; ++s) {
        int length = s - 256 + kMinMatch;
        literalLength[s] = length < 8 ? 6 + (length - 3) / 2 : 10 + std::min(length / 32, 4);
    }
    for (int p = 0; p < kMaxEncoderPositionCodes; ++p) position[p] = 4 + ExtraBits(p);
}

void Prices::SetFromStats(const BlockStats& stats, int positionCodes) {
    std::uint8_t lengths[kLiteralLengthCodes];
    int used = BuildCodeLengths(stats.literalLength, kLiteralLengthCodes, kMaxCodeLength, lengths);
    // Unused symbols are priced a little above the rarest used one: they may well appear next.
    std::uint32_t longest = 1;
    for (int s = 0; s < kLiteralLengthCodes; ++s) longest = std::max<std::uint32_t>(longest, lengths[s]);
    std::uint32_t unusedPrice = std::min<std::uint32_t>(longest + 2, kMaxCodeLength);
    for (int s = 0; s < kLiteralLengthCodes; ++s)
        literalLength[s] = used < 2 ? (stats.literalLength[s] ? 1 : 12) : (lengths[s] ? lengths[s] : unusedPrice);

    std::uint8_t plen[kMaxEncoderPositionCodes] = {};
    used = BuildCodeLengths(stats.position, positionCodes, kMaxCodeLength, plen);
    longest = 1;
    for (int p = 0; p < positionCodes; ++p) longest = std::max<std::uint32_t>(longest, plen[p]);
    unusedPrice = longest + 2;
    for (int p = 0; p < kMaxEncoderPositionCodes; ++p) {
        std::uint32_t code = used < 2 ? (stats.position[p] ? 1 : 6) : (plen[p] ? plen[p] : unusedPrice);
        position[p] = code + ExtraBits(p);
    }
}

Parser::Parser(int dictionaryBits, const ParserTuning& tuning)
    : finder_(dictionaryBits, tuning.finder), tuning_(tuning), dictionaryBits_(dictionaryBits) {}

inline int Parser::Search(const std::uint8_t* buf, std::size_t i, std::size_t end, std::size_t& used) {
    // A position adds at most 256 matches (they grow in length).
    if (used > matchRoom_) {
        matches_.resize(matches_.size() * 2);
        matchRoom_ = matches_.size() - 256;
    }
    int found = finder_.FindAndInsert(buf, i, end, matches_.data() + used);
    used += static_cast<std::size_t>(found);
    return found;
}

void Parser::CollectMatches(const std::uint8_t* buf, std::size_t begin, std::size_t end,
                            std::size_t dataEnd) {
    const std::size_t n = end - begin;
    // Scratch only grows: shrinking would clear it afresh whenever a stretch needs more again.
    if (firstMatch_.size() < n + 1) firstMatch_.resize(n + 1);
    if (matches_.size() < n * 4 + 256) matches_.resize(n * 4 + 256);
    matchRoom_ = matches_.size() - 256;
    std::uint32_t* const first = firstMatch_.data();   // by position - begin
    // Searching hashes 4 bytes: the last 3 positions of the input only ever make literals.
    const std::size_t searchEnd = std::min(end, dataEnd > 3 ? dataEnd - 3 : 0);
    std::size_t used = 0;
    std::size_t misses = 0;   // positions in a row without any match
    std::size_t i = begin;
    while (i < searchEnd) {
        first[i - begin] = static_cast<std::uint32_t>(used);
        // Data that has shown no match for a while (packed or random) is searched only at every
        // second position, and every fourth after longer: its bytes still enter the chains.
        if (misses >= kMissesBeforeStride && (i & (misses >= 4 * kMissesBeforeStride ? 3 : 1)) != 0) {
            finder_.Insert(buf, i++);
            continue;
        }
        int found = Search(buf, i, end, used);
        ++i;
        misses = found ? 0 : misses + 1;
        // Inside a long match other choices rarely pay: only keep the chains up to date. Still search
        // the next position, where a match starting one byte later often reaches much farther, and
        // the last ones, where a longer overlapping match may take over.
        if (found && matches_[used - 1].length >= tuning_.skipLength) {
            std::size_t skipEnd = i - 1 + matches_[used - 1].length - tuning_.searchBeforeEnd;
            if (i < searchEnd) {
                first[i - begin] = static_cast<std::uint32_t>(used);
                // A match there that reaches farther moves the end of the skipped stretch with it.
                if (Search(buf, i, end, used))
                    skipEnd = std::max(skipEnd, i + matches_[used - 1].length - tuning_.searchBeforeEnd);
                ++i;
            }
            for (const std::size_t stop = std::min(skipEnd, searchEnd); i < stop; ++i) {
                first[i - begin] = static_cast<std::uint32_t>(used);
                finder_.Insert(buf, i);
            }
        }
    }
    for (; i <= end; ++i) first[i - begin] = static_cast<std::uint32_t>(used);
}

void Parser::Prime(const std::uint8_t* buf, std::size_t begin, std::size_t dataEnd) {
    const std::size_t stop = std::min(begin, dataEnd > 3 ? dataEnd - 3 : 0);
    for (std::size_t i = 0; i < stop; ++i) finder_.Insert(buf, i);
}

void Parser::CheapestPath(const std::uint8_t* buf, std::size_t begin, std::size_t end, const Prices& prices) {
    const std::size_t n = end - begin;
    if (steps_.size() < n + 1) steps_.resize(n + 1);
    // Prices by distance, spread from the position codes: a load per match instead of a bit count.
    distancePrice_.resize(std::size_t{1} << dictionaryBits_);
    for (std::size_t d = 0; d < distancePrice_.size();) {
        const int code = PositionCode(static_cast<std::uint32_t>(d));
        const std::size_t codeEnd = std::min(distancePrice_.size(), code < 1 ? d + 1 : std::size_t{1} << code);
        std::fill(distancePrice_.begin() + d, distancePrice_.begin() + codeEnd,
                  static_cast<std::uint8_t>(prices.position[code]));
        d = codeEnd;
    }
    const PathInput in{buf + begin, n, firstMatch_.data(), matches_.data(), &prices, distancePrice_.data()};
    switch (std::clamp(tuning_.lengthsPerMatch, 0, 3)) {
        case 0: CheapestSteps<1>(in, steps_.data()); break;
        case 1: CheapestSteps<2>(in, steps_.data()); break;
        case 2: CheapestSteps<3>(in, steps_.data()); break;
        default: CheapestSteps<4>(in, steps_.data()); break;
    }
}

std::size_t Parser::EmitPath(const std::uint8_t* buf, std::size_t begin, std::size_t end, Command* out,
                             BlockStats& stats) {
    const std::size_t n = end - begin;
    const std::uint8_t* data = buf + begin;
    const std::uint64_t* steps = steps_.data();
    std::size_t count = 0;
    // Literals and matches interleave unpredictably, so both take the same path: a literal is a
    // command with distance 0 whose position count is not raised.
    for (std::size_t k = 0; k < n;) {
        const std::uint32_t step = static_cast<std::uint32_t>(steps[k]);
        const std::uint32_t length = step >> 16;
        const bool isMatch = length != 1;
        const std::uint32_t matchMask = 0u - static_cast<std::uint32_t>(isMatch);   // selects without a jump
        const std::uint32_t byte = data[k];
        const std::uint32_t code = (((256 + length - kMinMatch) ^ byte) & matchMask) ^ byte;
        const std::uint32_t distanceMinus1 = ((step & 0xFFFFu) - 1u) & matchMask;
        out[count++] = Command{static_cast<std::uint16_t>(code), static_cast<std::uint16_t>(distanceMinus1)};
        stats.literalLength[code]++;
        stats.position[PositionCode(distanceMinus1)] += isMatch;
        k += length;
    }
    stats.commands += count;
    return count;
}

std::size_t Parser::Parse(const std::uint8_t* buf, std::size_t begin, std::size_t end,
                          std::size_t dataEnd, Prices& prices, Command* out, BlockStats& stats, int passes) {
    CollectMatches(buf, begin, end, dataEnd);
    for (int pass = 1; pass < std::max(passes, tuning_.passes); ++pass) {
        CheapestPath(buf, begin, end, prices);
        // Only its counts matter: its commands go where the last pass writes over them.
        BlockStats trialStats;
        EmitPath(buf, begin, end, out, trialStats);
        prices.SetFromStats(trialStats, kMaxEncoderPositionCodes);
    }
    CheapestPath(buf, begin, end, prices);
    BlockStats own;
    const std::size_t count = EmitPath(buf, begin, end, out, own);
    stats.Merge(own);
    prices.SetFromStats(own, kMaxEncoderPositionCodes);
    return count;
}

}  // namespace lzh

// Block writer of the -lh4-..-lh7- format: builds the three trees from symbol counts and packs them.
#include "codec/lh_encoder.h"

#include <algorithm>

#include "codec/huffman_encoder.h"

namespace lzh {

namespace {

// A tree's lengths and codes, or the single symbol it reduces to (then every code is 0 bits). Only
// the first `count` entries of a built tree are set: a plan is built a few times per stretch, and
// clearing all of it first cost more than building the small trees.
struct Tree {
    std::uint8_t lengths[kLiteralLengthCodes];
    std::uint16_t codes[kLiteralLengthCodes];
    int used = 0;
    int single = 0;

    void Build(const std::uint32_t* freqs, int count) {
        used = BuildCodeLengths(freqs, count, kMaxCodeLength, lengths);
        single = 0;
        if (used < 2) {
            for (int s = 0; s < count; ++s)
                if (freqs[s]) single = s;
            std::fill(codes, codes + count, std::uint16_t{0});
            return;
        }
        AssignCanonicalCodes(lengths, count, codes);
    }
};

// The literal/length lengths as code-length symbols: 0 one zero, 1 a run of 3..18 zeros (4 bits),
// 2 a run of 20.. zeros (9 bits), k+2 a length k.
struct CodeLengthItem {
    std::uint8_t symbol;
    std::uint8_t extraBits;
    std::uint16_t extra;
};

struct Plan {
    Tree literalLength;
    Tree codeLength;
    Tree position;
    int literalLengthCount = 0;   // lengths sent, trailing zeros dropped
    CodeLengthItem items[kLiteralLengthCodes];   // one per length at most (a run of zeros is fewer)
    int itemCount = 0;
};

void PlanLiteralLengthTree(Plan& plan) {
    const std::uint8_t* len = plan.literalLength.lengths;
    int n = kLiteralLengthCodes;
    while (n > 0 && len[n - 1] == 0) --n;
    plan.literalLengthCount = n;
    plan.itemCount = 0;
    std::uint32_t codeLengthFreq[kCodeLengthCodes] = {};
    auto add = [&](int symbol, int extraBits, int extra) {
        plan.items[plan.itemCount++] = {static_cast<std::uint8_t>(symbol), static_cast<std::uint8_t>(extraBits),
                                        static_cast<std::uint16_t>(extra)};
        codeLengthFreq[symbol]++;
    };
    for (int i = 0; i < n;) {
        int k = len[i++];
        if (k != 0) {
            add(k + 2, 0, 0);
            continue;
        }
        int run = 1;
        while (i < n && len[i] == 0) ++i, ++run;
        if (run <= 2) {
            for (int r = 0; r < run; ++r) add(0, 0, 0);
        } else if (run <= 18) {
            add(1, 4, run - 3);
        } else if (run == 19) {
            add(0, 0, 0);
            add(1, 4, 15);
        } else {
            add(2, 9, run - 20);
        }
    }
    plan.codeLength.Build(codeLengthFreq, kCodeLengthCodes);
}

void BuildPlan(const BlockStats& stats, int positionCodes, Plan& plan) {
    plan.literalLength.Build(stats.literalLength, kLiteralLengthCodes);
    if (plan.literalLength.used >= 2) PlanLiteralLengthTree(plan);
    plan.position.Build(stats.position, positionCodes);
}

// Counts bits instead of writing them, so sizes come from the very code that writes.
struct BitCounter {
    std::uint64_t bits = 0;
    void Put(std::uint32_t, int count) { bits += static_cast<unsigned>(count); }
};

// Lengths of the code-length and position trees: 3 bits each, 7 and up continue in unary.
template <typename Out>
void PutShortTreeLengths(const Tree& tree, int symbols, int countBits, int skipIndex, Out& out) {
    int n = symbols;
    while (n > 0 && tree.lengths[n - 1] == 0) --n;
    out.Put(static_cast<std::uint32_t>(n), countBits);
    for (int i = 0; i < n;) {
        int k = tree.lengths[i++];
        if (k <= 6)
            out.Put(static_cast<std::uint32_t>(k), 3);
        else
            out.Put((1u << (k - 3)) - 2, k - 3);
        if (skipIndex > 0 && i == skipIndex) {
            int zeros = 0;
            while (zeros < 3 && i + zeros < n && tree.lengths[i + zeros] == 0) ++zeros;
            out.Put(static_cast<std::uint32_t>(zeros), 2);
            i += zeros;
        }
    }
}

template <typename Out>
void PutTrees(const Plan& plan, std::size_t count, int positionCodes, int positionBits, Out& out) {
    out.Put(static_cast<std::uint32_t>(count), kBlockCountBits);
    if (plan.literalLength.used >= 2) {
        if (plan.codeLength.used >= 2) {
            PutShortTreeLengths(plan.codeLength, kCodeLengthCodes, kCodeLengthCountBits, kCodeLengthSkipIndex, out);
        } else {
            out.Put(0, kCodeLengthCountBits);
            out.Put(static_cast<std::uint32_t>(plan.codeLength.single), kCodeLengthCountBits);
        }
        out.Put(static_cast<std::uint32_t>(plan.literalLengthCount), kLiteralLengthCountBits);
        for (int i = 0; i < plan.itemCount; ++i) {
            const CodeLengthItem& item = plan.items[i];
            out.Put(plan.codeLength.codes[item.symbol], plan.codeLength.lengths[item.symbol]);
            if (item.extraBits) out.Put(item.extra, item.extraBits);
        }
    } else {
        out.Put(0, kCodeLengthCountBits);
        out.Put(0, kCodeLengthCountBits);
        out.Put(0, kLiteralLengthCountBits);
        out.Put(static_cast<std::uint32_t>(plan.literalLength.single), kLiteralLengthCountBits);
    }
    if (plan.position.used >= 2) {
        PutShortTreeLengths(plan.position, positionCodes, positionBits, -1, out);
    } else {
        out.Put(0, positionBits);
        out.Put(static_cast<std::uint32_t>(plan.position.single), positionBits);
    }
}

}  // namespace

void BlockStats::Merge(const BlockStats& other) {
    for (int i = 0; i < kLiteralLengthCodes; ++i) literalLength[i] += other.literalLength[i];
    for (int i = 0; i < kMaxEncoderPositionCodes; ++i) position[i] += other.position[i];
    commands += other.commands;
}

std::uint64_t BlockBits(const BlockStats& stats, int positionCodes, int positionBits) {
    Plan plan;
    BuildPlan(stats, positionCodes, plan);
    BitCounter counter;
    PutTrees(plan, stats.commands, positionCodes, positionBits, counter);
    std::uint64_t bits = counter.bits;
    for (int s = 0; s < kLiteralLengthCodes; ++s) bits += std::uint64_t(stats.literalLength[s]) * plan.literalLength.lengths[s];
    for (int p = 0; p < positionCodes; ++p)
        bits += std::uint64_t(stats.position[p]) * (plan.position.lengths[p] + (p > 1 ? p - 1 : 0));
    return bits;
}

void WriteBlock(const Command* commands, std::size_t count, const BlockStats& stats, int positionCodes,
                int positionBits, BitWriter& out, std::uint8_t* literalLengthBits, std::uint8_t* positionBitsOut) {
    Plan plan;
    BuildPlan(stats, positionCodes, plan);
    PutTrees(plan, count, positionCodes, positionBits, out);
    const Tree& ll = plan.literalLength;
    const Tree& pos = plan.position;
    // A match's position field is its position code followed by the distance's bits below the top
    // one; per code, its width and what the distance-1 is added to for its value (the code shifted
    // past those bits, less the top bit they leave out).
    std::uint32_t fieldBits[kMaxEncoderPositionCodes];
    std::uint32_t fieldBase[kMaxEncoderPositionCodes];
    for (int p = 0; p < positionCodes; ++p) {
        const int extraBits = p > 1 ? p - 1 : 0;
        fieldBits[p] = pos.lengths[p] + static_cast<std::uint32_t>(extraBits);
        fieldBase[p] = (std::uint32_t{pos.codes[p]} << extraBits) - (p > 0 ? 1u << extraBits : 0u);
    }
    // The commands' exact size, so that the room made for them is what they take: room for the
    // worst case (6 bytes a command) grew nearly every segment's buffer, a copy and fresh pages.
    std::uint64_t commandBits = 0;
    for (int s = 0; s < kLiteralLengthCodes; ++s) commandBits += std::uint64_t(stats.literalLength[s]) * ll.lengths[s];
    for (int p = 0; p < positionCodes; ++p) commandBits += std::uint64_t(stats.position[p]) * fieldBits[p];
    // Literals and matches interleave unpredictably, so both take the same path without a jump: a
    // literal's position field is masked to 0 bits. Each command adds at most 16 + 31 bits in one
    // step, then whole bytes are flushed (the last flush stores 8 bytes from one byte past them).
    {
        BitWriter::Run run(out, static_cast<std::size_t>(commandBits / 8) + 2);
        for (std::size_t i = 0; i < count; ++i) {
            const Command c = commands[i];
            const std::uint32_t matchMask = static_cast<std::uint32_t>(static_cast<std::int32_t>(255 - c.code) >> 31);
            const int p = PositionCode(c.distanceMinus1);
            const std::uint32_t bits = fieldBits[p] & matchMask;
            const std::uint32_t field = (fieldBase[p] + c.distanceMinus1) & matchMask;
            run.PutUnflushed(std::uint64_t{ll.codes[c.code]} << bits | field, ll.lengths[c.code] + static_cast<int>(bits));
            run.FlushWholeBytes();
        }
    }
    if (literalLengthBits) std::copy(ll.lengths, ll.lengths + kLiteralLengthCodes, literalLengthBits);
    if (positionBitsOut) std::copy(pos.lengths, pos.lengths + positionCodes, positionBitsOut);
}

}  // namespace lzh

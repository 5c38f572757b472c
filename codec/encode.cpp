// lzh::Encode: streams input through the parser into blocks, merging stretches while that is cheaper.
#include "codec/encoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "codec/bit_writer.h"
#include "codec/lh_encoder.h"
#include "codec/lz_parser.h"

namespace lzh {

namespace {

// Bytes parsed at a time. Blocks are made of whole stretches, so this is also the finest block
// granularity; it must stay below kMaxBlockCommands.
constexpr std::size_t kStretch = 48 * 1024;
static_assert(kStretch < kMaxBlockCommands, "a stretch must fit one block");
constexpr std::size_t kLookahead = 3;   // a position is hashed with the 3 bytes after it
constexpr std::size_t kSlack = 8;       // hashing reads one byte past the data at the very end
// Data that has not shrunk at all over the first eighth of the limit (the member's size, as callers
// pass it) is taken for packed or random data and stored at once rather than parsed to the end.
constexpr std::uint64_t kGiveUpFraction = 8;

// Measured on the benchmark corpus: deeper chains buy little past these, and searching inside
// long matches costs much time for little gain. Larger windows need deeper chains to use them;
// a third shorter length per match is worth 0.07% there for 5% more work, so it is not tried.
ParserTuning TuningFor(int dictionaryBits) {
    if (dictionaryBits <= 13) return {{12, 32}, 5, 1, 1, 1};
    return {{16, 64}, 12, 1, 2, 1};
}

class BlockedOutput {
public:
    BlockedOutput(ByteSink& sink, std::uint64_t limit, const Method& method)
        : sink_(sink), limit_(limit), positionCodes_(method.positionCodes), positionBits_(method.positionBits) {}

    // Adds a parsed stretch; the pending block is written first when keeping them apart is cheaper.
    // May take over the buffer of `commands`, leaving it with other contents to be cleared.
    bool Add(std::vector<Command>& commands, const BlockStats& stats) {
        if (commands.empty()) return true;
        const std::uint64_t ownBits = BlockBits(stats, positionCodes_, positionBits_);
        if (!pending_.empty()) {
            BlockStats merged = pendingStats_;
            merged.Merge(stats);
            std::uint64_t apart = pendingBits_ + ownBits;
            std::uint64_t together = BlockBits(merged, positionCodes_, positionBits_);
            if (merged.commands <= kMaxBlockCommands && together <= apart) {
                pending_.insert(pending_.end(), commands.begin(), commands.end());
                pendingStats_ = merged;
                pendingBits_ = together;
                return true;
            }
            if (!Flush()) return false;
        }
        pending_.swap(commands);
        pendingStats_ = stats;
        pendingBits_ = ownBits;
        return true;
    }

    bool Flush() {
        if (pending_.empty()) return true;
        WriteBlock(pending_.data(), pending_.size(), pendingStats_, positionCodes_, positionBits_, bits_);
        pending_.clear();
        pendingStats_ = BlockStats();
        bits_.SettleWholeBytes();
        return Drain();
    }

    bool Finish() {
        if (!Flush()) return false;
        bits_.PadToByte();
        return Drain();
    }

    // Stops the member as if the limit had been reached: nothing more is written.
    void GiveUp() { limitReached_ = failed_ = true; }

    // Size of everything added so far, with the pending block's estimate.
    std::uint64_t BitsSoFar() const { return produced_ * 8 + bits_.TotalBits() + pendingBits_; }

    bool LimitReached() const { return limitReached_; }
    bool Failed() const { return failed_; }
    std::uint64_t Produced() const { return produced_; }

private:
    bool Drain() {
        const std::size_t size = bits_.Size();
        std::uint64_t total = produced_ + size + (bits_.PendingBits() ? 1 : 0);
        if (total > limit_) {
            limitReached_ = failed_ = true;
            return false;
        }
        if (size != 0 && !sink_.Write(bits_.Data(), size)) {
            failed_ = true;
            return false;
        }
        produced_ += size;
        bits_.Clear();
        return true;
    }

    ByteSink& sink_;
    std::uint64_t limit_;
    int positionCodes_;
    int positionBits_;
    BitWriter bits_;
    std::vector<Command> pending_;
    BlockStats pendingStats_;
    std::uint64_t pendingBits_ = 0;
    std::uint64_t produced_ = 0;
    bool limitReached_ = false;
    bool failed_ = false;
};

// Reads until `want` bytes are in `buf` or the source ends; false on a read error.
bool Fill(ByteSource& in, std::vector<std::uint8_t>& buf, std::size_t& filled, std::size_t want, bool& ended,
          std::uint64_t& consumed) {
    while (!ended && filled < want) {
        std::size_t n = in.Read(buf.data() + filled, want - filled);
        if (n == 0) {
            ended = true;
            return !in.Failed();
        }
        filled += n;
        consumed += n;
    }
    return true;
}

}  // namespace

EncodeResult Encode(const Method& method, ByteSource& in, ByteSink& out, std::uint64_t packedLimit) {
    EncodeResult result;
    if (method.kind != MethodKind::LhNew || method.dictionaryBits < 12 || method.dictionaryBits > 16 ||
        method.positionCodes < 1 || method.positionCodes > kMaxPositionCodes)
        return result;

    const std::size_t window = std::size_t{1} << method.dictionaryBits;
    const ParserTuning tuning = TuningFor(method.dictionaryBits);
    // History of one window, the stretch being parsed and three bytes of lookahead for hashing.
    const std::size_t capacity = window + 2 * kStretch + kLookahead;
    std::vector<std::uint8_t> buf(capacity + kSlack, 0);
    std::size_t filled = 0, pos = 0;
    std::uint64_t base = 0;
    bool ended = false;

    Parser parser(method.dictionaryBits, tuning);
    Prices prices;
    prices.SetInitial();
    BlockedOutput output(out, packedLimit, method);
    std::vector<Command> commands;
    commands.reserve(kStretch);

    std::uint64_t parsed = 0;
    for (;;) {
        if (pos + kStretch + kLookahead > capacity && pos > window) {
            std::size_t shift = pos - window;
            std::memmove(buf.data(), buf.data() + shift, filled - shift);
            filled -= shift;
            pos -= shift;
            base += shift;
        }
        if (!Fill(in, buf, filled, capacity, ended, result.consumed)) return result;
        std::size_t end = std::min(pos + kStretch, ended ? filled : filled - kLookahead);
        if (end <= pos) break;
        commands.clear();
        BlockStats stats;
        parser.Parse(buf.data(), static_cast<std::uint32_t>(base), pos, end, filled, prices, commands, stats);
        parsed += end - pos;
        pos = end;
        if (!output.Add(commands, stats)) break;
        if (parsed * kGiveUpFraction >= packedLimit && output.BitsSoFar() >= parsed * 8) {
            output.GiveUp();
            break;
        }
    }
    if (!output.Failed() && output.Finish()) result.ok = true;
    result.limitReached = output.LimitReached();
    result.produced = output.Produced();
    return result;
}

}  // namespace lzh

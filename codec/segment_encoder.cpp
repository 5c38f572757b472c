// Compressing one segment: stretches parsed in turn into blocks, merged while that is cheaper.
#include "codec/segment_encoder.h"

#include <algorithm>
#include <cstring>

#include "codec/bit_writer.h"
#include "codec/lh_encoder.h"
#include "codec/lz_parser.h"

namespace lzh {

namespace {

// Bytes parsed at a time. Blocks are made of whole stretches, so this is also the finest block
// granularity; it must stay below kMaxBlockCommands.
constexpr std::size_t kStretch = 48 * 1024;
static_assert(kStretch < kMaxBlockCommands, "a stretch must fit one block");

// Measured on the benchmark corpus: deeper chains buy little past these, and searching inside
// long matches costs much time for little gain. Larger windows need deeper chains to use them;
// a third shorter length per match is worth 0.07% there for 5% more work, so it is not tried.
ParserTuning TuningFor(int dictionaryBits) {
    if (dictionaryBits <= 13) return {{12, 32}, 5, 1, 1, 1};
    return {{16, 64}, 12, 1, 2, 1};
}

// The block being gathered lives in one buffer with room for one more stretch after it: the parser
// writes a stretch's commands straight there, and joining it to the block costs nothing. Copying
// every command once or twice more cost more than the block decisions themselves.
class BlockedOutput {
public:
    // Writes over `storage` and keeps the pending block's commands in `pending`: both left by an
    // earlier segment. The bytes leave with Finish.
    BlockedOutput(const Method& method, std::size_t expectedBytes, BitWriter::Storage&& storage,
                  UninitializedVector<Command>& pending)
        : positionCodes_(method.positionCodes), positionBits_(method.positionBits), bits_(std::move(storage)),
          pending_(pending) {
        if (pending_.size() < kMaxBlockCommands + kStretch) pending_.resize(kMaxBlockCommands + kStretch);
        bits_.Reserve(expectedBytes);
    }
    BlockedOutput(const BlockedOutput&) = delete;
    BlockedOutput& operator=(const BlockedOutput&) = delete;

    // Where the next stretch's commands go: room for kStretch of them.
    Command* Room() { return pending_.data() + pendingCount_; }

    // Takes the `count` commands just written at Room(), with their counts; the pending block is
    // written first when keeping them apart is cheaper.
    void Add(std::size_t count, const BlockStats& stats) {
        if (count == 0) return;
        const std::uint64_t ownBits = BlockBits(stats, positionCodes_, positionBits_);
        if (pendingCount_ != 0) {
            BlockStats merged = pendingStats_;
            merged.Merge(stats);
            std::uint64_t apart = pendingBits_ + ownBits;
            std::uint64_t together = BlockBits(merged, positionCodes_, positionBits_);
            if (merged.commands <= kMaxBlockCommands && together <= apart) {
                pendingCount_ += count;
                pendingStats_ = merged;
                pendingBits_ = together;
                return;
            }
            Flush();
            std::memmove(pending_.data(), pending_.data() + kept_, count * sizeof(Command));
        }
        pendingCount_ = count;
        pendingStats_ = stats;
        pendingBits_ = ownBits;
    }

    // Writes the pending block.
    void Flush() {
        if (pendingCount_ == 0) return;
        WriteBlock(pending_.data(), pendingCount_, pendingStats_, positionCodes_, positionBits_, bits_);
        kept_ = pendingCount_;
        pendingCount_ = 0;
        pendingStats_ = BlockStats();
        pendingBits_ = 0;
    }

    // Size of everything added so far, with the pending block's estimate.
    std::uint64_t BitsSoFar() const { return bits_.TotalBits() + pendingBits_; }

    void Finish(PackedSegment& out) {
        Flush();
        out.bits = bits_.TotalBits();
        bits_.PadToByte();
        out.bytes = bits_.TakeBuffer();
    }

private:
    int positionCodes_;
    int positionBits_;
    BitWriter bits_;
    UninitializedVector<Command>& pending_;   // the pending block's commands, then room for a stretch
    std::size_t pendingCount_ = 0;
    std::size_t kept_ = 0;            // where the stretch that follows a written block begins
    BlockStats pendingStats_;
    std::uint64_t pendingBits_ = 0;
};

}  // namespace

SegmentWorkspace::SegmentWorkspace() = default;
SegmentWorkspace::~SegmentWorkspace() = default;

Parser& SegmentWorkspace::FreshParser(int dictionaryBits) {
    if (parser_ && parser_->DictionaryBits() == dictionaryBits)
        parser_->Reset();
    else
        parser_ = std::make_unique<Parser>(dictionaryBits, TuningFor(dictionaryBits));
    return *parser_;
}

PackedSegment EncodeSegment(const Method& method, const std::uint8_t* data, std::size_t history, std::size_t size,
                            std::uint64_t memberLimit, const std::atomic<bool>& stop, SegmentWorkspace& workspace) {
    PackedSegment result;
    const std::size_t window = std::size_t{1} << method.dictionaryBits;
    // Positions count from the oldest byte of history used, so that a segment's output depends on
    // nothing but its bytes and those of the window before it.
    const std::size_t skip = history > window ? history - window : 0;
    const std::uint8_t* buf = data + skip;
    const std::size_t begin = history - skip, end = size - skip;

    Parser& parser = workspace.FreshParser(method.dictionaryBits);
    parser.Prime(buf, begin, end);
    Prices prices;
    prices.SetInitial();
    // Most data packs to well under half; more only costs the buffer growing.
    BlockedOutput output(method, (end - begin) / 2 + 1024, std::move(workspace.output_), workspace.pending_);
    for (std::size_t pos = begin; pos < end;) {
        if (stop.load(std::memory_order_relaxed)) {
            result.stopped = true;
            return result;
        }
        const std::size_t stretchEnd = std::min(pos + kStretch, end);
        BlockStats stats;
        const std::size_t count = parser.Parse(buf, pos, stretchEnd, end, prices, output.Room(), stats,
                                               pos == begin && begin > 0 ? 2 : 1);
        pos = stretchEnd;
        output.Add(count, stats);
        const std::uint64_t parsed = pos - begin;
        if (history == 0 && parsed * kGiveUpFraction >= memberLimit && output.BitsSoFar() >= parsed * 8) {
            result.gaveUp = true;
            return result;
        }
    }
    output.Finish(result);
    return result;
}

bool SegmentJoiner::Add(const PackedSegment& segment, std::uint64_t plainBytes) {
    if (segment.gaveUp || segment.stopped) {
        limitReached_ = segment.gaveUp;
        failed_ = true;
        return false;
    }
    plain_ += plainBytes;
    const std::uint64_t totalBits = produced_ * 8 + static_cast<unsigned>(partialBits_) + segment.bits;
    // As the whole member would: past the limit, or not shrunk at all over its first eighth.
    if ((totalBits + 7) / 8 > limit_ || (plain_ * kGiveUpFraction >= limit_ && totalBits >= plain_ * 8)) {
        limitReached_ = failed_ = true;
        return false;
    }
    // The segment's bits continue the partial byte: every byte shifts by its bit count, eight at a time.
    const unsigned shift = static_cast<unsigned>(partialBits_);
    const std::uint8_t* in = segment.bytes.data();
    const std::size_t size = static_cast<std::size_t>((segment.bits + 7) / 8);
    // Room for a whole segment's worth at once, rather than growing (and copying) step by step:
    // pages that are never reached are never touched.
    if (shifted_.capacity() < size + 8) shifted_.reserve(std::max(size + 8, kSegmentSize + kSegmentSize / 4));
    if (shifted_.size() < size + 8) shifted_.resize(size + 8);
    std::uint8_t* out = shifted_.data();
    std::uint64_t carry = partial_;   // `shift` bits at the top of the byte
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + i, 8);
        word = __builtin_bswap64(word);
        const std::uint64_t joined = __builtin_bswap64(carry << 56 | word >> shift);
        std::memcpy(out + i, &joined, 8);
        carry = (word << (8 - shift)) & 0xFFu;
    }
    for (; i < size; ++i) {
        const unsigned b = in[i];
        out[i] = static_cast<std::uint8_t>(carry | (b >> shift));
        carry = (b << (8 - shift)) & 0xFFu;
    }
    out[size] = static_cast<std::uint8_t>(carry);
    const std::uint64_t bits = shift + segment.bits;
    const std::size_t whole = static_cast<std::size_t>(bits / 8);
    partialBits_ = static_cast<int>(bits % 8);
    partial_ = partialBits_ ? out[whole] : 0;
    return Put(out, whole);
}

bool SegmentJoiner::Finish() {
    if (failed_) return false;
    if (partialBits_ == 0) return true;
    partialBits_ = 0;
    return Put(&partial_, 1);
}

bool SegmentJoiner::Put(const std::uint8_t* data, std::size_t size) {
    if (size != 0 && !sink_.Write(data, size)) {
        failed_ = true;
        return false;
    }
    produced_ += size;
    return true;
}

}  // namespace lzh

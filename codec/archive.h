// Reading and writing LZH archives member by member over the codec's stream interfaces.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "codec/archive_entry.h"
#include "codec/io.h"
#include "codec/method.h"

namespace lzh {

class ParallelEncoder;
class WaitObserver;

// ---------------------------------------------------------------------------------------------
// Reading

enum class ReadStatus {
    Entry,   // `entry` holds the next member
    End,     // no more members (end marker, end of file, or short trailing junk)
    Error,   // a header is broken; ErrorText() says why. Entries read before stay usable.
};

enum class ExtractStatus {
    Ok,
    CrcMismatch,         // decoded fully, but the CRC-16 differs from the header's
    Truncated,           // the archive ends inside the member's packed data
    Corrupt,             // the packed data is invalid for its method
    UnsupportedMethod,   // we have no decoder for this method (the walk can go on)
    ReadFailed,          // the archive source reported an error
    WriteFailed,         // the sink refused bytes
};

struct ExtractResult {
    ExtractStatus status = ExtractStatus::Ok;
    std::uint64_t produced = 0;   // bytes written to the sink
    std::uint16_t crc = 0;        // CRC-16 of the bytes produced
    std::string detail;           // short English reason when status is not Ok
};

struct ReaderOptions {
    // How far into the file the first member may start: self-extracting archives carry a
    // program in front (observed up to about 65 KiB; we allow generous room). The same bound
    // limits the search for members behind damaged bytes.
    std::uint64_t scanLimit = 1024 * 1024;
};

class ArchiveReader {
public:
    explicit ArchiveReader(RandomAccessSource& source, ReaderOptions options = {});

    // Reads the next member header. The first call finds the first member, scanning past any
    // leading program. Bytes that are no header where one is due end the walk quietly, unless a
    // valid header follows them: then they are damage and reported as Error. After End or
    // Error, further calls return the same status.
    ReadStatus Next(Entry& entry);

    // Why the last Next returned Error (English, names the offset).
    const std::string& ErrorText() const { return error_; }

    // Offset of the first member; valid after the first Next returned Entry.
    std::uint64_t ArchiveStart() const { return archiveStart_; }

    // Decodes the member's data into `out` and verifies its CRC-16. Directories and symlinks
    // produce nothing and succeed. Never fatal to the walk: Next may be called afterwards.
    ExtractResult Extract(const Entry& entry, ByteSink& out);

    // Copies the member's header and packed data unchanged (for rewriting an archive).
    // False when the archive ends early or the sink refuses bytes.
    bool CopyMember(const Entry& entry, ByteSink& out);

private:
    enum class HeaderRead { Ok, End, Junk, Invalid };
    HeaderRead ReadHeaderAt(std::uint64_t offset, Entry& entry, std::string& error);
    // Reads from the window of headers, refilling it at `offset` when it does not hold them.
    bool ReadExact(std::uint64_t offset, std::uint8_t* buffer, std::size_t size);
    bool ReadFromSource(std::uint64_t offset, std::uint8_t* buffer, std::size_t size, std::size_t& got);
    bool FindFirstMember();
    bool ChainEndsCleanly(std::uint64_t offset, std::unordered_set<std::uint64_t>& onFailedChains);
    std::uint64_t FindValidHeaderAfter(std::uint64_t offset);   // 0 when none within scanLimit
    bool ZeroPaddingFrom(std::uint64_t offset, std::uint64_t size);
    ReadStatus Stop(ReadStatus status, std::string message = {});

    RandomAccessSource& source_;
    ReaderOptions options_;
    bool started_ = false;
    ReadStatus final_ = ReadStatus::Entry;   // End or Error once the walk is over
    std::uint64_t next_ = 0;                 // offset of the next header
    std::uint64_t archiveStart_ = 0;
    std::uint64_t headerBytesRead_ = 0;      // bounds the work of scanning hostile files
    std::vector<std::uint8_t> window_;       // the file's bytes from windowStart_ on, for headers
    std::uint64_t windowStart_ = 0;
    std::size_t windowSize_ = 0;             // what the next refill reads
    std::string error_;
};

// ---------------------------------------------------------------------------------------------
// Writing

struct WriterOptions {
    int headerLevel = 2;        // 0, 1 or 2
    std::uint8_t osId = 'M';
};

enum class WriteStatus {
    Ok,
    InvalidName,     // empty, contains a separator/control byte, or does not fit the header level
    TooLarge,        // the member is too large for the header level
    ReadFailed,      // the data source reported an error or changed size while read
    WriteFailed,     // the sink refused bytes or could not be positioned
    EncodeFailed,    // the encoder failed for another reason
    Cancelled,       // the wait observer asked to stop
    Finished,        // Finish was called already
};

struct WriteResult {
    WriteStatus status = WriteStatus::Ok;
    std::string detail;             // short English reason when status is not Ok
    std::string methodId;           // the method actually used ("-lh0-" after a fallback)
    std::uint64_t originalSize = 0;
    std::uint64_t packedSize = 0;
    std::uint16_t crc = 0;
};

class ArchiveWriter {
public:
    // Members are written from the sink's current position on.
    explicit ArchiveWriter(RandomAccessSink& sink, WriterOptions options = {});

    // Compresses `data` (read from its start; it is read twice when storing turns out smaller)
    // with `method` (-lh0-, -lh5-, -lh6- or -lh7-). Empty files and data that does not shrink
    // are stored as -lh0-.
    WriteResult AddFile(const NewEntry& entry, RandomAccessSource& data, const Method& method);

    // As AddFile, for the oldest member queued in `encoder` (its data and method), compressed
    // there on worker threads; `observer` hears of the waits. The member leaves the queue.
    WriteResult AddQueuedFile(const NewEntry& entry, ParallelEncoder& encoder, WaitObserver* observer);

    // Writes a -lhd- member for the folder path entry.folders (entry.name is ignored).
    WriteResult AddDirectory(const NewEntry& entry);

    // Copies a member of another archive unchanged, header and data.
    WriteResult CopyMember(ArchiveReader& reader, const Entry& entry);

    // Writes the end-of-archive marker. Nothing may be added afterwards.
    WriteResult Finish();

private:
    template <typename EncodeFn>
    WriteResult AddFileWith(const NewEntry& entry, RandomAccessSource& data, const Method& method, EncodeFn encode);

    RandomAccessSink& sink_;
    WriterOptions options_;
    bool finished_ = false;
};

}  // namespace lzh

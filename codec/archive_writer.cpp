// Writing LZH members: provisional header, compressed data, then the header again with sizes and CRC.
#include "codec/archive.h"

#include <algorithm>
#include <vector>

#include "codec/crc16.h"
#include "codec/encoder.h"
#include "codec/header_build.h"
#include "codec/parallel_encoder.h"

namespace lzh {
namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;

// Passes bytes on to the encoder while computing their CRC-16.
class CrcSource : public ByteSource {
public:
    explicit CrcSource(ByteSource& inner) : inner_(inner) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        std::size_t n = inner_.Read(buffer, size);
        crc_ = UpdateCrc16(crc_, buffer, n);
        count_ += n;
        return n;
    }
    bool Failed() const override { return inner_.Failed(); }
    std::uint16_t Crc() const { return crc_; }
    std::uint64_t Count() const { return count_; }

private:
    ByteSource& inner_;
    std::uint16_t crc_ = 0;
    std::uint64_t count_ = 0;
};

// Records whether the sink refused bytes, so a failed copy can be blamed on the right side.
class WatchedSink : public ByteSink {
public:
    explicit WatchedSink(ByteSink& inner) : inner_(inner) {}
    bool Write(const std::uint8_t* data, std::size_t size) override {
        if (!inner_.Write(data, size)) refused_ = true;
        return !refused_;
    }
    bool Refused() const { return refused_; }

private:
    ByteSink& inner_;
    bool refused_ = false;
};

WriteResult Failure(WriteStatus status, std::string detail) {
    WriteResult r;
    r.status = status;
    r.detail = std::move(detail);
    return r;
}

WriteResult Written(std::string methodId, std::uint64_t originalSize, std::uint64_t packedSize, std::uint16_t crc) {
    WriteResult r;
    r.methodId = std::move(methodId);
    r.originalSize = originalSize;
    r.packedSize = packedSize;
    r.crc = crc;
    return r;
}

WriteResult FromBuild(const HeaderBuildResult& built) {
    return Failure(built.status == HeaderBuildStatus::TooLarge ? WriteStatus::TooLarge : WriteStatus::InvalidName,
                   built.detail);
}

bool WriteBytes(RandomAccessSink& sink, const std::vector<std::uint8_t>& bytes) {
    return sink.Write(bytes.data(), bytes.size());
}

}  // namespace

ArchiveWriter::ArchiveWriter(RandomAccessSink& sink, WriterOptions options) : sink_(sink), options_(options) {}

WriteResult ArchiveWriter::AddDirectory(const NewEntry& entry) {
    if (finished_) return Failure(WriteStatus::Finished, "the archive is already finished");
    HeaderToBuild header;
    header.level = options_.headerLevel;
    header.osId = options_.osId;
    header.methodId = "-lhd-";
    header.directory = true;
    header.entry = entry;
    std::vector<std::uint8_t> bytes;
    HeaderBuildResult built = BuildHeader(header, bytes);
    if (built.status != HeaderBuildStatus::Ok) return FromBuild(built);
    if (!WriteBytes(sink_, bytes)) return Failure(WriteStatus::WriteFailed, "cannot write the archive");
    return Written(header.methodId, 0, 0, 0);
}

WriteResult ArchiveWriter::AddFile(const NewEntry& entry, RandomAccessSource& data, const Method& method) {
    if (!finished_ && !data.Seek(0)) return Failure(WriteStatus::ReadFailed, "cannot read the file");
    return AddFileWith(entry, data, method, [&](ByteSink& out, std::uint64_t limit) {
        return Encode(method, data, out, limit);
    });
}

WriteResult ArchiveWriter::AddQueuedFile(const NewEntry& entry, ParallelEncoder& encoder, WaitObserver* observer) {
    if (encoder.Empty()) return Failure(WriteStatus::EncodeFailed, "no member is queued");
    WriteResult r = AddFileWith(entry, encoder.OldestData(), encoder.OldestMethod(),
                                [&](ByteSink& out, std::uint64_t) { return encoder.EncodeOldest(out, observer); });
    encoder.DropOldest();
    return r;
}

// `data` stands at its start, or is being read by the encoder.
template <typename EncodeFn>
WriteResult ArchiveWriter::AddFileWith(const NewEntry& entry, RandomAccessSource& data, const Method& method,
                                       EncodeFn encode) {
    if (finished_) return Failure(WriteStatus::Finished, "the archive is already finished");
    if (method.kind != MethodKind::Stored && !(method.kind == MethodKind::LhNew && method.writable))
        return Failure(WriteStatus::EncodeFailed, "method " + std::string(method.id) + " cannot be written");

    HeaderToBuild header;
    header.level = options_.headerLevel;
    header.osId = options_.osId;
    header.entry = entry;
    header.originalSize = data.Size();
    const bool compress = method.kind == MethodKind::LhNew && header.originalSize > 0;
    header.methodId = compress ? std::string(method.id) : "-lh0-";

    const std::uint64_t headerAt = sink_.Tell();
    std::vector<std::uint8_t> bytes;
    HeaderBuildResult built = BuildHeader(header, bytes);
    if (built.status != HeaderBuildStatus::Ok) return FromBuild(built);
    const std::size_t headerSize = bytes.size();
    if (!WriteBytes(sink_, bytes)) return Failure(WriteStatus::WriteFailed, "cannot write the archive");

    bool stored = !compress;
    std::uint64_t count = 0;
    if (compress) {
        // Only a member that gets smaller is worth its method; otherwise it is stored.
        EncodeResult encoded = encode(static_cast<ByteSink&>(sink_), header.originalSize - 1);
        if (encoded.cancelled) return Failure(WriteStatus::Cancelled, "cancelled");
        if (encoded.limitReached) {
            stored = true;
        } else if (!encoded.ok) {
            if (data.Failed()) return Failure(WriteStatus::ReadFailed, "cannot read the file");
            return Failure(WriteStatus::WriteFailed, "cannot write the compressed data");
        } else {
            header.packedSize = encoded.produced;
            header.crc = encoded.crc;
            count = encoded.consumed;
        }
    }
    if (stored) {
        header.methodId = "-lh0-";
        if (!data.Seek(0) || !sink_.Seek(headerAt + headerSize))
            return Failure(WriteStatus::ReadFailed, "cannot reread the file to store it");
        CrcSource storedInput(data);
        std::vector<std::uint8_t> chunk(kCopyChunk);
        for (;;) {
            std::size_t n = storedInput.Read(chunk.data(), chunk.size());
            if (n == 0) break;
            if (!sink_.Write(chunk.data(), n)) return Failure(WriteStatus::WriteFailed, "cannot write the archive");
        }
        if (storedInput.Failed()) return Failure(WriteStatus::ReadFailed, "cannot read the file");
        header.packedSize = count = storedInput.Count();
        header.crc = storedInput.Crc();
    }
    // The header already gives the size: a file that grew or shrank meanwhile would lie.
    if (count != header.originalSize)
        return Failure(WriteStatus::ReadFailed, "the file changed size while it was being added");

    bytes.clear();
    built = BuildHeader(header, bytes);
    if (built.status != HeaderBuildStatus::Ok) return FromBuild(built);
    const std::uint64_t end = sink_.Tell();
    if (bytes.size() != headerSize || !sink_.Seek(headerAt) || !WriteBytes(sink_, bytes) || !sink_.Seek(end))
        return Failure(WriteStatus::WriteFailed, "cannot rewrite the member header");

    return Written(header.methodId, header.originalSize, header.packedSize, header.crc);
}

WriteResult ArchiveWriter::CopyMember(ArchiveReader& reader, const Entry& entry) {
    if (finished_) return Failure(WriteStatus::Finished, "the archive is already finished");
    WatchedSink watched(sink_);
    if (!reader.CopyMember(entry, watched)) {
        return watched.Refused() ? Failure(WriteStatus::WriteFailed, "cannot write the archive")
                                 : Failure(WriteStatus::ReadFailed, "the source archive ends inside the member");
    }
    return Written(entry.methodId, entry.originalSize, entry.packedSize, entry.crc);
}

WriteResult ArchiveWriter::Finish() {
    if (finished_) return Failure(WriteStatus::Finished, "the archive is already finished");
    finished_ = true;
    const std::uint8_t endMarker = 0;
    if (!sink_.Write(&endMarker, 1)) return Failure(WriteStatus::WriteFailed, "cannot write the archive");
    return {};
}

}  // namespace lzh

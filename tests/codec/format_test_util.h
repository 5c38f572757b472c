// Test helpers for the archive format tests: archives in memory, written by our writer or byte by
// byte, and read back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "codec/archive.h"
#include "codec/crc16.h"
#include "codec/header_bytes.h"
#include "codec/header_layout.h"
#include "codec/io.h"
#include "codec/parallel_encoder.h"

namespace lzh_test {

inline std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// A member to put into a test archive.
struct TestMember {
    std::vector<std::string> folders;
    std::string name;
    std::string content;
    bool directory = false;
};

// Writes `members` with `method` at `level` into a memory archive; fails the test on error. With
// `threads`, files are compressed on that many workers, queued two ahead of the one written as a
// caller with little room would queue them; without, one at a time on this thread.
inline std::vector<std::uint8_t> WriteArchive(const std::vector<TestMember>& members, int level, const char* method,
                                              int threads = 0) {
    lzh::MemorySink sink;
    lzh::WriterOptions options;
    options.headerLevel = level;
    lzh::ArchiveWriter writer(sink, options);
    lzh::ParallelEncoder encoder(std::max(threads, 1));
    std::deque<std::vector<std::uint8_t>> data;
    std::deque<lzh::MemorySource> sources;
    for (const TestMember& m : members) data.push_back(Bytes(m.content)), sources.emplace_back(data.back());
    std::size_t queued = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        const TestMember& m = members[i];
        lzh::NewEntry entry;
        entry.folders = m.folders;
        entry.name = m.name;
        entry.dosTime = 0x5A215C3B;  // 2025-01-01 11:33:54 local
        entry.unixTime = 1735731234;
        lzh::WriteResult r;
        for (; threads > 0 && queued < members.size() && queued < i + 2; ++queued)
            if (!members[queued].directory) encoder.Queue(sources[queued], lzh::FindMethod(method));
        if (m.directory) {
            entry.attributes = 0x10;
            r = writer.AddDirectory(entry);
        } else {
            r = threads > 0 ? writer.AddQueuedFile(entry, encoder, nullptr) : writer.AddFile(entry, sources[i], lzh::FindMethod(method));
        }
        if (r.status != lzh::WriteStatus::Ok) throw std::runtime_error("write failed: " + r.detail);
    }
    writer.Finish();
    return sink.Bytes();
}

struct ReadBack {
    std::vector<lzh::Entry> entries;
    std::vector<std::string> contents;   // extracted data, one per entry
    lzh::ReadStatus final = lzh::ReadStatus::End;
    std::string error;
};

inline ReadBack ReadArchive(const std::vector<std::uint8_t>& archive) {
    ReadBack back;
    lzh::MemorySource source(archive);
    lzh::ArchiveReader reader(source);
    lzh::Entry entry;
    while ((back.final = reader.Next(entry)) == lzh::ReadStatus::Entry) {
        lzh::MemorySink out;
        lzh::ExtractResult r = reader.Extract(entry, out);
        if (r.status != lzh::ExtractStatus::Ok) throw std::runtime_error("extract failed: " + r.detail);
        back.entries.push_back(entry);
        back.contents.emplace_back(out.Bytes().begin(), out.Bytes().end());
    }
    back.error = reader.ErrorText();
    return back;
}

// A member built byte by byte, for headers our writer never makes: other systems' quirks and
// hostile variants of them.
struct RawHeader {
    int level = 0;                   // 0, 1 or 2
    const char* method = "-lh0-";
    std::string name;                // the level-0/1 name field, raw
    std::string content;             // stored as it is; the sizes and CRC are worked out
    std::string extra;               // level 0: bytes after the CRC (an OS id and its area)
    std::uint8_t osId = 'M';         // levels 1 and 2
    std::vector<std::pair<std::uint8_t, std::string>> exts;   // type and payload; level 2 adds 0x00
    std::size_t sizeLeftOut = 0;     // level 2: bytes the size field does not count
};

// Members one after the other, with the end marker.
inline std::vector<std::uint8_t> RawArchive(const std::vector<RawHeader>& members) {
    std::vector<std::uint8_t> archive;
    for (const RawHeader& h : members) {
        std::vector<std::uint8_t> out(2, 0);   // size and checksum, or the level-2 size, set last
        const std::vector<std::uint8_t> data = Bytes(h.content);
        auto put = [&](const std::string& s) { out.insert(out.end(), s.begin(), s.end()); };
        std::vector<std::pair<std::uint8_t, std::string>> exts = h.exts;
        if (h.level == 2) exts.insert(exts.begin(), {lzh::ext::kHeaderCrc, std::string(lzh::ext::kHeaderCrcSize, '\0')});
        std::size_t extBytes = 0;
        for (const auto& e : exts) extBytes += lzh::ext::kFramingSize + e.second.size();
        put(h.method);
        lzh::AppendLe32(out, static_cast<std::uint32_t>(data.size() + (h.level == 1 ? extBytes : 0)));
        lzh::AppendLe32(out, static_cast<std::uint32_t>(data.size()));
        lzh::AppendLe32(out, h.level == 2 ? 1735731234u : 0x5A215C3Bu);
        out.push_back(0x20);
        out.push_back(static_cast<std::uint8_t>(h.level));
        if (h.level < 2) {
            out.push_back(static_cast<std::uint8_t>(h.name.size()));
            put(h.name);
        }
        lzh::AppendLe16(out, lzh::Crc16(data.data(), data.size()));
        if (h.level == 0) put(h.extra);
        if (h.level >= 1) out.push_back(h.osId);
        std::size_t crcAt = 0;
        for (const auto& e : exts) {
            lzh::AppendLe16(out, static_cast<std::uint16_t>(lzh::ext::kFramingSize + e.second.size()));
            if (e.first == lzh::ext::kHeaderCrc) crcAt = out.size() + 1;
            out.push_back(e.first);
            put(e.second);
        }
        if (h.level >= 1) lzh::AppendLe16(out, 0);
        if (h.level < 2) {
            // The base part ends after the first extension's size; its bytes after the first two
            // are summed.
            const std::size_t base = out.size() - extBytes;
            out[0] = static_cast<std::uint8_t>(base - 2);
            unsigned sum = 0;
            for (std::size_t i = 2; i < base; ++i) sum += out[i];
            out[1] = static_cast<std::uint8_t>(sum);
        } else {
            lzh::StoreLe16(out.data(), static_cast<std::uint16_t>(out.size() - h.sizeLeftOut));
            lzh::StoreLe16(&out[crcAt], lzh::Crc16(out.data(), out.size()));
        }
        out.insert(out.end(), data.begin(), data.end());
        archive.insert(archive.end(), out.begin(), out.end());
    }
    archive.push_back(0);
    return archive;
}

}  // namespace lzh_test

// Test helpers for the archive format tests: archives in memory, written and read back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "codec/archive.h"
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

}  // namespace lzh_test

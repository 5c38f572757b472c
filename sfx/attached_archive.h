// The archive attached behind the self-extracting program: found past the program's own image,
// so header-like bytes inside the program are never taken for members.
#pragma once

#include <cstdint>
#include <memory>

#include "archiver/header_list.h"
#include "codec/archive.h"
#include "codec/io.h"

namespace sfx {

// The bytes of `inner` from `start` on, seen as a file of their own.
class TailSource : public lzh::RandomAccessSource {
public:
    TailSource(lzh::RandomAccessSource& inner, std::uint64_t start) : inner_(inner), start_(start) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override { return inner_.Read(buffer, size); }
    bool Failed() const override { return inner_.Failed(); }
    bool Seek(std::uint64_t offset) override { return inner_.Seek(start_ + offset); }
    std::uint64_t Tell() const override { return inner_.Tell() - start_; }
    std::uint64_t Size() const override { return inner_.Size() - start_; }

private:
    lzh::RandomAccessSource& inner_;
    std::uint64_t start_;
};

struct AttachedArchive : unlha::HeaderList {
    std::unique_ptr<TailSource> tail;
    std::unique_ptr<lzh::ArchiveReader> reader;
    std::uint64_t programSize = 0;   // where the archive part begins in the file
};

enum class AttachStatus { Ok, NotAProgram, NoArchive };

// Reads every member header of the archive behind the program image in `file` (which must
// outlive `archive`). NoArchive when nothing readable follows the program.
AttachStatus ReadAttachedArchive(lzh::RandomAccessSource& file, AttachedArchive& archive);

}  // namespace sfx

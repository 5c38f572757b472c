// Reading the member headers behind the program image.
#include "sfx/attached_archive.h"

#include "archiver/wide_names.h"
#include "sfx/program_image.h"

namespace sfx {

AttachStatus ReadAttachedArchive(lzh::RandomAccessSource& file, AttachedArchive& archive) {
    archive.programSize = ProgramImageEnd(file);
    if (archive.programSize == 0) return AttachStatus::NotAProgram;
    archive.tail = std::make_unique<TailSource>(file, archive.programSize);
    archive.reader = std::make_unique<lzh::ArchiveReader>(*archive.tail);
    unlha::ReadEveryHeader(*archive.reader, archive, unlha::Cp932OfChar);
    return archive.entries.empty() ? AttachStatus::NoArchive : AttachStatus::Ok;
}

}  // namespace sfx

// Opening an archive and reading all its headers first, so a command knows its whole work
// (and a broken header) before it changes anything.
#pragma once

#include <memory>
#include <string>

#include "archiver/file_stream.h"
#include "archiver/header_list.h"
#include "archiver/run.h"
#include "codec/archive.h"

namespace unlha {

struct OpenArchive : HeaderList {
    FileSource source;
    std::unique_ptr<lzh::ArchiveReader> reader;
};

// Opens `path` and reads every header. False (with the failure recorded in `run`) when the
// file cannot be opened or holds no archive at all. A header broken after some entries leaves
// `broken` set; the caller reports it after its work on the good entries.
bool OpenAndRead(Run& run, const std::string& path, OpenArchive& archive);

// Why an entry's data could not be had, in plain words; the codec's detail follows.
std::string DataProblem(const lzh::ExtractResult& result);

// Whether the command's file names select this entry (a folder entry also by its path with a
// final '\\').
bool Selected(const Run& run, const lzh::Entry& entry);

}  // namespace unlha

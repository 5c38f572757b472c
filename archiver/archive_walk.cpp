// Reading an archive's headers for the commands.
#include "archiver/archive_walk.h"

#include "archiver/safe_path.h"
#include "archiver/wide_names.h"
#include "archiver/wildcard.h"

namespace unlha {

bool OpenAndRead(Run& run, const std::string& path, OpenArchive& archive) {
    if (!archive.source.Open(path)) {
        const DWORD error = archive.source.LastError();
        const DWORD attributes = GetFileAttributesA(path.c_str());
        std::string why;
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            why = ArchiveIsFolderProblem(path);
        else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            why = Say(M::ArchiveMissing, path);
        else
            why = Say(M::CannotOpenArchive, path, SystemMessage(error));
        run.Failure(kArchiveMissing, why);
        return false;
    }
    archive.reader = std::make_unique<lzh::ArchiveReader>(archive.source);
    ReadEveryHeader(*archive.reader, archive, Cp932OfChar);
    if (archive.entries.empty() && archive.broken) {
        run.Failure(kArchiveDamaged, Say(M::NotAnArchive, path, archive.brokenReason));
        return false;
    }
    return true;
}

std::string DataProblem(const lzh::ExtractResult& result) {
    switch (result.status) {
    case lzh::ExtractStatus::CrcMismatch: return Say(M::DataCrc, result.detail);
    case lzh::ExtractStatus::Truncated: return Say(M::DataTruncated, result.detail);
    case lzh::ExtractStatus::UnsupportedMethod: return Say(M::DataUnsupported, result.detail);
    case lzh::ExtractStatus::ReadFailed: return Say(M::DataReadFailed, result.detail);
    default: return Say(M::DataCorrupt, result.detail);
    }
}

bool Selected(const Run& run, const lzh::Entry& entry) {
    const std::string path = entry.Path();
    const std::string last = entry.name.empty() && !entry.folders.empty() ? entry.folders.back() : entry.name;
    for (const std::string& pattern : run.command.fileNames) {
        if (MatchesEntry(pattern, path, last)) return true;
        // A folder entry is also named as a folder is typed: "sub\" or "sub\deeper\".
        if (entry.isDirectory && MatchesEntry(pattern, path + "\\", last + "\\")) return true;
    }
    return false;
}

}  // namespace unlha

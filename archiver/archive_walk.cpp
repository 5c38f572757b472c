// Reading an archive's headers for the commands.
#include "archiver/archive_walk.h"

#include "archiver/make_folders.h"
#include "archiver/safe_path.h"
#include "archiver/wildcard.h"

namespace unlha {

std::string SystemMessage(unsigned long error) {
    std::string message = SystemErrorText(error);
    while (!message.empty() && (message.back() == '.' || message.back() == ' ')) message.pop_back();
    if (message.empty()) message = "system error " + std::to_string(error);
    return message;
}

bool OpenAndRead(Run& run, const std::string& path, OpenArchive& archive) {
    if (!archive.source.Open(path)) {
        const std::string why = "cannot open the archive " + path + ": " + SystemMessage(archive.source.LastError());
        run.out.Line(why);
        run.Fail(kArchiveMissing, why);
        return false;
    }
    archive.reader = std::make_unique<lzh::ArchiveReader>(archive.source);
    ReadEveryHeader(*archive.reader, archive);
    if (archive.entries.empty() && archive.broken) {
        const std::string why = path + " is no readable archive: " + archive.brokenReason;
        run.out.Line(why);
        run.Fail(kArchiveDamaged, why);
        return false;
    }
    return true;
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

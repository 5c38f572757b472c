// Reading an archive's headers for the commands.
#include "archiver/archive_walk.h"

#include <windows.h>

#include "archiver/safe_path.h"
#include "archiver/wildcard.h"

namespace unlha {

std::string SystemMessage(unsigned long error) {
    char text[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                             sizeof text, nullptr);
    std::string message(text, n);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' ||
                                message.back() == '.'))
        message.pop_back();
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
    lzh::Entry entry;
    for (;;) {
        lzh::ReadStatus status = archive.reader->Next(entry);
        if (status == lzh::ReadStatus::Entry) {
            archive.entries.push_back(entry);
            continue;
        }
        if (status == lzh::ReadStatus::Error) {
            archive.broken = true;
            archive.brokenReason = archive.reader->ErrorText();
        }
        break;
    }
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

std::string ShownPath(const lzh::Entry& entry) {
    std::string path = entry.Path();
    if (entry.absolute) path = "\\" + path;
    if (entry.isDirectory) path += "\\";
    return PrintableName(path);
}

}  // namespace unlha

// s: the self-extracting program is the stub program built into this library followed by the
// archive's members, written like every archive: to a new file that replaces the old when complete.
#include <windows.h>

#include "archiver/archive_walk.h"
#include "archiver/base_folder.h"
#include "archiver/entry_check.h"
#include "archiver/sfx_image.h"
#include "archiver/sfx_stub_id.h"
#include "archiver/wide_names.h"
#include "text/cp932.h"

namespace unlha {
namespace {

bool StubBytes(const std::uint8_t*& bytes, std::size_t& size) {
    HMODULE module = LibraryModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(UNLHA32_SFX_STUB), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    if (!loaded) return false;
    bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    size = SizeofResource(module, found);
    return bytes && IsProgramImage(bytes, size);
}

}  // namespace

void RunMakeSfx(Run& run) {
    const Command& c = run.command;
    const std::uint8_t* stub = nullptr;
    std::size_t stubSize = 0;
    if (!StubBytes(stub, stubSize)) {
        run.Failure(kStubMissing, Say(M::NoSfxProgram));
        return;
    }
    OpenArchive archive;
    if (!OpenAndRead(run, c.archivePath, archive)) return;
    if (archive.broken) {
        run.Failure(kArchiveDamaged,
                    Say(M::NamedDamagedAfter, c.archivePath, archive.entries.size(), archive.brokenReason));
        return;
    }
    // A program made from a damaged entry would fail only in the user's hands: test first.
    const CheckCounts counts = CheckEntries(run, archive, true, false);
    if (run.progress.Cancelled()) {
        run.Failure(kCancelled, Say(M::SfxCancelled));
        return;
    }
    if (counts.damaged > 0) {
        run.Failure(kArchiveDamaged, Say(M::SfxFromDamaged, c.archivePath, counts.damaged));
        return;
    }
    const std::string target = SfxOutputPath(c.archivePath, c.baseFolder);
    std::string why;
    if (!MakeBaseFolder(c.baseFolder, why)) {
        run.Failure(kFileFailed, why);
        return;
    }
    FileSink sink;
    std::string temp;
    const std::string folder = cp932::FolderPart(target);
    if (!sink.CreateUnique(folder, "LZH", ".TMP", temp)) {
        why = WriteProblem(target, sink.LastError());
        run.Failure(kFileFailed, why);
        return;
    }
    bool ok = sink.Write(stub, stubSize);
    // The members as they are (an archive that has a program in front already loses that one).
    lzh::ArchiveWriter writer(sink);
    for (const lzh::Entry& entry : archive.entries) {
        if (!ok) break;
        ok = writer.CopyMember(*archive.reader, entry).status == lzh::WriteStatus::Ok;
    }
    ok = ok && writer.Finish().status == lzh::WriteStatus::Ok && sink.Flush();
    sink.Close();
    // The sink made the file through the wide calls, which reach further than the narrow ones.
    const std::wstring wideTemp = Widen(temp), wideTarget = Widen(target);
    const bool existed = GetFileAttributesW(wideTarget.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!ok || !MoveFileExW(wideTemp.c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(wideTemp.c_str());
        why = WriteProblem(target, error);
        run.Failure(kFileFailed, why);
        return;
    }
    std::uint64_t folders = 0;
    for (const lzh::Entry& entry : archive.entries) folders += entry.isDirectory ? 1 : 0;
    run.Summary(Say(existed ? M::SfxReplaced : M::SfxCreated, target, archive.entries.size() - folders, folders, stubSize));
}

}  // namespace unlha
